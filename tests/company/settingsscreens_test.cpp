// The screens with rules of their own: number series, miscellaneous options, the cemetery's
// settings, the favourites bar and the links with other programs.
#include "cemetery/settings.h"
#include "core/db/database.h"
#include "core/session/administration.h"
#include "core/log/schrijflog.h"
#include "editing/numbers.h"
#include "editing/options/favourites.h"
#include "editing/options/optionsscreen.h"
#include "editing/options/optionstool.h"
#include "editing/options/pathstatus.h"
#include "editing/options/pickslists.h"
#include "optionsfixture.h"
#include "support/toolprocess.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <sqlite3.h>

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

using test::optionNamed;

class SettingsScreensTest : public test::OptionsFixture {
protected:
    // The first value of a query on the administration, "(null)" for Null.
    QString sql(const QString &query)
    {
        sqlite3_stmt *stmt = nullptr;
        const QByteArray text = query.toUtf8();
        EXPECT_EQ(sqlite3_prepare_v2(session.DBAdmin().handle(), text.constData(), -1, &stmt, nullptr), SQLITE_OK) << sqlite3_errmsg(session.DBAdmin().handle());
        QString value;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_type(stmt, 0) == SQLITE_NULL
                      ? u"(null)"_s
                      : QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return value;
    }
    QString reg(const QString &name) { return registry.LeesRegistry(RegKeyKorvenal, name); }

    const OptionScreen &systeem = test::optionScreen(u"frmSysteem"_s);
    int at(const OptionScreen &screen, const QString &control) { return optionNamed(screen, control); }
};

