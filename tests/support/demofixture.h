#pragma once

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "demo/demoadministration.h"
#include "editing/options/optionslogic.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The demo administration made afresh in a temporary folder, its session open, with scripted
// dialogs and a registry of its own: the console as a user first meets it.
class DemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = dir.filePath(QStringLiteral("Akkerhof012026"));
        kv::demo::createDemoAdministratie(folder);
        ASSERT_TRUE(session.OpenAdministratie(folder + u'/'));
        ctx.DataPad = folder + u'/';
        ctx.AdminCode = QStringLiteral("01"); // from the folder's name, as the console takes them
        ctx.AdminJaar = QStringLiteral("2026");
        ctx.session = &session;
        ctx.dialogs = &dialogs;
        ctx.registry = &registry;
    }

    // The first field of the first row `query` gives, as text; "(geen)" when it gives no row.
    static QString scalar(kv::db::Database &db, const QString &query)
    {
        kv::db::Statement st = db.prepareOnce(query);
        return st.step() ? st.column(0).toString() : QStringLiteral("(geen)");
    }
    QString sql(const QString &query) { return scalar(session.DBAdmin(), query); }

    // A fresh option screen with `states` (control, state) set, then saved.
    bool saveOptions(const kv::options::OptionScreen &screen, std::initializer_list<std::pair<QString, QString>> states)
    {
        kv::options::OptionsLogic logic(ctx, screen);
        for (const auto &[control, state] : states)
            logic.setState(logic.indexOf(control), state);
        return logic.save();
    }

    QTemporaryDir dir;
    kv::RegistryFile registry{dir.filePath(QStringLiteral("registry.reg"))};
    kv::Session session;
    kv::test::ScriptedDialogs dialogs;
    kv::Context ctx;
};
