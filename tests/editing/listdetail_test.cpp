#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/listmodel.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/tables.h"
#include "listdetail_fixture.h"
#include "support/printers.h"

#include <QAbstractItemModelTester>

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

const Member &member(QStringView screen)
{
    const Member *m = findMember(screen);
    EXPECT_NE(m, nullptr) << screen.toString().toStdString();
    return *m;
}

// Runs a popup the way the list opens it: what it types, then OK.
using Typing = std::vector<std::pair<QString, QString>>;
bool savePopup(Context &ctx, const Member &m, const Typing &typing)
{
    DetailLogic popup(ctx, m);
    for (const auto &[field, text] : typing)
        popup.setText(field, text);
    return popup.save();
}

} // namespace

class ValutaTest : public ListDetailTest {
protected:
    void SetUp() override
    {
        ListDetailTest::SetUp();
        addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"EUR"_s}, {u"valutaland"_s, u"Europa"_s},
                                     {u"valutakoers"_s, u"1,00"_s}, {u"koersdatum"_s, u"20260101"_s},
                                     {u"valutadecimalen"_s, 2}, {u"valutavolgnr"_s, 7}});
    }
    const Member &valuta = member(u"frmValuta");
};

TEST_F(ValutaTest, SaveChecksTheCodeAndWritesWhatWasTyped)
{
    struct Case {
        const char *name;
        QString mode, key;
        Typing typing;
        QString message;      // empty: saved
        QString storedCode;   // the record to read afterwards
        QVariantHash stored;
    };
    const Case cases[] = {
        {"new code upper-cased, rate and date stored, decimals 2, next sequence number", u"addnew"_s, {},
         {{u"Valutacode"_s, u" usd "_s}, {u"valutakoers"_s, u"1234,5"_s}, {u"koersdatum"_s, u"05012020"_s},
          {u"valutadecimalen"_s, u""_s}},
         {}, u"USD"_s,
         {{u"valutakoers"_s, u"1.234,50"_s}, {u"koersdatum"_s, u"20200105"_s}, {u"valutadecimalen"_s, 2},
          {u"valutavolgnr"_s, 8}}},
        {"empty code", u"addnew"_s, {}, {{u"Valutacode"_s, u"  "_s}},
         u"U heeft nog geen ISO codering ingegeven"_s, {}, {}},
        {"lower-case duplicate of another record", u"addnew"_s, {}, {{u"Valutacode"_s, u"eur"_s}},
         u"Er bestaat reeds een ISO codering code EUR"_s, {}, {}},
        {"illogical date", u"addnew"_s, {}, {{u"Valutacode"_s, u"GBP"_s}, {u"koersdatum"_s, u"31022020"_s}},
         u"Er is een onlogische datum ingegeven."_s, {}, {}},
        {"unchanged record saves; its sequence number stays", u"edit"_s, u"EUR"_s, {}, {}, u"EUR"_s,
         {{u"valutaland"_s, u"Europa"_s}, {u"koersdatum"_s, u"20260101"_s}, {u"valutavolgnr"_s, 7}}},
        {"edited record takes the new country", u"edit"_s, u"eur"_s, {{u"valutaland"_s, u"EMU"_s}}, {}, u"EUR"_s,
         {{u"valutaland"_s, u"EMU"_s}, {u"valutakoers"_s, u"1,00"_s}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        const int before = count(u"ValutaTabel"_s);
        ctx.EditMode = c.mode;
        ctx.EditKey = c.key;
        EXPECT_EQ(savePopup(ctx, valuta, c.typing), c.message.isEmpty());
        EXPECT_TRUE(ctx.EditMode.isEmpty() && ctx.EditKey.isEmpty());
        EXPECT_EQ(dialogs.prompts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty()) {
            EXPECT_EQ(count(u"ValutaTabel"_s), before);
            continue;
        }
        db::Recordset &rs = session.table(u"ValutaTabel"_s);
        rs.setIndex(u"PrimaryKey"_s);
        rs.Seek(u"=", c.storedCode);
        ASSERT_FALSE(rs.NoMatch());
        EXPECT_EQ(rs.text(u"Valutacode"), c.storedCode);
        for (auto it = c.stored.begin(); it != c.stored.end(); ++it)
            EXPECT_EQ(rs.value(it.key()).toString(), it.value().toString()) << it.key().toStdString();
    }
}

TEST_F(ValutaTest, PopupShowsTheRecordInDisplayFormsAndChecksFieldsOnLeaving)
{
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"EUR"_s;
    DetailLogic popup(ctx, valuta);
    EXPECT_FALSE(popup.adding());
    EXPECT_EQ(popup.text(u"koersdatum"_s), u" 1 jan 2026"_s);
    EXPECT_EQ(popup.text(u"valutakoers"_s), u"1,00"_s);

    popup.setText(u"valutakoers"_s, u"2,5"_s);
    EXPECT_TRUE(popup.leave(u"valutakoers"_s));
    EXPECT_EQ(popup.text(u"valutakoers"_s), u"2,50"_s);
    popup.setText(u"koersdatum"_s, u"3012"_s); // the current year is filled in
    EXPECT_TRUE(popup.leave(u"koersdatum"_s));
    EXPECT_EQ(popup.text(u"koersdatum"_s), u"30 dec 2026"_s);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
    popup.setText(u"koersdatum"_s, u"3013"_s);
    EXPECT_FALSE(popup.leave(u"koersdatum"_s));
    EXPECT_EQ(popup.text(u"koersdatum"_s), u"3013"_s);
    EXPECT_EQ(dialogs.prompts(), QStringList{u"Er is een onlogische datum ingegeven."_s});

    ctx.EditMode = u"addnew"_s;
    DetailLogic fresh(ctx, valuta);
    EXPECT_TRUE(fresh.adding());
    EXPECT_EQ(fresh.text(u"valutadecimalen"_s), u"2"_s);
    EXPECT_EQ(fresh.text(u"Valutacode"_s), QString());
}

TEST_F(ValutaTest, ListEditsAndDeletesOnlyASelectedRowAndAsksFirst)
{
    addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"USD"_s}, {u"valutakoers"_s, u"0,92"_s}});
    ListLogic list(ctx, valuta);
    QStringList popups; // the edit context each popup found
    list.showPopup = [&] { popups << ctx.EditMode + u':' + ctx.EditKey; };
    list.refresh();
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].key, u"EUR"_s);
    EXPECT_EQ(list.rows()[0].cells[4].text, u" 1 jan 2026"_s);

    list.edit(-1);
    list.edit(2);
    list.remove(-1);
    EXPECT_TRUE(popups.isEmpty());
    EXPECT_TRUE(dialogs.prompts().isEmpty());

    list.edit(1);
    list.addNew();
    EXPECT_EQ(popups, (QStringList{u"edit:USD"_s, u"addnew:"_s}));

    const QString question = u"Weet u zeker dat u de geselecteerde valuta wilt verwijderen?\n\n"
                             u"Alle eventueel gekoppelde informatie gaat verloren."_s;
    dialogs.script({mb::No});
    list.remove(1);
    EXPECT_EQ(count(u"ValutaTabel"_s), 2);
    dialogs.script({mb::Yes});
    list.remove(1);
    EXPECT_EQ(dialogs.prompts(), (QStringList{question, question}));
    EXPECT_EQ(dialogs.shown.back().buttons & 7, mb::YesNo);
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].key, u"EUR"_s);
}

