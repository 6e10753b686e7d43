// The settings trail: what every save of an option screen changed, and undoing the last save.
#include "core/db/database.h"
#include "editing/options/optionslogic.h"
#include "optionsfixture.h"

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

class TrailTest : public test::OptionsFixture {
protected:
    TrailTest() { ctx.clock = [this] { return now; }; }

    const OptionScreen &factureren() const { return test::optionScreen(u"frmFactureren"_s); }
    int option(const QString &control) const { return test::optionNamed(factureren(), control); }
    // A save of the invoicing screen with these states.
    void save(const std::vector<std::pair<QString, QString>> &states)
    {
        OptionsLogic logic(ctx, factureren());
        for (const auto &[control, state] : states)
            logic.setState(option(control), state);
        ASSERT_TRUE(logic.save());
    }
    bool undo()
    {
        OptionsLogic logic(ctx, factureren());
        return logic.undoLast();
    }
    // The trail as rows "SaveNr Plaats Naam: Oud -> Nieuw".
    QStringList trail()
    {
        QStringList rows;
        auto rs = session.DBAdmin().OpenTable(u"InstellingenLog"_s);
        rs->setIndex(u"PrimaryKey"_s);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            rows << QStringLiteral("%1 %2 %3: %4 -> %5")
                        .arg(rs->text(u"SaveNr"), rs->text(u"Plaats"), rs->text(u"Naam"),
                             rs->isNull(u"OudeWaarde") ? u"(niets)"_s : rs->text(u"OudeWaarde"),
                             rs->isNull(u"NieuweWaarde") ? u"(niets)"_s : rs->text(u"NieuweWaarde"));
        return rows;
    }
    QString factuurNr()
    {
        auto rs = session.DBAdmin().OpenQuery(u"SELECT * FROM UserGegevens"_s);
        return rs->text(u"FactuurNr");
    }
    QDateTime now{QDate(2026, 12, 7), QTime(10, 15)};
};

} // namespace

TEST_F(TrailTest, EverySaveRecordsWhatItChangedAndNothingElse)
{
    save({{u"field 0"_s, u"F2"_s}, {u"toggle 5"_s, u"on"_s}, {u"toggle 12"_s, u"on"_s}});
    EXPECT_EQ(trail().join(u'|').toStdString(), QStringList({
                                                       u"1 REG AutoCheckFactuurNr: (niets) -> 1"_s,
                                                       u"1 BESTAND creditfact.ini: (niets) -> 0\r\n"_s,
                                                       u"1 BESTAND doorboeken.ini: (niets) -> 0\r\n"_s,
                                                       u"1 BESTAND sorteren.ini: (niets) -> 0\r\n0\r\n"_s,
                                                       u"1 DB UserGegevens.FactuurNr: F1 -> F2"_s,
                                                   }).join(u'|').toStdString());
    auto rs = session.DBAdmin().OpenTable(u"InstellingenLog"_s);
    EXPECT_EQ(rs->text(u"Tijdstip"), u"20261207101500"_s);
    EXPECT_EQ(rs->text(u"Gebruiker"), u"tester"_s);
    EXPECT_EQ(rs->text(u"Werkstation"), u"PC-07"_s);
    EXPECT_EQ(rs->text(u"Formulier"), u"frmFactureren"_s);

    save({}); // the files are written again, but hold the same: no row
    save({{u"toggle 4"_s, u"on"_s}});
    EXPECT_EQ(trail().mid(5).join(u'|').toStdString(), "2 DB UserGegevens.Autoboekstuknr: 0 -> -1");
}

// Undo steps back one save at a time, database, registry and files alike, and records itself.
TEST_F(TrailTest, UndoStepsBackOneSaveAtATime)
{
    save({{u"field 0"_s, u"F2"_s}, {u"toggle 12"_s, u"on"_s}});
    now = now.addSecs(3600);
    save({{u"field 0"_s, u"F3"_s}, {u"toggle 5"_s, u"on"_s}});

    dialogs.script({mb::Yes, mb::Yes});
    EXPECT_TRUE(undo());
    EXPECT_EQ(dialogs.prompts().last(), u"Wilt u de wijziging van 07-12-2026 11:15 ongedaan maken?\n\n"
                                        u"AutoCheckFactuurNr: (geen)\nUserGegevens.FactuurNr: F2"_s);
    EXPECT_EQ(factuurNr(), u"F2"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"AutoCheckFactuurNr"), u""_s);
    EXPECT_EQ(fileBytes(u"creditfact.ini"_s), QByteArray("0\r\n"));

    EXPECT_TRUE(undo()); // further back: the first save
    EXPECT_EQ(factuurNr(), u"F1"_s);
    for (const char *name : {"creditfact.ini", "sorteren.ini", "doorboeken.ini"})
        EXPECT_EQ(fileBytes(QString::fromLatin1(name)), QByteArray("(geen bestand)")) << name;

    EXPECT_FALSE(undo());
    EXPECT_EQ(dialogs.prompts().last(), u"Er is geen wijziging om ongedaan te maken."_s);
}

TEST_F(TrailTest, NoStopsAndAValueChangedSinceCannotBeUndone)
{
    save({{u"field 0"_s, u"F2"_s}, {u"toggle 5"_s, u"on"_s}});
    dialogs.script({mb::No});
    EXPECT_FALSE(undo());
    EXPECT_EQ(factuurNr(), u"F2"_s);

    session.DBAdmin().Execute(u"UPDATE UserGegevens SET FactuurNr = 'F9'"_s); // a booking program, say
    dialogs.script({mb::Yes});
    EXPECT_FALSE(undo());
    EXPECT_EQ(dialogs.prompts().last(),
              u"Deze wijziging kan niet meer ongedaan worden gemaakt: UserGegevens.FactuurNr is daarna opnieuw gewijzigd."_s);
    EXPECT_EQ(factuurNr(), u"F9"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"AutoCheckFactuurNr"), u"1"_s);
    EXPECT_EQ(trail().size(), 5); // nothing recorded
}

// Another user's saves, or this user's on another workstation, are not this user's to undo.
TEST_F(TrailTest, OnlyTheUsersOwnSavesOnThisWorkstationAreUndone)
{
    save({{u"field 0"_s, u"F2"_s}});
    ctx.workstation = u"PC-08"_s;
    EXPECT_FALSE(undo());
    ctx.workstation = u"PC-07"_s;
    ctx.user = u"collega"_s;
    EXPECT_FALSE(undo());
    EXPECT_EQ(dialogs.prompts(), QStringList(2, u"Er is geen wijziging om ongedaan te maken."_s));
    EXPECT_EQ(factuurNr(), u"F2"_s);
}
