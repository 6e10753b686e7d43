#pragma once

#include "core/context.h"
#include "core/session/session.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QVariantHash>

#include <gtest/gtest.h>

// An empty administration with its session open, a fixed "today" and scripted dialogs.
class ListDetailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.DataPad = admin.dataPad();
        ctx.session = &session;
        ctx.dialogs = &dialogs;
        ctx.clock = [] { return QDateTime(QDate(2026, 6, 15), QTime(10, 0)); };
    }

    void addRecord(const QString &table, const QVariantHash &fields)
    {
        kv::db::Recordset &rs = session.table(table);
        rs.AddNew();
        for (auto it = fields.begin(); it != fields.end(); ++it)
            rs.setValue(it.key(), it.value());
        rs.Update();
    }

    int count(const QString &table)
    {
        auto rs = session.DBAdmin().OpenQuery(u"SELECT Count(*) AS N FROM " + table);
        return rs->value(u"N").toInt();
    }

    kv::test::TempAdministration admin;
    kv::Session session;
    kv::test::ScriptedDialogs dialogs;
    kv::Context ctx;
};
