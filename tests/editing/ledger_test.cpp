#include "editing/ledger/frmrekeningschemaoverzicht.h"
#include "editing/ledger/grootboekrekeningwidget.h"
#include "editing/ledger/rekeningschemaoverzicht.h"

#include "selectionfixture.h"
#include "support/printers.h"

#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QLineEdit>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {

class GrootboekTest : public test::SelectionFixture {
protected:
    void SetUp() override
    {
        test::SelectionFixture::SetUp();
        voegToe(u"UserGegevens"_s, {{{u"PositiesGrbnr"_s, 4}}});
        auto rek = [](const char16_t *nr, const char16_t *oms) {
            return QVariantMap{{u"GrootboekReknr"_s, QString::fromUtf16(nr)}, {u"Omschrijving"_s, QString::fromUtf16(oms)}};
        };
        voegToe(u"RekeningSchema"_s, {rek(u"0800", u"Inventaris"), rek(u"8000", u"Omzet hoog"),
                                      rek(u"8010", u"Omzet laag"), rek(u"0080", u"Voorraad grond"),
                                      rek(u"0081", u"Kosten voorraad"), rek(u"4000", u"Grond-voorraad"),
                                      rek(u"4010", u"Hoofdvoorraad")});
    }

    QStringList nummers(const QString &x, int soort)
    {
        RekeningschemaOverzicht o(ctx);
        o.zoek(x, soort);
        QStringList out;
        for (const LijstRij &r : o.rijen())
            out << r.tag;
        return out;
    }
};

