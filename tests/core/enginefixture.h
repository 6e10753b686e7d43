#pragma once

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "enginetables.h"

#include <QTemporaryDir>

#include "support/printers.h"

#include <gtest/gtest.h>

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("Test.sqlite"));
        db = kv::db::Database::create(path, QStringLiteral("geheim"), engineTestTables());
    }

    void addArticle(const QString &nr, const QString &omschrijving, QVariant groep = QVariant())
    {
        auto rs = db->OpenTable(QStringLiteral("Artikelen"));
        rs->AddNew();
        rs->setValue(u"ArtNr", nr);
        rs->setValue(u"Omschrijving", omschrijving);
        rs->setValue(u"Groep", groep);
        rs->Update();
    }

    // Walks the whole record set from its first record and collects one field.
    static QStringList walk(kv::db::Recordset &rs, QStringView field)
    {
        QStringList values;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            values << rs.text(field);
        return values;
    }

    static int errorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const kv::db::DbError &e) {
            return e.number();
        }
        return 0;
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<kv::db::Database> db;
};
