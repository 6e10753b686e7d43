#pragma once

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace kv::test {

// An open, empty administration with a registry and scripted dialogs, and a quick way to put
// rows into its tables.
class SelectionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        registry.createKey(RegKeyKorvenal);
        ctx.DataPad = admin.dataPad();
        ctx.AdminCode = QStringLiteral("07");
        ctx.session = &session;
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
    }

    void voegToe(const QString &tabel, const std::vector<QVariantMap> &rijen)
    {
        db::Database &db = session.DBAdmin();
        db.write([&] {
            auto rs = db.OpenTable(tabel);
            for (const QVariantMap &rij : rijen) {
                rs->AddNew();
                for (auto it = rij.begin(); it != rij.end(); ++it)
                    rs->setValue(it.key(), it.value());
                rs->Update();
            }
        });
    }

    TempAdministration admin;
    QTemporaryDir regDir;
    RegistryFile registry{regDir.filePath(QStringLiteral("registry.reg"))};
    Session session;
    ScriptedDialogs dialogs;
    Context ctx;
};

} // namespace kv::test
