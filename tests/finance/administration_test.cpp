// The administration settings on the demo administration.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/log/schrijflog.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionstool.h"
#include "finance/administration/administration.h"
#include "support/demofixture.h"

#include <QFile>

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

class AdministrationTest : public DemoTest {
protected:
    const OptionScreen screen = finance::administration();
};

// The VAT number before a save: empty and incorrect numbers are told and saved, an incomplete
// company number stops the save ("B1" passes: it sorts between "B01" and "B99").
TEST_F(AdministrationTest, TheVatNumberIsTestedBeforeSaving)
{
    struct Case {
        QString number;
        bool saved;
        QString message;
    };
    const Case cases[] = {
        {u""_s, true, u"Let op: Het BTW-nummer is nog niet ingevuld."_s},
        {u"NL465724292"_s, false, u"Het ingevulde BTW-nummer is niet compleet - u dient het correcte bedrijfsnummer B?? nog in te voeren."_s},
        {u"NL465724292B00"_s, false, u"U dient het correcte bedrijfsnummer B?? nog in te voeren!"_s},
        {u"NL465724292B1"_s, true, {}},
        {u"NL123456789B01"_s, true, u"Het ingevulde BTW-nr is niet correct, de overige gegevens worden wel opgeslagen."_s},
        {u"NL465724292B01"_s, true, {}},
    };
    QString stored = u"NL465724292B01"_s;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        dialogs.shown.clear();
        EXPECT_EQ(saveOptions(screen, {{u"field 3"_s, c.number}}), c.saved);
        EXPECT_EQ(dialogs.prompts().value(0), c.message);
        if (c.saved)
            stored = c.number;
        EXPECT_EQ(sql(u"SELECT coalesce(BTWNr, '') FROM UserGegevens"_s), stored);
    }
}

// Booking periods against the VAT return period: the combinations that do not fit are asked
// about (No stops the save); months fit every return period.
TEST_F(AdministrationTest, PeriodsThatDoNotFitTheReturnAreAskedAbout)
{
    //                         return: month  quarter year
    const bool asked[4][3] = {/* year    */ {true, true, false},
                              /* quarter */ {true, false, false},
                              /* month   */ {false, false, false},
                              /* week    */ {true, true, false}};
    for (int periods = 0; periods < 4; ++periods) {
        for (int vatReturn = 0; vatReturn < 3; ++vatReturn) {
            SCOPED_TRACE(periods * 10 + vatReturn);
            sql(u"UPDATE UserGegevens SET BoekingsPeriode = %1, BTWperiode = %2"_s.arg(periods).arg(vatReturn == 0 ? 1 : 0));
            dialogs.shown.clear();
            dialogs.script({mb::No});
            EXPECT_EQ(saveOptions(screen, {{u"combo 1"_s, QString::number(vatReturn)}}), !asked[periods][vatReturn]);
            EXPECT_EQ(!dialogs.shown.empty(), asked[periods][vatReturn]);
            dialogs.answers.clear();
        }
    }
    EXPECT_EQ(dialogs.prompts().value(0), QString()); // the last one, month with year, asked nothing
    sql(u"UPDATE UserGegevens SET BoekingsPeriode = 1, BTWperiode = 1"_s);
    dialogs.script({mb::No});
    EXPECT_FALSE(saveOptions(screen, {{u"combo 1"_s, u"0"_s}}));
    EXPECT_EQ(dialogs.prompts().last(), u"De combinatie boekingsperioden en BTW aangifte tijdvak is niet logisch!\n\nWilt u toch doorgaan?"_s);
}