TEST_F(ValutaTest, ListRefreshesAfterThePopupAndSortsBothWays)
{
    ListLogic list(ctx, valuta);
    ListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    list.showPopup = [&] { savePopup(ctx, valuta, {{u"Valutacode"_s, u"chf"_s}, {u"valutakoers"_s, u"12,5"_s}}); };
    list.refresh();
    list.addNew();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), u"CHF"_s);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), u"Koers"_s);

    const auto order = [&] {
        QStringList keys;
        for (const auto &row : list.rows())
            keys << row.key;
        return keys.join(u',');
    };
    addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"GBP"_s}, {u"valutakoers"_s, u"1.150,00"_s}});
    list.refresh();
    list.sortOn(3); // amounts by value, not by text
    EXPECT_EQ(order(), u"EUR,CHF,GBP"_s);
    list.sortOn(3);
    EXPECT_EQ(order(), u"GBP,CHF,EUR"_s);
    list.sortOn(0);
    EXPECT_FALSE(list.descending());
    EXPECT_EQ(order(), u"CHF,EUR,GBP"_s);
    list.refresh(); // the chosen order survives a refresh
    EXPECT_EQ(order(), u"CHF,EUR,GBP"_s);
}

TEST_F(ListDetailTest, MemberChecksGiveTheirMessagesAndWriteNothing)
{
    struct Case {
        const char *screen;
        Typing typing;
        QString message;
    };
    const Case cases[] = {
        {"frmBoten", {{u"Callsign"_s, u"PD1234"_s}}, u"U heeft nog geen bootnaam ingegeven"_s},
        {"frmContainers", {{u"Omschrijving"_s, u""_s}}, u"U heeft nog geen omschrijving ingegeven."_s},
        {"frmContainers", {{u"Omschrijving"_s, u"20 ft"_s}, {u"Abonnement"_s, u"on"_s}},
         u"Er is nog geen artikel toegevoegd voor het abonnement."_s},
        {"frmDouane", {{u"ISO"_s, u"nl"_s}}, u"Er is nog geen naam ingegeven voor dit douanekantoor."_s},
        {"frmColli", {{u"Type"_s, u"EUR"_s}}, u"U heeft nog geen omschrijving ingegeven."_s},
        {"frmTarra", {{u"Afkorting"_s, u"TK"_s}}, u"U heeft nog geen omschrijving ingegeven."_s},
        {"frmAutogegevens", {{u"Merk"_s, u"DAF"_s}}, u"U heeft nog geen kenteken ingegeven"_s},
        {"frmBewaarloon", {{u"Omschrijving"_s, u"Opslag graan"_s}, {u"ArtNr"_s, u"GEEN"_s}},
         u"Er is een onbekend artikelnummer ingegeven. opnieuw s.v.p."_s},
        {"frmBunkers", {{u"BunkerType"_s, u"Silo"_s}}, u"U heeft nog geen bunkernaam ingegeven"_s},
        {"frmBunkers", {{u"BunkerNaam"_s, u"S1"_s}, {u"DateTimeStart"_s, u"01062026 24:00"_s}},
         u"Er is een onlogische datum ingegeven."_s},
        {"frmNutrienten", {{u"EenheidID"_s, u"1"_s}, {u"Type"_s, u"Mineraal"_s}},
         u"U heeft nog geen nummer voor dit nutriënt ingegeven."_s},
        {"frmNutrienten", {{u"NutrientID"_s, u"7"_s}, {u"Type"_s, u"Mineraal"_s}},
         u"U heeft nog geen eenheid voor dit nutriënt ingegeven."_s},
        {"frmNutrienten", {{u"NutrientID"_s, u"7"_s}, {u"EenheidID"_s, u"1"_s}},
         u"U heeft nog geen type voor dit nutriënt ingegeven."_s},
        {"frmGrondstoffen", {{u"Afkorting"_s, u"TAR"_s}}, u"U heeft nog geen nummer voor deze grondstof ingegeven."_s},
        {"frmNutrientenPopupEenheden", {{u"Afkorting"_s, u"g/kg"_s}}, u"U heeft nog geen nummer voor deze eenheid ingegeven."_s},
        {"frmArtikelSoort", {{u"RefVocht"_s, u"14,5"_s}},
         u"U heeft nog geen omschrijving voor deze artikelsoort ingegeven."_s},
        {"frmAutogegevens", {{u"Kenteken"_s, u"BX-12-CD"_s}, {u"APKdatum"_s, u"310226"_s}},
         u"Er is een onlogische datum ingegeven."_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.screen);
        const Member &m = member(QString::fromLatin1(c.screen));
        dialogs.shown.clear();
        ctx.EditMode = u"addnew"_s;
        EXPECT_FALSE(savePopup(ctx, m, c.typing));
        EXPECT_EQ(dialogs.prompts(), QStringList{c.message});
        EXPECT_EQ(MemberTables(ctx, m.database).table(m.table).RecordCount(), 0);
    }
}

