// The screens whose work another program of the suite does: each opens by its form name,
// counts from the administration and leaves the database files as they were.
#include "company/info/infoscreen.h"
#include "core/db/statement.h"
#include "core/navigation/screenregistry.h"
#include "optionsfixture.h"

#include <QDir>
#include <QFormLayout>
#include <QLabel>

#include <algorithm>
#include <map>

using namespace kv;
using namespace Qt::StringLiterals;

namespace {

class InfoScreenTest : public test::OptionsFixture {
protected:
    InfoScreenTest()
    {
        // Two relations in one place, spelled two ways; one is a customer.
        db::Statement insert = session.DBAdmin().prepareOnce(
            u"INSERT INTO RelatieGegevens (RelNr, RelSoort, BedrijfsWoonplaats) VALUES (?, ?, ?)"_s);
        for (const QVariantList &row : {QVariantList{u"1"_s, 0, u"Ede"_s}, QVariantList{u"2"_s, 1, u"EDE"_s}}) {
            insert.bindAll(row);
            insert.step();
            insert.reset();
        }
    }
    // Every file of the data folder but the shared-memory index, which readers touch.
    std::map<QString, QByteArray> files()
    {
        std::map<QString, QByteArray> bytes;
        for (const QString &name : QDir(admin.dataPad()).entryList(QDir::Files))
            if (!name.endsWith(u"-shm"_s))
                bytes[name] = fileBytes(name);
        return bytes;
    }
};

TEST_F(InfoScreenTest, EachFormOpensItsScreenAndWritesNothing)
{
    const QStringList forms = {u"frmKlantenKorvenalProOnline"_s, u"frmKlantenportaalBramel"_s, u"frmRelatiesZelf"_s,
                               u"frmDenominatie"_s, u"frmRelaties_RayonProvincie"_s, u"frmRelaties_Plaatsnaam"_s,
                               u"frmFactuur_LaadLos"_s, u"frmHistorie_ArtikelToewijzen"_s,
                               u"frmHistorie_ArtikelGroepen"_s, u"frmVertegenwoordigerOmzetten"_s,
                               u"frmHistorie_ArtikelDiergroep"_s};
    ScreenRegistry screens;
    info::registerInfoScreens(screens);
    const std::map<QString, QByteArray> before = files();
    for (const QString &form : forms) {
        SCOPED_TRACE(form.toStdString());
        std::unique_ptr<ChildScreen> screen = screens.create(form.toUpper(), ctx, u"placeholder"_s);
        ASSERT_EQ(screen->objectName(), form); // not the placeholder
        screen->Init();
        screen->Init(); // shown again: counted again, not added twice
        const auto *counts = screen->findChild<QFormLayout *>();
        ASSERT_TRUE(counts);
        EXPECT_GT(counts->rowCount(), 0);
        EXPECT_LE(counts->rowCount(), 3);
        EXPECT_TRUE(screen->leave());
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(files(), before);
}

TEST_F(InfoScreenTest, CountsComeFromTheAdministration)
{
    struct Case {
        const char *form;
        std::vector<std::pair<QString, qint64>> counts;
    };
    const std::vector<Case> cases{
        {"frmRelaties_Plaatsnaam", {{u"Relaties"_s, 2}, {u"Verschillende plaatsnamen"_s, 1}}},
        {"frmKlantenportaalBramel", {{u"Klanten"_s, 1}, {u"Orders"_s, 0}}},
    };
    const std::vector<info::InfoEntry> &entries = info::infoEntries();
    for (const Case &c : cases) {
        const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto &e) { return qstrcmp(e.form, c.form) == 0; });
        ASSERT_NE(entry, entries.end()) << c.form;
        EXPECT_EQ(info::countsOf(ctx, *entry), c.counts) << c.form;
    }
}

} // namespace