// Digit counts show their defaults for what is no count and are saved so; counters are zero-
// filled or cut to their count, kept per workstation when it says so, and a receipt number is
// never 0. The increments become 1.
TEST_F(SettingsScreensTest, NumberSeriesAreSavedToTheirDigitCounts)
{
    sql(u"UPDATE UserGegevens SET PositiesBoeknr = 0, PositiesFactnr = NULL, PositiesOrdnr = 5, RelatieNr = '42', "
        u"OrderNummer = '00017', RelNrInc = 3"_s);
    sql(u"INSERT INTO BalieVerkoopInstellingen (Positiesbaliebonnr, baliebonnr) VALUES (5, '0')"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"UseEigenOrderNr"_s, u"1"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"EigenOrderNr"_s, u"77"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"EigenRelNr"_s, u"000099"_s); // left from an earlier switch

    OptionsLogic logic(ctx, systeem);
    const QStringList defaults{u"6"_s, u"6"_s, u"6"_s, u"8"_s, u"5"_s, u"8"_s, u"8"_s};
    for (int n = 0; n <= 6; ++n)
        EXPECT_EQ(logic.stateOf(u"field %1"_s.arg(n)), n == 4 ? u"5"_s : defaults[n]) << n;
    EXPECT_EQ(logic.stateOf(u"field 9"_s), u"5"_s);
    EXPECT_EQ(logic.stateOf(u"field 10"_s), u"77"_s); // this workstation's own order number
    EXPECT_EQ(logic.stateOf(u"field 11"_s), u"1"_s);  // nothing stored shows 1

    logic.setState(at(systeem, u"field 8"_s), u"1234567"_s); // longer than 6 digits: cut
    logic.setState(at(systeem, u"field 10"_s), u"78"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT PositiesBoeknr || '/' || PositiesFactnr || '/' || PositiesOrdnr FROM UserGegevens"_s), u"6/8/5"_s);
    EXPECT_EQ(sql(u"SELECT RelatieNr || '/' || RelNrInc FROM UserGegevens"_s), u"123456/1"_s);
    EXPECT_EQ(reg(u"EigenRelNr"_s), u""_s); // the shared number is used again
    EXPECT_EQ(sql(u"SELECT OrderNummer FROM UserGegevens"_s), u"00017"_s); // untouched
    EXPECT_EQ(reg(u"EigenOrderNr"_s), u"00078"_s);
    EXPECT_EQ(sql(u"SELECT MagazijnBonNr FROM UserGegevens"_s), u"00000001"_s);

    logic.setState(at(systeem, u"field 7"_s), u"0"_s);
    logic.setState(at(systeem, u"field 13"_s), u"12"_s);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT baliebonnr FROM BalieVerkoopInstellingen"_s), u"10000"_s);
    EXPECT_EQ(sql(u"SELECT BestelNr FROM UserGegevens"_s), u"00000012"_s);

    logic.setState(at(systeem, u"field 5"_s), u"16"_s);
    const QString before = sql(u"SELECT PositiesMagBon FROM UserGegevens"_s);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Het aantal posities moet tussen 1 en 15 liggen.\n\nVeld: Magazijnbonnummers"_s);
    EXPECT_EQ(sql(u"SELECT PositiesMagBon FROM UserGegevens"_s), before);
}

// A number the count would cut is only cut when typed; a count beyond 15 and a number beyond 15
// digits are refused; undo does not take back a workstation's number that moved on since.
TEST_F(SettingsScreensTest, NumberSeriesAreNeverCutOrTakenBackBehindTheUsersBack)
{
    sql(u"UPDATE UserGegevens SET PositiesRelnr = 5, RelatieNr = '100000', OrderNummer = '123456789012', "
        u"PositiesOrdnr = 12"_s);
    OptionsLogic logic(ctx, systeem);
    logic.setState(at(systeem, u"field 26"_s), u"0520"_s); // something else
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT RelatieNr || '/' || OrderNummer FROM UserGegevens"_s), u"100000/123456789012"_s);

    logic.setState(at(systeem, u"field 1"_s), u"999999999"_s);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Het aantal posities moet tussen 1 en 15 liggen.\n\nVeld: Relatienummers"_s);
    logic.setState(at(systeem, u"field 1"_s), u"6"_s);
    logic.setState(at(systeem, u"field 10"_s), u"1234567890123456"_s);
    EXPECT_FALSE(logic.save());
    EXPECT_EQ(dialogs.prompts().last(), u"Vul bij \"Volgend ordernummer:\" een nummer van hoogstens 15 cijfers in."_s);

    registry.SchrijfRegistry(RegKeyKorvenal, u"UseEigenOrderNr"_s, u"1"_s);
    ASSERT_TRUE(setOptions(ctx, systeem, {u"OrderNummer=78"_s}));
    EXPECT_EQ(reg(u"EigenOrderNr"_s), u"000000000078"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"EigenOrderNr"_s, u"000000000090"_s); // the order program went on
    dialogs.script({mb::Yes});
    EXPECT_FALSE(OptionsLogic(ctx, systeem).undoLast());
    EXPECT_EQ(dialogs.prompts().last(),
              u"Deze wijziging kan niet meer ongedaan worden gemaakt: EigenOrderNr is daarna opnieuw gewijzigd."_s);
    EXPECT_EQ(reg(u"EigenOrderNr"_s), u"000000000090"_s);
}

// A digit count whose numbers are in use is locked; a release asks, and only Yes unlocks and
// logs. The tool refuses a locked field.
TEST_F(SettingsScreensTest, DigitCountsInUseAreLockedUntilReleased)
{
    sql(u"INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving) VALUES ('1300', 'Debiteuren')"_s);
    OptionsLogic logic(ctx, systeem);
    const int ledger = at(systeem, u"field 9"_s);
    EXPECT_TRUE(logic.locked(ledger));
    for (int n : {0, 1, 2, 3, 4, 5, 6, 12})
        EXPECT_FALSE(logic.locked(at(systeem, u"field %1"_s.arg(n)))) << n;
    EXPECT_FALSE(setOptions(ctx, systeem, {u"PositiesGrbnr=6"_s}));
    EXPECT_EQ(dialogs.prompts().last(), u"PositiesGrbnr is vergrendeld omdat de administratie er al gebruik van maakt. "
                                        u"Geef het veld eerst vrij in het scherm Systeem."_s);

    dialogs.script({mb::No});
    EXPECT_FALSE(logic.release(ledger));
    EXPECT_TRUE(logic.locked(ledger));
    EXPECT_FALSE(QFile::exists(logFilePath(ctx)));
    dialogs.script({mb::Yes});
    EXPECT_TRUE(logic.release(ledger));
    EXPECT_FALSE(logic.locked(ledger));
    EXPECT_EQ(dialogs.prompts().last(), u"Weet u zeker dat u dit veld wilt muteren?\n\nLET OP: Onjuiste wijzigingen "
                                        u"hebben rechtstreeks invloed op uw administratie!"_s);
    QFile log(logFilePath(ctx));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(u"SYSTEEM   : Formulier       : Systeem"_s)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(u"SYSTEEM   : + Actie         : Vrijgeven veld 9, huidige waarde: 5"_s));
}