TEST_F(ListDetailTest, ListCellsShowUnitsLookupsAndToggles)
{
    addRecord(u"Landen"_s, {{u"ISO"_s, u"NL"_s}, {u"Land"_s, u"Nederland"_s}});
    addRecord(u"DouaneKantoren"_s, {{u"ISO"_s, u"NL"_s}, {u"Naam"_s, u"Venlo"_s}});
    addRecord(u"DouaneKantoren"_s, {{u"ISO"_s, u"XX"_s}, {u"Naam"_s, u"Nergens"_s}});
    addRecord(u"Containers"_s, {{u"Nummer"_s, 4}, {u"Omschrijving"_s, u"Kiepbak"_s}, {u"Inhoud"_s, 12.5},
                                {u"Abonnement"_s, true}});
    ListLogic douane(ctx, member(u"frmDouane"));
    douane.refresh();
    ASSERT_EQ(douane.rows().size(), 2u);
    EXPECT_EQ(douane.rows()[0].cells[1].text, u"Nederland"_s);
    EXPECT_EQ(douane.rows()[1].cells[1].text, QString());
    ListLogic containers(ctx, member(u"frmContainers"));
    containers.refresh();
    ASSERT_EQ(containers.rows().size(), 1u);
    EXPECT_EQ(containers.rows()[0].cells[2].text, u"12,5 m³"_s);
    EXPECT_EQ(containers.rows()[0].cells[4].text, u"Ja"_s);
}

