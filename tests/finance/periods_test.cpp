#include "core/db/database.h"
#include "core/db/statement.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/listlogic.h"
#include "finance/periods/generation.h"
#include "finance/periods/periodsjob.h"
#include "finance/periods/periodsmember.h"
#include "support/demofixture.h"

using namespace kv;
using namespace kv::finance;
using namespace Qt::Literals::StringLiterals;

namespace {

QString line(const Period &p)
{
    return u"%1 %2 %3-%4%5"_s.arg(p.nr).arg(p.omschrijving, p.startdatum, p.einddatum, p.geblokkeerd ? u" dicht"_s : u""_s);
}

// Each type over a calendar year, a year from April and one from the middle of April.
TEST(PeriodGeneration, EachTypeGivesItsPeriods)
{
    const auto year = periodsOf(PeriodType::Year, {}, {}, u"2024"_s);
    ASSERT_EQ(year.size(), 2u);
    EXPECT_EQ(line(year[0]), u"0 beginbalans 20240101-20241231"_s);
    EXPECT_EQ(line(year[1]), u"1 Jaarperiode 20240101-20241231"_s);

    const auto quarters = periodsOf(PeriodType::Quarter, u"20260401"_s, u"20270331"_s, u"2026"_s);
    ASSERT_EQ(quarters.size(), 6u); // 0..5
    EXPECT_EQ(line(quarters[1]), u"1 1e kwartaal 20260401-20260630"_s);
    EXPECT_EQ(line(quarters[4]), u"4 4e kwartaal 20270101-20270331"_s);
    EXPECT_EQ(line(quarters[5]), u"5 correcties periode 5 20260401-20270331 dicht"_s);

    const auto months = periodsOf(PeriodType::Month, u"20260401"_s, u"20270331"_s, u"2026"_s);
    ASSERT_EQ(months.size(), 14u);
    EXPECT_EQ(line(months[1]), u"1 april 2026 20260401-20260430"_s);
    EXPECT_EQ(line(months[11]), u"11 februari 2027 20270201-20270228"_s);
    EXPECT_EQ(line(months[12]), u"12 maart 2027 20270301-20270331"_s);
    EXPECT_EQ(line(months[13]), u"13 correcties periode 13 20260401-20270331 dicht"_s);
    EXPECT_EQ(months[13].opendatum, QString());
    EXPECT_EQ(months[2].opendatum, u"20260501"_s);

    const auto leap = periodsOf(PeriodType::Month, u"20240101"_s, u"20241231"_s, u"2024"_s);
    EXPECT_EQ(leap[2].einddatum, u"20240229"_s);
    const auto midMonth = periodsOf(PeriodType::Month, u"20260415"_s, u"20270414"_s, u"2026"_s);
    EXPECT_EQ(line(midMonth[1]), u"1 april 2026 20260415-20260430"_s);
    EXPECT_EQ(midMonth[2].startdatum, u"20260501"_s);

    const auto weeks = periodsOf(PeriodType::Week, u"20260101"_s, u"20261231"_s, u"2026"_s);
    ASSERT_EQ(weeks.size(), 54u); // 0..53
    EXPECT_EQ(line(weeks[52]), u"52 Week 52 20260101-"_s);
    EXPECT_EQ(line(weeks[53]), u"53 correcties periode 53 20260101-20261231 dicht"_s);
}

// Regenerating replaces every period in one go and keeps what changed in the trail.
TEST_F(DemoTest, RegeneratedPeriodsReplaceTheOldOnesWithTheirTrail)
{
    replacePeriods(ctx, periodsOf(PeriodType::Quarter, u"20260101"_s, u"20261231"_s, u"2026"_s), u"frmAdministratie"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) || '/' || MAX(PeriodeNr) FROM Perioden"_s), u"6/5"_s);
    EXPECT_EQ(sql(u"SELECT OudeWaarde || '>' || NieuweWaarde FROM InstellingenLog WHERE Naam = 'Perioden[1].Omschrijving'"_s),
              u"januari 2026>1e kwartaal"_s);
    EXPECT_EQ(sql(u"SELECT coalesce(NieuweWaarde, 'weg') FROM InstellingenLog WHERE Naam = 'Perioden[13].Omschrijving'"_s),
              u"weg"_s);
}

} // namespace

namespace {

using namespace kv::listdetail;

// The periods list: status by name, a new period after the highest, edits kept in the trail
// and undone; an end before the start is refused.
TEST_F(DemoTest, PeriodsAreEditedAddedAndUndone)
{
    const Member &member = periodsMember();
    ListLogic list(ctx, member);
    std::function<void(DetailLogic &)> type;
    list.showPopup = [&] {
        DetailLogic popup(ctx, member);
        type(popup);
    };
    list.refresh();
    ASSERT_EQ(list.rows().size(), 14u);
    EXPECT_EQ(list.rows()[13].cells[4].text, u"geblokkeerd"_s);
    EXPECT_EQ(list.rows()[1].cells[4].text, u"open"_s);

    type = [&](DetailLogic &popup) {
        EXPECT_EQ(popup.text(u"PeriodeNr"_s), u"14"_s);
        popup.setText(u"Omschrijving"_s, u"extra"_s);
        popup.setText(u"Startdatum"_s, u"31122026"_s);
        popup.setText(u"Einddatum"_s, u"01122026"_s);
        EXPECT_FALSE(popup.save());
        EXPECT_EQ(dialogs.prompts().last(), u"De einddatum mag niet voor de begindatum liggen."_s);
        popup.setText(u"Einddatum"_s, u"31122026"_s);
        popup.setText(u"Geblokkeerd"_s, u"on"_s);
        EXPECT_TRUE(popup.save());
    };
    list.addNew();
    ASSERT_EQ(list.rows().size(), 15u);
    EXPECT_EQ(list.rows()[14].cells[4].text, u"geblokkeerd"_s);

    type = [&](DetailLogic &popup) {
        popup.setText(u"Omschrijving"_s, u"januari"_s);
        EXPECT_TRUE(popup.save());
    };
    list.edit(1);
    EXPECT_EQ(list.rows()[1].cells[1].text, u"januari"_s);

    dialogs.script({mb::Yes, mb::Yes});
    ASSERT_TRUE(list.undoLast()); // the edit
    EXPECT_EQ(list.rows()[1].cells[1].text, u"januari 2026"_s);
    ASSERT_TRUE(list.undoLast()); // the new period goes again
    EXPECT_EQ(list.rows().size(), 14u);
}

} // namespace

namespace {

// korvenal-admin perioden: another type needs --geforceerd while bookings have periods.
TEST_F(DemoTest, ThePeriodsJobMakesPeriodsOnlyWhenForcedOverBookings)
{
    const QString folder = ctx.DataPad;
    EXPECT_EQ(finance::runPeriodsJob(folder, u"maanden"_s, true), 1);
    EXPECT_EQ(finance::runPeriodsJob(folder, u"week"_s, false), 1);
    EXPECT_EQ(finance::runPeriodsJob(folder, u"week"_s, true), 0);
    db::Statement st = session.DBAdmin().prepareOnce(
        u"SELECT (SELECT COUNT(*) FROM Perioden) || ':' || BoekingsPeriode FROM UserGegevens"_s);
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.column(0).toString(), u"54:3"_s);
}

} // namespace