// Accounts show only when the chart has them; the counter sale gets copies; saving clears its
// password, which the trail never shows and undo never brings back.
TEST_F(SettingsScreensTest, AccountsAreCopiedAndTheCounterPasswordIsCleared)
{
    sql(u"INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving) VALUES ('1300', 'Debiteuren')"_s);
    sql(u"UPDATE UserGegevens SET GrbRekDebiteuren = '1300', GrbRekCrediteuren = '1600'"_s);
    sql(u"INSERT INTO BalieVerkoopInstellingen (Positiesbaliebonnr, baliebonnr, Paswoordbalie) VALUES (5, '10001', 'geheim')"_s);
    OptionsLogic logic(ctx, systeem);
    EXPECT_EQ(logic.stateOf(u"field 20"_s), u"1300"_s);
    EXPECT_EQ(logic.stateOf(u"field 21"_s), u""_s); // not in the chart
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT GrbRekDebiteuren || '/' || Paswoordbalie FROM BalieVerkoopInstellingen"_s), u"1300/"_s);
    EXPECT_EQ(sql(u"SELECT GrbRekCrediteuren FROM UserGegevens"_s), u"1600"_s); // not shown, not saved over
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM InstellingenLog WHERE OudeWaarde = 'geheim' OR NieuweWaarde = 'geheim'"_s), u"0"_s);
    EXPECT_EQ(sql(u"SELECT OudeWaarde FROM InstellingenLog WHERE Naam = 'BalieVerkoopInstellingen.Paswoordbalie'"_s),
              u"(verborgen)"_s);

    dialogs.script({mb::Yes});
    ASSERT_TRUE(logic.undoLast());
    EXPECT_FALSE(dialogs.prompts().last().contains(u"Paswoordbalie"_s));
    EXPECT_EQ(sql(u"SELECT coalesce(GrbRekDebiteuren, '') || '/' || Paswoordbalie FROM BalieVerkoopInstellingen"_s), u"/"_s);
}

TEST_F(SettingsScreensTest, WithoutACompanyRecordTheNumberSeriesShowAndSaveNothing)
{
    sql(u"DELETE FROM UserGegevens"_s);
    OptionsLogic logic(ctx, systeem);
    EXPECT_EQ(logic.stateOf(u"field 0"_s), u""_s);
    logic.setState(at(systeem, u"field 7"_s), u"5"_s);
    EXPECT_TRUE(logic.save());
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM BalieVerkoopInstellingen"_s), u"0"_s);
}

