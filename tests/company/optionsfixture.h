#pragma once

#include "company/options/optionscreens.h"
#include "core/context.h"
#include "core/db/recordset.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kv::test {

inline const options::OptionScreen &optionScreen(const QString &name)
{
    for (const options::OptionScreen &screen : company::optionScreens())
        if (screen.screen == name)
            return screen;
    throw std::logic_error("no such screen");
}

// The position of the option a screen calls `control` ("toggle 3").
inline int optionNamed(const options::OptionScreen &screen, const QString &control)
{
    for (size_t i = 0; i < screen.options.size(); ++i)
        if (screen.options[i].control == control)
            return int(i);
    ADD_FAILURE() << control.toStdString();
    return 0;
}

// An administration whose UserGegevens holds its one record (with `FactuurNr` "F1"), a
// registry with the program's key, scripted dialogs, a known user, workstation and day.
class OptionsFixture : public ::testing::Test {
protected:
    OptionsFixture()
    {
        EXPECT_TRUE(session.OpenAdministratie(admin.dataPad()));
        registry.createKey(RegKeyKorvenal);
        ctx.DataPad = admin.dataPad();
        ctx.session = &session;
        ctx.registry = &registry;
        ctx.dialogs = &dialogs;
        ctx.user = QStringLiteral("tester");
        ctx.workstation = QStringLiteral("PC-07");
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 15)); };
        db::Recordset &user = session.table(QStringLiteral("UserGegevens"));
        user.AddNew();
        user.setValue(u"FactuurNr", QStringLiteral("F1"));
        user.Update();
    }

    // A file of the data folder, or "(geen bestand)".
    QByteArray fileBytes(const QString &name)
    {
        QFile file(admin.dataPad() + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(geen bestand)");
    }

    TempAdministration admin;
    QTemporaryDir dir;
    RegistryFile registry{dir.filePath(QStringLiteral("registry.reg"))};
    ScriptedDialogs dialogs;
    Session session;
    Context ctx;
};

} // namespace kv::test