TEST_F(ListDetailTest, EditOnlyMembersOfferNoAddOrDelete)
{
    addRecord(u"Landen"_s, {{u"TweeLetterig"_s, u"BE"_s}, {u"Land"_s, u"België"_s}});
    const Member &landen = member(u"frmLanden");
    ListLogic list(ctx, landen);
    int shown = 0;
    list.showPopup = [&] { ++shown; };
    list.refresh();
    list.addNew();
    list.remove(0);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(count(u"Landen"_s), 1);
    list.showPopup = [&] { EXPECT_TRUE(savePopup(ctx, landen, {{u"LandEngels"_s, u"Belgium"_s}})); };
    list.edit(0);
    EXPECT_EQ(list.rows()[0].cells[2].text, u"Belgium"_s);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

TEST_F(ListDetailTest, AVehicleRegistrationIsUsedOnceAndVehiclesListInTheirOrder)
{
    const Member &autos = member(u"frmAutogegevens");
    ListLogic list(ctx, autos);
    Typing typing{{u"Kenteken"_s, u"bx-12-cd"_s}};
    list.showPopup = [&] { savePopup(ctx, autos, typing); };
    list.addNew();
    typing = {{u"Kenteken"_s, u"VT-345-K"_s}};
    list.addNew();
    typing = {{u"Kenteken"_s, u"BX-12-cd "_s}};
    list.addNew();
    list.edit(1);
    EXPECT_EQ(dialogs.prompts(), (QStringList{u"Er bestaat reeds een voertuig met kenteken BX-12-CD"_s,
                                              u"Er bestaat reeds een voertuig met kenteken BX-12-CD"_s}));
    typing = {};
    list.edit(0); // unchanged: saves
    EXPECT_EQ(dialogs.prompts().size(), 2);
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].cells[0].text, u"BX-12-CD"_s);
    EXPECT_EQ(list.rows()[1].cells[0].text, u"VT-345-K"_s);

    // The list follows Volgorde, not the key.
    db::Recordset &rs = session.table(u"Autogegevens"_s);
    rs.setIndex(u"PrimaryKey"_s);
    rs.Seek(u"=", 2);
    ASSERT_FALSE(rs.NoMatch());
    rs.Edit();
    rs.setValue(u"Volgorde", 0);
    rs.Update();
    list.refresh();
    EXPECT_EQ(list.rows()[0].cells[0].text, u"VT-345-K"_s);
}

TEST_F(ListDetailTest, EmployeeInitialsFollowTheFirstNames)
{
    const Member &medewerkers = member(u"frmMedewerkers");
    ListLogic list(ctx, medewerkers);
    Typing typing{{u"VoorNamen"_s, u"Jan Willem"_s}, {u"Achternaam"_s, u"Bos"_s}, {u"DatumIndienst"_s, u"01032024"_s}};
    list.showPopup = [&] { EXPECT_TRUE(savePopup(ctx, medewerkers, typing)); };
    list.addNew();
    typing = {{u"VoorNamen"_s, u"IJsbrand"_s}};
    list.edit(0);
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].cells[4].text, u"IJ."_s);
    db::Recordset &rs = session.table(u"Medewerkers"_s);
    rs.MoveFirst();
    EXPECT_EQ(rs.text(u"DatumIndienst"), u"20240301"_s);
    EXPECT_EQ(rs.text(u"Achternaam"), u"Bos"_s);
}

