#include "core/db/database.h"
#include "core/db/statement.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/options/optionslogic.h"
#include "finance/assets/assetmembers.h"
#include "finance/assets/generalsettings.h"
#include "support/demofixture.h"

#include <QComboBox>
#include <QProcess>
#include <QLineEdit>
#include <QTest>

#include <csignal>

using namespace kv;
using namespace kv::listdetail;
using namespace kv::finance::assets;
using namespace Qt::Literals::StringLiterals;

namespace {

class AssetScreens : public DemoTest {
protected:
    int rowOf(ListLogic &list, const QString &text)
    {
        for (size_t i = 0; i < list.rows().size(); ++i)
            if (list.rows()[i].cells[1].text == text)
                return int(i);
        return -1;
    }
};

// A new group is numbered after the demo's four and stores its instalments; a percentage that
// is no number and a missing description are refused.
TEST_F(AssetScreens, ANewGroupCountsItsInstalmentsAndIsChecked)
{
    ctx.EditMode = u"addnew"_s;
    DetailLogic popup(ctx, groupsMember());
    EXPECT_EQ(popup.text(u"InternNr"_s), u"5"_s);
    popup.setText(u"Looptijd"_s, u"5"_s); // the recount as the user types: the popup test below
    popup.setText(u"BoekingsFrequentie"_s, u"12"_s);
    EXPECT_EQ(popup.text(u"Termijnen"_s), u"60"_s);

    EXPECT_FALSE(popup.save());
    EXPECT_EQ(dialogs.prompts().last(), u"U heeft nog geen omschrijving ingegeven"_s);
    popup.setText(u"ActivaGroep"_s, u"Tractoren"_s);
    popup.setText(u"Percentage"_s, u"abc"_s);
    EXPECT_FALSE(popup.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Er is geen correct BTW percentage ingegeven."_s);
    popup.setText(u"Percentage"_s, u"12,5"_s);
    popup.setText(u"Methode"_s, u"2"_s);
    popup.setText(u"GrbRekActiva"_s, u" 0400 "_s);
    ASSERT_TRUE(popup.save());
    EXPECT_EQ(sql(u"SELECT InternNr || '|' || Methode || '|' || Percentage || '|' || BoekingsFrequentie || '|' || "
                    u"Termijnen || '|' || GrbRekActiva || '|' || RecordCode FROM ActivaGroepen WHERE ActivaGroep = 'Tractoren'"_s),
              u"5|2|12.5|12|60|0400|1"_s);
}

// A group with assets stays, also when another program adds an asset while the question is
// open; an empty group goes in one transaction with its trail, and undo brings it back.
TEST_F(AssetScreens, OnlyAGroupWithoutAssetsIsDeleted)
{
    const QString question = u"Weet u zeker dat u de geselecteerde activa groep wilt verwijderen?\n\n"
                             u"Alle eventueel gekoppelde informatie gaat verloren."_s;
    Member member = groupsMember();
    bool inTransaction = false;
    member.mayDelete = [&](MemberTables &tables, const QString &key) {
        inTransaction = tables.database().inTransaction();
        return groupsMember().mayDelete(tables, key);
    };
    ListLogic list(ctx, member);
    list.refresh();
    ASSERT_EQ(list.rows().size(), 4u);

    dialogs.script({mb::Yes});
    list.remove(rowOf(list, u"Vrachtwagens"_s));
    EXPECT_TRUE(inTransaction);
    EXPECT_EQ(dialogs.prompts(), (QStringList{question, GroepInGebruik.toString()}));
    EXPECT_EQ(list.rows().size(), 4u);

    session.DBAdmin().exec(u"INSERT INTO ActivaGroepen (InternNr, RecordCode, ActivaGroep) VALUES (5, 1, 'Leeg')"_s);
    list.refresh();
    // Another console registers an asset in the group while the user reads the question.
    struct Peer : test::ScriptedDialogs {
        QString dataPad;
        int MsgBox(const QString &prompt, int buttons, const QString &title) override
        {
            if (prompt.startsWith(u"Weet u zeker")) {
                EXPECT_EQ(QProcess::execute(QStringLiteral(EDITING_PEER),
                                            {u"set"_s, dataPad, u"frmActivaRegister"_s, {}, u"ActivaGroep"_s, u"5"_s,
                                             u"Omschrijving"_s, u"Nieuw"_s}),
                          0);
            }
            return ScriptedDialogs::MsgBox(prompt, buttons, title);
        }
    } peer;
    peer.dataPad = ctx.DataPad;
    peer.script({mb::Yes});
    ctx.dialogs = &peer;
    list.remove(rowOf(list, u"Leeg"_s));
    EXPECT_EQ(peer.prompts().last(), GroepInGebruik.toString());
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM InstellingenLog WHERE Naam LIKE 'ActivaGroepen[%'"_s), u"0"_s);

    session.DBAdmin().exec(u"DELETE FROM ActivaRegistratie WHERE ActivaGroep = 5"_s);
    ctx.dialogs = &dialogs;
    dialogs.script({mb::Yes});
    list.remove(rowOf(list, u"Leeg"_s));
    EXPECT_EQ(list.rows().size(), 4u);
    EXPECT_EQ(sql(u"SELECT OudeWaarde || '>' || coalesce(NieuweWaarde, 'weg') FROM InstellingenLog "
                    u"WHERE Naam = 'ActivaGroepen[5].ActivaGroep'"_s),
              u"Leeg>weg"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(list.undoLast());
    EXPECT_GE(rowOf(list, u"Leeg"_s), 0);
}

// A console killed when the asset is written and its trail is not: neither is there, and the
// next asset gets the number the killed one had.
TEST_F(AssetScreens, AKilledSaveLeavesNeitherTheAssetNorItsTrail)
{
    const QString before = sql(u"SELECT COUNT(*) || '|' || (SELECT COUNT(*) FROM InstellingenLog) FROM ActivaRegistratie"_s);
    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {u"held"_s, ctx.DataPad, u"ActivaRegistratie"_s, u"frmActivaRegister"_s,
                                              u"ActivaGroep"_s, u"1"_s, u"Omschrijving"_s, u"Shovel"_s});
    while (!peer.canReadLine() && peer.waitForReadyRead(30000)) {
    }
    EXPECT_EQ(peer.readLine().trimmed(), "held 7"); // the sixth asset and the new one, inside its transaction
    ::kill(pid_t(peer.processId()), SIGKILL);
    peer.waitForFinished();
    EXPECT_EQ(sql(u"SELECT COUNT(*) || '|' || (SELECT COUNT(*) FROM InstellingenLog) FROM ActivaRegistratie"_s), before);
    ctx.EditMode = u"addnew"_s;
    EXPECT_EQ(DetailLogic(ctx, registerMember()).text(u"InternNr"_s), u"7"_s);
}

// The register lists the group by name ("onbekend" without one); choosing a group copies its
// method; an asset the schedule cannot depreciate is refused with nothing written.
TEST_F(AssetScreens, TheRegisterCopiesTheGroupAndRefusesWhatCannotBeDepreciated)
{
    session.DBAdmin().exec(u"UPDATE ActivaRegistratie SET ActivaGroep = 9 WHERE InternNr = 2"_s);
    ListLogic list(ctx, registerMember());
    list.refresh();
    ASSERT_EQ(list.rows().size(), 6u);
    EXPECT_EQ(list.rows()[1].cells[2].text, u"onbekend"_s);
    EXPECT_EQ(list.rows()[4].cells[2].text, u"Vrachtwagens"_s);

    const QString before = sql(u"SELECT group_concat(InternNr || Omschrijving || AanschafWaarde) FROM ActivaRegistratie"_s);
    ctx.EditMode = u"addnew"_s;
    DetailLogic popup(ctx, registerMember());
    EXPECT_EQ(popup.text(u"InternNr"_s), u"7"_s);
    popup.setText(u"Omschrijving"_s, u"Trekker"_s);
    popup.setText(u"AanschafWaarde"_s, u"1.000,00"_s);
    popup.setText(u"Aanschafdatum"_s, u"15032026"_s);
    popup.setText(u"StartDatumAfschrijvingen"_s, u"28022026"_s);
    EXPECT_FALSE(popup.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Kies de activagroep van dit activum.\n"
                                        u"De afschrijvingen kunnen niet beginnen voor de maand van aanschaf."_s);
    EXPECT_EQ(sql(u"SELECT group_concat(InternNr || Omschrijving || AanschafWaarde) FROM ActivaRegistratie"_s), before);

    popup.setText(u"StartDatumAfschrijvingen"_s, u"01032026"_s);
    popup.setText(u"ActivaGroep"_s, u"4"_s);
    EXPECT_EQ(popup.text(u"Looptijd"_s), u"6"_s);
    EXPECT_EQ(popup.text(u"Termijnen"_s), u"72"_s);
    popup.setText(u"AanschafWaarde"_s, u"73.000,00"_s);
    popup.setText(u"RestWaarde"_s, u"1.000,00"_s);
    EXPECT_EQ(popup.text(u"Boekwaarde"_s), u"73.000,00"_s);
    ASSERT_TRUE(popup.save());
    EXPECT_EQ(sql(u"SELECT ActivaGroep || '|' || Methode || '|' || CAST(BasisBedragAfschrijving AS INTEGER) || '|' || "
                    u"CAST(Afgeschreven AS INTEGER) || '|' || CAST(Boekwaarde AS INTEGER) || '|' || CAST(TermijnBedrag AS INTEGER) "
                    u"FROM ActivaRegistratie WHERE InternNr = 7"_s),
              u"4|0|72000|0|73000|1000"_s);
}

// The popup's controls: the frequency list stores bookings a year and the instalments follow
// what is typed and chosen.
TEST_F(AssetScreens, ThePopupRecountsTheInstalmentsAsTheUserTypes)
{
    ctx.EditMode = u"addnew"_s;
    DetailPopup popup(ctx, groupsMember());
    auto *life = popup.findChild<QLineEdit *>(u"Looptijd"_s);
    auto *frequency = popup.findChild<QComboBox *>(u"BoekingsFrequentie"_s);
    auto *instalments = popup.findChild<QLineEdit *>(u"Termijnen"_s);
    ASSERT_TRUE(life && frequency && instalments);
    QTest::keyClicks(life, u"4"_s);
    frequency->setCurrentIndex(frequency->findText(u"kwartaal"_s));
    EXPECT_EQ(instalments->text(), u"16"_s);
    frequency->setCurrentIndex(frequency->findText(u"jaar"_s));
    EXPECT_EQ(instalments->text(), u"4"_s);
    EXPECT_EQ(popup.logic().text(u"BoekingsFrequentie"_s), u"1"_s);
}

// The general settings of a year without them show the year before and saving adds the year;
// a negative limit is refused; a journal Dagboek lacks is shown as unknown, and kept.
TEST_F(AssetScreens, GeneralSettingsOfANewYearStartFromTheYearBefore)
{
    session.DBAdmin().exec(u"UPDATE ActivaAlgemeen SET DagboekCode = '95'"_s);
    ctx.AdminJaar = u"2027"_s;
    const options::OptionScreen table = generalSettings();
    options::OptionsLogic logic(ctx, table);
    EXPECT_EQ(logic.stateOf(u"field 0"_s), u"2027"_s);
    EXPECT_EQ(logic.stateOf(u"field 1"_s), u"450,00"_s);
    EXPECT_EQ(table.options.back().entries(logic).back().shown, u"95 - onbekend"_s);
    logic.setState(logic.indexOf(u"combo 1"_s), u"96"_s); // as the tool could
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Dagboek 96 bestaat niet."_s);
    logic.setState(logic.indexOf(u"combo 1"_s), u"95"_s);

    logic.setState(logic.indexOf(u"field 1"_s), u"-1,00"_s);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), NegatieveOndergrens.toString());
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM ActivaAlgemeen"_s), u"1"_s);

    logic.setState(logic.indexOf(u"field 1"_s), u"500"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT group_concat(Boekjaar || ':' || FiscaleOndergrens || ':' || Methode || ':' || Afronden || ':' || "
                    u"DagboekCode, ' ') FROM ActivaAlgemeen"_s),
              u"2026:450,00:0:1:95 2027:500,00:0:1:95"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(logic.undoLast());
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM ActivaAlgemeen"_s), u"1"_s);
}

} // namespace