// Shading writes two values; the day limits rise per row; the colour is this administration's.
TEST_F(SettingsScreensTest, MiscellaneousOptions)
{
    ctx.AdminCode = u"07"_s;
    const OptionScreen &diversen = test::optionScreen(u"frmDiversen"_s);
    const int shading = at(diversen, u"combo 10"_s);
    ASSERT_TRUE(setOptions(ctx, diversen, {u"PrintArcering=3"_s}));
    EXPECT_EQ(reg(u"PrintArcering"_s), u"1"_s);
    EXPECT_EQ(reg(u"PrintArceringSterkte"_s), u"240"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"PrintArceringSterkte"_s, u"245"_s);
    EXPECT_EQ(OptionsLogic(ctx, diversen).state(shading), u"2"_s);
    ASSERT_TRUE(setOptions(ctx, diversen, {u"PrintArcering=0"_s}));
    EXPECT_EQ(reg(u"PrintArcering"_s), u"0"_s);
    EXPECT_EQ(reg(u"PrintArceringSterkte"_s), u"245"_s); // no shading leaves the strength

    EXPECT_FALSE(setOptions(ctx, diversen, {u"DebiteurDagen1=30"_s, u"DebiteurDagen2=90"_s, u"DebiteurDagen3=60"_s}));
    EXPECT_EQ(dialogs.prompts().last(), u"De ouderdomscriteria moeten per rij oplopen, bijvoorbeeld 30, 60 en 90 dagen."_s);
    EXPECT_EQ(sql(u"SELECT DebiteurDagen2 FROM UserGegevens"_s), u"(null)"_s);
    EXPECT_TRUE(setOptions(ctx, diversen, {u"KrediteurDagen1=14"_s, u"KrediteurDagen3=28"_s}));

    // The swatch: a picked colour is stored as a Windows colour number, a cancelled dialog changes nothing.
    OptionsScreen view(ctx, diversen);
    auto *swatch = qobject_cast<QPushButton *>(view.control(at(diversen, u"swatch 0"_s)));
    dialogs.colours = {QColor(255, 0, 0), std::nullopt};
    QTest::mouseClick(swatch, Qt::LeftButton);
    QTest::mouseClick(swatch, Qt::LeftButton);
    view.cmdSave_Click();
    EXPECT_EQ(reg(u"AdminColor07"_s), u"255"_s);
    dialogs.colours = {QColor(0, 0, 255)};
    OptionsScreen again(ctx, diversen);
    QTest::mouseClick(qobject_cast<QPushButton *>(again.control(at(diversen, u"swatch 0"_s))), Qt::LeftButton);
    again.cmdSave_Click();
    EXPECT_EQ(reg(u"AdminColor07"_s), u"16711680"_s);
}

TEST_F(SettingsScreensTest, CemeteryGridSizesAreTheLeadingNumber)
{
    EXPECT_EQ(Val(u"12a"), 12);
    EXPECT_EQ(Val(u" 1 2.5x"), 12.5);
    EXPECT_EQ(Val(u"a12"), 0);
    EXPECT_EQ(Val(u""), 0);
    EXPECT_EQ(Val(u"-"), 0);
    EXPECT_EQ(Val(u"."), 0);
    const OptionScreen bga = cemetery::settings();
    ASSERT_TRUE(setOptions(ctx, bga, {u"MatrixHorizontaal=12a"_s, u"MatrixVerticaal=x"_s, u"HuurTermijn=20"_s,
                                      u"bgascherm=aan"_s, u"KleurPad=65280"_s}));
    EXPECT_EQ(sql(u"SELECT MatrixHorizontaal || '/' || MatrixVerticaal || '/' || HuurTermijn || '/' || bgascherm "
                  u"|| '/' || KleurPad FROM UserGegevens"_s),
              u"12/0/20/1/65280"_s);
}

// The bar's list keeps known keys in order, each ended by U+00FF; it is written on leaving.
TEST_F(SettingsScreensTest, FavouritesAreWrittenWhenTheScreenIsLeft)
{
    const OptionScreen screen = favourites();
    {
        OptionsScreen view(ctx, screen);
        auto *lists = view.findChild<PicksLists *>();
        EXPECT_EQ(lists->available()->topLevelItemCount(), 18);
        EXPECT_EQ(lists->chosen()->topLevelItemCount(), 0);
    }
    registry.SchrijfRegistry(RegKeyKorvenal, u"Favorieten_Items"_s, u"orders\u00FFweg\u00FFrelatie\u00FF"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"DisplayFavourites"_s, u"01"_s);
    OptionsScreen view(ctx, screen);
    auto *lists = view.findChild<PicksLists *>();
    ASSERT_EQ(lists->chosen()->topLevelItemCount(), 2);
    EXPECT_EQ(lists->chosen()->topLevelItem(0)->text(0), u"Invoeren orders"_s);
    EXPECT_EQ(view.logic().state(0), u"on"_s); // reads as the number 1

    lists->chosen()->setCurrentItem(lists->chosen()->topLevelItem(0));
    lists->cmdUp_Click(); // already first: nothing moves
    EXPECT_EQ(lists->keys(), u"orders,relatie"_s);
    lists->cmdDown_Click();
    lists->available()->setCurrentItem(lists->available()->topLevelItem(1)); // "Overzicht orders"
    lists->cmdAdd_Click();
    EXPECT_EQ(lists->available()->currentItem()->text(0), u"Bunkers en aanvoerlijnen"_s);
    EXPECT_EQ(reg(u"Favorieten_Items"_s), u"orders\u00FFweg\u00FFrelatie\u00FF"_s); // not before leaving
    ASSERT_TRUE(view.leave());
    EXPECT_EQ(reg(u"Favorieten_Items"_s), u"relatie\u00FForders\u00FFordersoverzicht\u00FF"_s);
    EXPECT_EQ(reg(u"DisplayFavourites"_s), u"01"_s); // unchanged, so not rewritten
}

} // namespace