// Liability off removes every VAT code (undo brings them back); on again makes the five
// standard codes; the extended option adds its codes once, "vrij%" found whatever its case.
TEST_F(AdministrationTest, TheVatCodesFollowTheSwitches)
{
    auto codes = [&] { return sql(u"SELECT COUNT(*) FROM BTWcodering"_s); };
    ASSERT_EQ(codes(), u"14"_s);
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 0"_s, u"off"_s}}));
    EXPECT_EQ(codes(), u"0"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(OptionsLogic(ctx, screen).undoLast());
    EXPECT_EQ(codes(), u"14"_s);
    EXPECT_EQ(sql(u"SELECT Omschrijving FROM BTWcodering WHERE BTWCode = 12"_s), u"[3a] Uitvoer buiten EU"_s);

    EXPECT_TRUE(saveOptions(screen, {{u"toggle 0"_s, u"off"_s}}));
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 0"_s, u"on"_s}, {u"toggle 1"_s, u"off"_s}}));
    EXPECT_EQ(sql(u"SELECT group_concat(BTWCode || ':' || CAST(BTWPercentage AS INTEGER) || ':' || InEx) FROM BTWcodering"_s),
              u"1:0:-1,2:9:-1,3:9:0,6:21:-1,7:21:0"_s);
    sql(u"UPDATE BTWcodering SET BTWRubriek = 6, BTWGrondslag = 9, Omschrijving = 'Import VRIJ%' WHERE BTWCode = 7"_s);
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 1"_s, u"on"_s}}));
    EXPECT_EQ(codes(), u"12"_s); // "[4a] BTW inkoop buiten EU" and its vrij% code were there already
    EXPECT_EQ(sql(u"SELECT BTWCode || ':' || BTWCodeExtern || ':' || BTWverlegd FROM BTWcodering "
                  u"WHERE Omschrijving = '[2a] BTW-verlegd naar mij'"_s),
              u"8:8:-1"_s);
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 4"_s, u"off"_s}})); // saved again: nothing added
    EXPECT_EQ(codes(), u"12"_s);
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 1"_s, u"off"_s}}));
    EXPECT_EQ(codes(), u"5"_s);
}

// A year from April is a broken one; the period type is locked while bookings have periods,
// released after the question with two log lines, and another type makes the periods anew.
TEST_F(AdministrationTest, TheYearAndItsPeriods)
{
    EXPECT_TRUE(saveOptions(screen, {{u"field 1"_s, u"01042026"_s}, {u"field 2"_s, u"31032027"_s}}));
    EXPECT_EQ(sql(u"SELECT BoekjaarPeriodeStart || '-' || BoekjaarPeriodeEind || ':' || BoekjaarGebroken FROM UserGegevens"_s),
              u"20260401-20270331:-1"_s);
    EXPECT_FALSE(saveOptions(screen, {{u"field 2"_s, u"01012026"_s}}));
    EXPECT_EQ(dialogs.prompts().last(), u"De einddatum mag niet voor de begindatum liggen."_s);

    OptionsLogic logic(ctx, screen);
    const int periods = logic.indexOf(u"combo 0"_s);
    ASSERT_TRUE(logic.locked(periods));
    dialogs.script({mb::Yes});
    ASSERT_TRUE(logic.release(periods));
    QFile log(logFilePath(ctx));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(lines.contains(u"SYSTEEM   : Formulier       : Systeem\r\n"_s));
    EXPECT_TRUE(lines.contains(u"SYSTEEM   : + Actie         : Geforceerd boekingsperiode wijzigen.\r\n"_s));
    logic.setState(periods, u"1"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) || ':' || MAX(PeriodeNr) FROM Perioden"_s), u"6:5"_s);
    EXPECT_EQ(sql(u"SELECT Startdatum || '-' || Einddatum FROM Perioden WHERE PeriodeNr = 4"_s), u"20270101-20270331"_s);
}

// The tool sets the period type without making periods at once: they are made in the save, so a
// refused save leaves them as they were, and the type and its periods are one save to undo.
TEST_F(AdministrationTest, TheToolMakesPeriodsOnlyWithTheSave)
{
    sql(u"UPDATE GrootboekMutaties SET Periode = NULL"_s);
    auto periods = [&] { return sql(u"SELECT COUNT(*) FROM Perioden"_s); };
    EXPECT_FALSE(setOptions(ctx, screen, {u"BoekingsPeriode=1"_s, u"BTWNr=NL465724292"_s}));
    EXPECT_EQ(periods(), u"14"_s);
    ASSERT_TRUE(setOptions(ctx, screen, {u"BoekingsPeriode=1"_s}));
    EXPECT_EQ(periods(), u"6"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(OptionsLogic(ctx, screen).undoLast());
    EXPECT_EQ(periods(), u"14"_s);
    EXPECT_EQ(sql(u"SELECT BoekingsPeriode FROM UserGegevens"_s), u"2"_s);
    EXPECT_FALSE(setOptions(ctx, screen, {u"Boekjaar=2030"_s}));
    EXPECT_EQ(dialogs.prompts().last(), u"Boekjaar kan niet worden gewijzigd."_s);
}

// The per-article ledger links: asked when the switch changes, filled for every article and
// code on a second Yes; such a save cannot be undone.
TEST_F(AdministrationTest, PerArticleLinksAreAskedForAndFilled)
{
    dialogs.script({mb::No});
    EXPECT_FALSE(saveOptions(screen, {{u"toggle 2"_s, u"on"_s}}));
    EXPECT_EQ(dialogs.prompts().last(), u"De wijzigingen zijn (nog) niet opgeslagen."_s);
    dialogs.script({mb::Yes, mb::Yes});
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 2"_s, u"on"_s}}));
    EXPECT_EQ(sql(u"SELECT COUNT(*) = (SELECT COUNT(*) FROM Artikelen) * 14 FROM ArtikelenBTW"_s), u"1"_s);
    EXPECT_FALSE(OptionsLogic(ctx, screen).undoLast());
    EXPECT_EQ(dialogs.prompts().last(), u"Deze wijziging kan niet ongedaan worden gemaakt: de grootboekkoppelingen "
                                        u"per artikel zijn gewijzigd."_s);
    dialogs.shown.clear();
    EXPECT_TRUE(saveOptions(screen, {{u"toggle 4"_s, u"off"_s}})); // the switch unchanged: nothing asked
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