TEST_F(ListDetailTest, DateAndTimeFieldsKeepBothParts)
{
    struct Case {
        QString typed, stored, shown;
    };
    const Case cases[] = {
        {u"01062026 07:30"_s, u"20260601073000"_s, u" 1 jun 2026 07:30"_s},
        {u"1506"_s, u"20260615000000"_s, u"15 jun 2026 00:00"_s},
        {u" 1 jun 2026 7:05"_s, u"20260601070500"_s, u" 1 jun 2026 07:05"_s},
        {u""_s, u""_s, u""_s},
    };
    const Member &bunkers = member(u"frmBunkers");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ctx.EditMode = u"addnew"_s;
        ASSERT_TRUE(savePopup(ctx, bunkers, {{u"BunkerNaam"_s, u"B1"_s}, {u"DateTimeStart"_s, c.typed}}));
        db::Recordset &rs = session.table(u"Bunkers"_s);
        rs.setIndex(u"PrimaryKey"_s);
        rs.MoveLast();
        EXPECT_EQ(rs.text(u"DateTimeStart"), c.stored);
        ctx.EditMode = u"edit"_s;
        ctx.EditKey = rs.text(u"BunkerID");
        EXPECT_EQ(DetailLogic(ctx, bunkers).text(u"DateTimeStart"_s), c.shown);
    }
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

TEST_F(ListDetailTest, NutrientsLiveInTheirOwnDatabaseAndKeepTheirNumbersApart)
{
    const Member &nutrienten = member(u"frmNutrienten");
    ListLogic list(ctx, nutrienten);
    Typing typing{{u"NutrientID"_s, u"12"_s}, {u"Afkorting"_s, u"P"_s}, {u"Omschrijving"_s, u"Fosfor"_s},
                  {u"EenheidID"_s, u"1"_s}, {u"Type"_s, u"Mineraal"_s}};
    list.showPopup = [&] { savePopup(ctx, nutrienten, typing); };
    list.addNew();
    typing[0].second = u"13"_s;
    typing[1].second = u"K"_s;
    list.addNew();
    typing = {{u"NutrientID"_s, u"12"_s}};
    list.edit(1); // K takes P's number
    EXPECT_EQ(dialogs.prompts(), QStringList{u"Dit nummer (12) is reeds in gebruik bij P - Fosfor"_s});
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].cells[0].text, u"00012"_s);
    EXPECT_EQ(list.rows()[1].cells[0].text, u"00013"_s);
    EXPECT_FALSE(session.DBAdmin().hasTable(u"Nutrienten"_s));

    const Member &eenheden = member(u"frmNutrientenPopupEenheden");
    ctx.EditMode = u"addnew"_s;
    EXPECT_TRUE(savePopup(ctx, eenheden, {{u"EenheidID"_s, u"1"_s}, {u"Afkorting"_s, u"g/kg"_s}}));
    ctx.EditMode = u"addnew"_s;
    EXPECT_FALSE(savePopup(ctx, eenheden, {{u"EenheidID"_s, u"1"_s}, {u"Afkorting"_s, u"mg"_s}}));
    EXPECT_EQ(dialogs.prompts().last(), u"Dit nummer (1) is reeds in gebruik bij g/kg"_s);
}

TEST_F(ListDetailTest, RelationFieldsShowTheRelationsName)
{
    addRecord(u"RelatieGegevens"_s, {{u"RelNr"_s, u"000123"_s}, {u"Bedrijfsnaam1"_s, u"Transport Dijkstra"_s}});
    addRecord(u"VerzendwijzeRelaties"_s, {{u"CodeNr"_s, 1}, {u"TransporteurRelNr"_s, u"000123"_s}});
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    DetailLogic popup(ctx, member(u"frmVerzendwijzeLogistiek"));
    EXPECT_EQ(popup.shownName(u"TransporteurRelNr"_s), u"Transport Dijkstra"_s);
    EXPECT_EQ(popup.shownName(u"LaadAdresRelNr"_s), QString());
    popup.setText(u"LaadAdresRelNr"_s, u"999"_s);
    EXPECT_EQ(popup.shownName(u"LaadAdresRelNr"_s), QString());
    EXPECT_EQ(popup.shownName(u"Omschrijving"_s), QString());
    ListLogic list(ctx, member(u"frmVerzendwijzeLogistiek"));
    list.refresh();
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].cells[2].text, u"Transport Dijkstra"_s);
}

// The nutrient screens open Grondstof.mdb with the folder's password; "P" is written as a
// no-break space, which the reader must keep.
TEST(MemberTablesPassword, GrondstofOpensWithAPasswordHoldingP)
{
    kv::test::TempAdministration admin(u"Pieter"_s);
    Session session;
    ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
    Context ctx;
    ctx.DataPad = admin.dataPad();
    ctx.session = &session;
    EXPECT_EQ(MemberTables(ctx, u"Grondstof.mdb"_s).table(u"Nutrienten"_s).RecordCount(), 0);
}