// The links with other programs, set through the tool by the names the registry holds for
// administration 07. Both invoice-scanning screens show the same folders.
TEST_F(SettingsScreensTest, LinksAreKeptPerAdministration)
{
    ctx.AdminCode = u"07"_s;
    const QString in = dir.filePath(u"in"_s), archief = dir.filePath(u"archief"_s), file = dir.filePath(u"deb.csv"_s);
    ASSERT_TRUE(QDir().mkpath(in) && QDir().mkpath(archief));
    sql(u"INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving) VALUES ('4000', 'Inkoop')"_s);
    struct Row {
        QString screen, key, value, stored;
    };
    const Row rows[] = {
        {u"frmExact"_s, u"ExactDebiteurBestand-07"_s, file, file},
        {u"frmExact"_s, u"ExactCrediteurBestand-07"_s, file, file},
        {u"frmExact"_s, u"ExactFinancieelBestand-07"_s, file, file},
        {u"frmExact"_s, u"ExactFinancieelDagboek-07"_s, u"VK"_s, u"VK"_s},
        {u"frmExact"_s, u"ExactFinancieelDagboekInkoop-07"_s, u"IK"_s, u"IK"_s},
        {u"frmExact"_s, u"ExactFinancieelBoekstukNr-07"_s, u"2026001"_s, u"2026001"_s},
        {u"frmExact"_s, u"ExactFinancieelDivisie-07"_s, u"123"_s, u"123"_s},
        {u"frmExact"_s, u"ExactFinancieelRelNrFiscus-07"_s, u"99999"_s, u"99999"_s},
        {u"frmFacturenKopie"_s, u"FactuurKopiePath-07"_s, in, in},
        {u"frmGoogle"_s, u"GoogleAPIKey"_s, u"AIza-sleutel"_s, u"AIza-sleutel"_s},
        {u"frmGoogle"_s, u"UseGoogleAPIKey"_s, u"aan"_s, u"1"_s},
        {u"frmFacturen_UBL"_s, u"UBLImportPath-07"_s, in, in},
        {u"frmFacturen_UBL"_s, u"UBLArchiefPath-07"_s, archief, archief},
        {u"frmFacturen_UBL"_s, u"UBLStandaardGrootboek-07"_s, u"4000"_s, u"4000"_s},
        {u"frmFacturen_FMModule"_s, u"ReadsoftExportPath-07"_s, dir.path(), dir.path()},
        {u"frmFacturen_FMModule"_s, u"ReadsoftImportPath-07"_s, in, in},
        {u"frmFacturen_ReadSoft"_s, u"ReadsoftArchiefPath-07"_s, archief, archief},
        {u"frmFourage"_s, u"VIHBnr"_s, u"123456789"_s, u"123456789"_s},
        {u"frmFourage"_s, u"VIHBcode"_s, u"VIHB-A"_s, u"VIHB-A"_s},
        {u"frmFourage"_s, u"VIHBAantal"_s, u"99"_s, u"99"_s},
        {u"frmFourage"_s, u"VDMAantal"_s, u"0"_s, u"0"_s},
        {u"frmFourage"_s, u"VDMLab"_s, u"Eurofins"_s, u"Eurofins"_s},
        {u"frmFourage"_s, u"VDMLinkerDeel"_s, u"NL"_s, u"NL"_s},
        {u"frmFourage"_s, u"VDMRechterDeel"_s, u"0042"_s, u"0042"_s},
        {u"frmFourage"_s, u"MineraalFactuurType"_s, u"2"_s, u"2"_s},
        {u"frmFourage"_s, u"VoerLeverantieAfleverAdres"_s, u"aan"_s, u"1"_s},
        {u"frmAgroVision"_s, u"PathXMLAgroConnect-07"_s, in, in},
        {u"frmTrimble"_s, u"PathTransportOpdrachten-07"_s, in, in},
        {u"frmOrderRelgegevens"_s, u"RelQueryAfleverAdres"_s, u"aan"_s, u"1"_s},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.key.toStdString());
        ASSERT_TRUE(setOptions(ctx, test::optionScreen(r.screen), {QString(r.key + u'=' + r.value)})) << dialogs.prompts().join(u'|').toStdString();
        EXPECT_EQ(reg(r.key), r.stored);
    }
    QStringList listed;
    for (const OptionRow &row : listOptions(ctx, {test::optionScreen(u"frmFacturen_ReadSoft"_s), test::optionScreen(u"frmGoogle"_s)}))
        listed << QString(row.key + u'\t' + row.stored);
    EXPECT_TRUE(listed.contains(u"ReadsoftImportPath-07\t"_s + in));
    EXPECT_TRUE(listed.contains(u"GoogleAPIKey\t(verborgen)"_s));
    EXPECT_EQ(sql(u"SELECT OudeWaarde || NieuweWaarde FROM InstellingenLog WHERE Naam = 'GoogleAPIKey'"_s),
              u"(verborgen)(verborgen)"_s); // the key is not in the trail

    // Refused: nothing written, the registry as it was to the byte.
    struct Refused {
        QString screen, assignment, message;
    };
    const QByteArray before = [&] {
        QFile store(dir.filePath(u"registry.reg"_s));
        return store.open(QIODevice::ReadOnly) ? store.readAll() : QByteArray();
    }();
    for (const Refused &r : {
             Refused{u"frmFacturen_UBL"_s, u"UBLImportPath-07="_s + dir.filePath(u"weg"_s),
                     u"De map bestaat niet:\r\n"_s + dir.filePath(u"weg"_s)},
             Refused{u"frmTrimble"_s, u"PathTransportOpdrachten-07="_s + file, u"De map bestaat niet:\r\n"_s + file},
             Refused{u"frmFacturen_UBL"_s, u"UBLArchiefPath-07="_s + in + u'/', u"De importmap en de archiefmap moeten verschillen."_s},
             Refused{u"frmFacturen_FMModule"_s, u"ReadsoftArchiefPath-07="_s + in, u"De importmap en de archiefmap moeten verschillen."_s},
             Refused{u"frmGoogle"_s, u"GoogleAPIKey= "_s, u"Geef de API-sleutel in of zet het gebruik uit."_s},
             Refused{u"frmFourage"_s, u"VDMAantal=100"_s, u"Vul bij \"Aantal VDM:\" een aantal van 0 tot en met 99 in."_s},
             Refused{u"frmExact"_s, u"ExactFinancieelDivisie-07=-1"_s, u"Vul bij \"Divisie:\" alleen cijfers in."_s}}) {
        SCOPED_TRACE(r.assignment.toStdString());
        EXPECT_FALSE(setOptions(ctx, test::optionScreen(r.screen), {r.assignment}));
        EXPECT_EQ(dialogs.prompts().last(), r.message);
        QFile store(dir.filePath(u"registry.reg"_s));
        ASSERT_TRUE(store.open(QIODevice::ReadOnly));
        EXPECT_EQ(store.readAll(), before);
    }

    // Undo puts the folder back; an empty folder is allowed (the link unused).
    const OptionScreen &ubl = test::optionScreen(u"frmFacturen_UBL"_s);
    ASSERT_TRUE(setOptions(ctx, ubl, {u"UBLImportPath-07="_s}));
    EXPECT_EQ(reg(u"UBLImportPath-07"_s), QString());
    dialogs.script({mb::Yes});
    ASSERT_TRUE(OptionsLogic(ctx, ubl).undoLast());
    EXPECT_EQ(reg(u"UBLImportPath-07"_s), in);
}