TEST_F(GrootboekTest, TheOverviewSearchesWordsAndZeroPaddedNumbers)
{
    using enum RekeningschemaOverzicht::Zoeksoort;
    struct Row {
        QString x;
        RekeningschemaOverzicht::Zoeksoort soort;
        QStringList gevonden;
    };
    const Row rows[] = {
        // At the start, after a blank or after a hyphen; not inside a word. Ordered by description.
        {u"voorraad"_s, Omschrijving, {u"4000"_s, u"0081"_s, u"0080"_s}},
        {u"voor'raad"_s, Omschrijving, {u"4000"_s, u"0081"_s, u"0080"_s}},
        {u"80"_s, Grootboeknummer, {u"0080"_s, u"8000"_s, u"8010"_s}},
        {u"*"_s, Grootboeknummer, {u"0080"_s, u"0081"_s, u"0800"_s, u"4000"_s, u"4010"_s, u"8000"_s, u"8010"_s}},
        {u""_s, Omschrijving, {u"4000"_s, u"4010"_s, u"0800"_s, u"0081"_s, u"8000"_s, u"8010"_s, u"0080"_s}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(nummers(r.x, r.soort), r.gevonden) << r.x.toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

TEST_F(GrootboekTest, AnOverviewRowShowsTypeBalanceCostCentreSummaryAndVat)
{
    voegToe(u"Hoofdverdichting"_s, {{{u"Hoofdverdichting"_s, 3}, {u"HoofdOmschrijving"_s, u"Opbrengsten"_s}}});
    voegToe(u"BTWcodering"_s, {{{u"BTWCode"_s, 2}, {u"BTWPercentage"_s, 21}, {u"InEx"_s, false}}});
    voegToe(u"RekeningSchema"_s, {{{u"GrootboekReknr"_s, u"8100"_s}, {u"Omschrijving"_s, u"Omzet export"_s},
                                   {u"Soortrek"_s, 1}, {u"BeginsaldoDebet"_s, 100}, {u"MutatieCumCredit"_s, 1334.5},
                                   {u"Hoofdverdichting"_s, 3}, {u"BTWCode"_s, 2}, {u"BTWRekening"_s, true},
                                   {u"SubAdminCrediteuren"_s, true}}});
    RekeningschemaOverzicht o(ctx);
    QStringList statussen;
    o.fill().toonStatus = [&](const QString &t) { statussen << t; };
    o.zoek(u"8100"_s, RekeningschemaOverzicht::Grootboeknummer);
    ASSERT_EQ(o.rijen().size(), 1u);
    const LijstRij &r = o.rijen()[0];
    EXPECT_EQ(r.cellen(), (QStringList{u"8100"_s, u"Omzet export"_s, u"V&W-rek."_s, u"      <1.234,50"_s, u"n.v.t."_s,
                                     u"3"_s, u"Opbrengsten"_s, u""_s, u""_s, u"2"_s, u"21% -  - exclusief BTW"_s}));
    EXPECT_EQ(r.kenmerken, RekeningschemaOverzicht::BtwRekening | RekeningschemaOverzicht::SubAdminCrediteuren);
    EXPECT_EQ(statussen.last(), u"Er zijn 1 grootboekrekeningen gevonden op de gegeven selectie."_s);

    const LijstRij &balans = [&]() -> const LijstRij & {
        o.zoek(u"0800"_s, RekeningschemaOverzicht::Grootboeknummer);
        return o.rijen()[0];
    }();
    EXPECT_EQ(balans.cel(2), u"Balans"_s);
    EXPECT_EQ(balans.cel(10), u" - n.v.t."_s);
}

TEST_F(GrootboekTest, LeavingTheFieldFillsItWarnsOrOpensTheOverview)
{
    using enum GrootboekVeld::Uitkomst;
    struct Row {
        QString getypt;
        QString overzichtKiest; // what the user picks in the overview, when it opens
        GrootboekVeld::Uitkomst uitkomst;
        QString nummer, omschrijving, overzichtOp;
        QString melding;
    };
    const QString onbekend = u"Er is een onbekend grootboeknummer ingegeven. opnieuw s.v.p."_s;
    const Row rows[] = {
        {u"  "_s, {}, Leeg, {}, {}, {}, {}},
        {u"8000"_s, {}, Gevonden, u"8000"_s, u"Omzet hoog"_s, {}, {}},
        {u"8999"_s, {}, Onbekend, {}, {}, {}, onbekend},
        // One hit on a number start or inside a description fills the field.
        {u"Inven"_s, {}, Gevonden, u"0800"_s, u"Inventaris"_s, {}, {}},
        {u"08"_s, {}, Gevonden, u"0800"_s, u"Inventaris"_s, {}, {}},
        // Several hits or none: the overview decides.
        {u"Om'zet"_s, u"8010"_s, Gevonden, u"8010"_s, u"Omzet laag"_s, u"Omzet"_s, {}},
        {u"zzz"_s, u""_s, Geannuleerd, {}, {}, u"zzz"_s, {}},
    };
    for (const Row &r : rows) {
        dialogs.shown.clear();
        GrootboekVeld veld(ctx);
        QString geopendOp = u"(niet)"_s;
        veld.openOverzicht = [&](const QString &x) {
            geopendOp = x;
            return r.overzichtKiest;
        };
        const GrootboekVeld::Resultaat res = veld.verlaat(r.getypt);
        EXPECT_EQ(res.uitkomst, r.uitkomst) << r.getypt.toStdString();
        EXPECT_EQ(res.nummer, r.nummer) << r.getypt.toStdString();
        EXPECT_EQ(res.omschrijving, r.omschrijving) << r.getypt.toStdString();
        EXPECT_EQ(geopendOp, r.overzichtOp.isNull() ? u"(niet)"_s : r.overzichtOp) << r.getypt.toStdString();
        EXPECT_EQ(dialogs.prompts().join(u'|'), r.melding) << r.getypt.toStdString();
    }
}

TEST_F(GrootboekTest, TheWidgetShowsTheDescriptionAndKeepsItsAccountWhenTheOverviewIsClosed)
{
    GrootboekRekeningWidget w(ctx);
    EXPECT_EQ(w.invoer()->maxLength(), 4);
    w.setNummer(u"8000"_s);
    EXPECT_EQ(w.omschrijvingLabel()->text(), u"Omzet hoog"_s);
    w.setNummer(u"7777"_s);
    EXPECT_EQ(w.omschrijvingLabel()->text(), u"onbekend"_s);
    w.setNummer(u""_s);
    EXPECT_EQ(w.omschrijvingLabel()->text(), u""_s);

    w.setNummer(u"8000"_s);
    w.logica().openOverzicht = [](const QString &) { return QString(); };
    w.invoer()->setText(u"Omz"_s);
    Q_EMIT w.invoer()->editingFinished();
    EXPECT_EQ(w.nummer(), u"8000"_s);
    EXPECT_EQ(w.invoer()->text(), u"8000"_s);

    w.logica().openOverzicht = [](const QString &) { return u"8010"_s; };
    w.invoer()->setText(u"Omz"_s);
    Q_EMIT w.invoer()->editingFinished();
    EXPECT_EQ(w.nummer(), u"8010"_s);
    EXPECT_EQ(w.omschrijvingLabel()->text(), u"Omzet laag"_s);
}

} // namespace

TEST_F(GrootboekTest, TheOverviewHandsBackThePickedNumberOrNothing)
{
    {
        frmRekeningschemaOverzicht venster(ctx, u"80"_s);
        EXPECT_EQ(venster.keuzeCombo()->currentIndex(), int(RekeningschemaOverzicht::Grootboeknummer));
        venster.show();
        venster.zoeken();
        venster.lijst()->selectRow(1);
        QTest::keyClick(venster.lijst(), Qt::Key_Return);
        EXPECT_EQ(ctx.SelectieResultaat(), u"8000"_s);
    }
    {
        frmRekeningschemaOverzicht venster(ctx, u"omzet"_s);
        EXPECT_EQ(venster.keuzeCombo()->currentIndex(), int(RekeningschemaOverzicht::Omschrijving));
        venster.show();
        venster.reject();
        EXPECT_EQ(ctx.SelectieResultaat(), u""_s);
    }
}