// Whether a link's folder can be used stands beside its field; korvenal-admin koppelingen lists
// every one and fails when one that is set cannot be used.
TEST_F(SettingsScreensTest, LinkPathsSayWhetherTheyCanBeUsed)
{
    const QString in = dir.filePath(u"in"_s), archief = dir.filePath(u"archief"_s), gone = dir.filePath(u"weg"_s);
    ASSERT_TRUE(QDir().mkpath(in) && QDir().mkpath(archief));
    const struct {
        Control kind;
        QString path, status;
    } cases[] = {
        {Control::Folder, u" "_s, u"niet ingesteld"_s},  {Control::Folder, in, u"ok"_s},
        {Control::Folder, gone, u"ontbreekt"_s},          {Control::Folder, in + u"/deb.csv"_s, u"ontbreekt"_s},
        {Control::File, in + u"/deb.csv"_s, u"ok"_s},     {Control::File, gone + u"/deb.csv"_s, u"ontbreekt"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pathStatus(c.kind, c.path), c.status) << c.path.toStdString();

    ctx.AdminCode = u"07"_s;
    const OptionScreen &ubl = test::optionScreen(u"frmFacturen_UBL"_s);
    ASSERT_TRUE(setOptions(ctx, ubl, {u"UBLImportPath-07="_s + in, u"UBLArchiefPath-07="_s + archief}));
    const QString folder = dir.filePath(u"Proef072026"_s);
    createAdministratie(folder, {});
    const auto links = [&] { return test::runTool(dir.filePath(u"registry.reg"_s), {u"koppelingen"_s, folder}); };
    const test::ToolResult fine = links();
    EXPECT_EQ(fine.code, 0) << fine.err.toStdString();
    EXPECT_TRUE(fine.out.contains(u"frmFacturen_UBL\tUBLArchiefPath-07\t"_s + archief + u"\tok\n"_s));
    EXPECT_TRUE(fine.out.contains(u"frmTrimble\tPathTransportOpdrachten-07\t\tniet ingesteld\n"_s));

    ASSERT_TRUE(QDir(archief).removeRecursively());
    const test::ToolResult broken = links();
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(broken.out.contains(u"frmFacturen_UBL\tUBLArchiefPath-07\t"_s + archief + u"\tontbreekt\n"_s));
    OptionsScreen view(ctx, ubl);
    EXPECT_EQ(view.findChild<QLabel *>(u"lblStatus0"_s)->text(), u"ok"_s);
    EXPECT_EQ(view.findChild<QLabel *>(u"lblStatus1"_s)->text(), u"ontbreekt"_s);
}

// A file is picked in a save dialog that proposes the file stored; a folder in the folder dialog.
TEST_F(SettingsScreensTest, LinkFilesAndFoldersArePicked)
{
    ctx.AdminCode = u"07"_s;
    const OptionScreen &exact = test::optionScreen(u"frmExact"_s);
    registry.SchrijfRegistry(RegKeyKorvenal, u"ExactDebiteurBestand-07"_s, u"/oud/deb.csv"_s);
    OptionsScreen view(ctx, exact);
    dialogs.saveFiles = {dir.filePath(u"debiteuren.csv"_s)};
    QTest::mouseClick(view.control(at(exact, u"file 0"_s))->findChild<QToolButton *>(), Qt::LeftButton);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, u"Debiteurenbestand voor Exact"_s);
    EXPECT_EQ(dialogs.saveRequests[0].filter, u"Exportbestanden (*.csv;*.txt) | *.csv;*.txt"_s);
    EXPECT_EQ(dialogs.saveRequests[0].proposed, u"/oud/deb.csv"_s);
    view.cmdSave_Click();
    EXPECT_EQ(reg(u"ExactDebiteurBestand-07"_s), dir.filePath(u"debiteuren.csv"_s));

    const OptionScreen &trimble = test::optionScreen(u"frmTrimble"_s);
    OptionsScreen folders(ctx, trimble);
    dialogs.folders = {dir.path()};
    QTest::mouseClick(folders.control(0)->findChild<QToolButton *>(), Qt::LeftButton);
    EXPECT_EQ(dialogs.folderTitles.last(), u"Map voor transportopdrachten"_s);
    folders.cmdSave_Click();
    EXPECT_EQ(reg(u"PathTransportOpdrachten-07"_s), dir.path());
}
