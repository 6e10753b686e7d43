#include "editing/selection/frmomschrijvingenselectie.h"
#include "editing/selection/frmselectiescherm.h"
#include "editing/selection/selectiequery.h"

#include "selectionfixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTableView>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

namespace {

class SelectieTest : public test::SelectionFixture {
protected:
    void SetUp() override
    {
        test::SelectionFixture::SetUp();
        voegToe(u"LeveringenTabel"_s, {{{u"tabelcode"_s, u"XAB"_s}}, {{u"tabelcode"_s, u"ab2"_s}},
                                       {{u"tabelcode"_s, u"X AB"_s}}, {{u"tabelcode"_s, u"AB1"_s}},
                                       {{u"tabelcode"_s, u"B"_s}}});
        voegToe(u"TabelArtikelGroepen"_s, {{{u"CodeNr"_s, 1}, {u"Omschrijving"_s, u"Groep A"_s}},
                                           {{u"CodeNr"_s, 2}, {u"Omschrijving"_s, u"subgroep"_s}},
                                           {{u"CodeNr"_s, 3}, {u"Omschrijving"_s, u"groep b"_s}}});
        voegToe(u"Autogegevens"_s, {{{u"InternNr"_s, 12}, {u"Kenteken"_s, u"BX-12-ZZ"_s}},
                                    {{u"InternNr"_s, 120}, {u"Kenteken"_s, u"bx-99-aa"_s}}});
        voegToe(u"Artikelen"_s,
                {{{u"ArtikelNummer"_s, u"A1"_s}, {u"Omschrijving1"_s, u"Winter tarwe"_s}},
                 {{u"ArtikelNummer"_s, u"A2"_s}, {u"Omschrijving1"_s, u"Tarwebloem"_s}},
                 {{u"ArtikelNummer"_s, u"A3"_s}, {u"Omschrijving1"_s, u"Gerst"_s}, {u"Omschrijving2"_s, u"zomer TARWE"_s}},
                 {{u"ArtikelNummer"_s, u"A4"_s}, {u"Omschrijving1"_s, u"Maisgries"_s}, {u"Zoektekst"_s, u"tarwe-vervanger"_s}},
                 {{u"ArtikelNummer"_s, u"A5"_s}, {u"Omschrijving1"_s, u"Speltarwe"_s}},
                 {{u"ArtikelNummer"_s, u"A6"_s}, {u"Omschrijving1"_s, u"Haver"_s}}});
        voegToe(u"Landen"_s, {{{u"ISO"_s, u"NL"_s}, {u"Land"_s, u"Nederland"_s}},
                              {{u"ISO"_s, u"BE"_s}, {u"Land"_s, u"België"_s}}});
        voegToe(u"DouaneKantoren"_s, {{{u"ISO"_s, u"NL"_s}, {u"Naam"_s, u"Rotterdam Haven"_s}},
                                      {{u"ISO"_s, u"BE"_s}, {u"Naam"_s, u"Antwerpen haven"_s}},
                                      {{u"ISO"_s, u"NL"_s}, {u"Naam"_s, u"Venlo"_s}}});
    }

    QStringList eersteKolom(SelectieScherm &s)
    {
        QStringList out;
        for (const LijstRij &r : s.rijen())
            out << r.cel(0).toString();
        return out;
    }
};

TEST_F(SelectieTest, SearchesFollowThePrefixSpaceAndCaseRulesOfEachKind)
{
    struct Row {
        const char16_t *soort;
        QString zoek;
        int volgorde;
        QStringList gevonden;
    };
    const Row rows[] = {
        // Codes: prefix in any case, or right after a space; not inside a word.
        {u"frmbonuscodetabel", u"ab"_s, 0, {u"AB1"_s, u"ab2"_s, u"X AB"_s}},
        {u"frmbonuscodetabel", u"*"_s, 0, {u"AB1"_s, u"ab2"_s, u"B"_s, u"X AB"_s, u"XAB"_s}},
        // Quotes never reach the query.
        {u"frmbonuscodetabel", u"a'b\""_s, 0, {u"AB1"_s, u"ab2"_s, u"X AB"_s}},
        // Descriptions by prefix only.
        {u"frmtabelartikelgroepen", u"groep"_s, 1, {u"1"_s, u"3"_s}},
        // Numbers are exact.
        {u"frmautogegevens", u"12"_s, 0, {u"12"_s}},
        {u"frmautogegevens", u"BX"_s, 1, {u"12"_s, u"120"_s}},
        // Article descriptions: those that begin with the text first, then after a space, in
        // the second description, at the end, or in the search text.
        {u"frmartikelen", u"tarwe"_s, 1, {u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s, u"A1"_s}},
        {u"frmartikelen", u"A"_s, 0, {u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s, u"A6"_s}},
        // Customs offices through their country, ordered by country and name.
        {u"frmafleveradres", u"neder"_s, 0, {u"1"_s, u"3"_s}},
        {u"frmafleveradres", u"haven"_s, 0, {u"2"_s, u"1"_s}},
    };
    for (const Row &r : rows) {
        const QString soort = QString::fromUtf16(r.soort);
        SelectieScherm s(ctx, soort);
        ASSERT_TRUE(s.zoek(r.zoek, r.volgorde)) << soort.toStdString();
        EXPECT_EQ(eersteKolom(s), r.gevonden) << soort.toStdString() << " " << r.zoek.toStdString() << "\n"
                                             << s.laatsteQuery().toStdString();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

TEST_F(SelectieTest, EveryKindBuildsAQueryTheEngineRuns)
{
    for (const SelectieBouwer &b : selectieBouwers())
        for (QStringView soort : b.soorten) {
            SelectieScherm s(ctx, soort.toString());
            ASSERT_TRUE(s.bekend()) << soort.toString().toStdString();
            for (int volgorde = 0; volgorde < s.volgordes().size(); ++volgorde)
                for (const QString &zoek : {u"*"_s, u"12"_s, u"ab c"_s})
                    s.zoek(zoek, volgorde);
        }
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

TEST_F(SelectieTest, ProgressEvery501RowsAndTheFinalCount)
{
    struct Row {
        int rijen;
        int voortgang;
        QString eind;
    };
    const Row rows[] = {
        {0, 0, u"Er zijn geen gegevens gevonden op de gegeven selectie."_s},
        {1, 0, u"Er is 1 item gevonden op de gegeven selectie."_s},
        {500, 0, u"Er zijn 500 gegevens gevonden op de gegeven selectie."_s},
        {1100, 2, u"Er zijn 1100 gegevens gevonden op de gegeven selectie."_s},
    };
    int gemaakt = 0;
    for (const Row &r : rows) {
        std::vector<QVariantMap> nieuw;
        for (; gemaakt < r.rijen; ++gemaakt)
            nieuw.push_back({{u"Kenteken"_s, u"K%1"_s.arg(gemaakt, 5, 10, QChar(u'0'))}, {u"InternNr"_s, 1000 + gemaakt}});
        voegToe(u"Autogegevens"_s, nieuw);

        SelectieScherm s(ctx, u"frmAutogegevens"_s);
        QStringList statussen;
        s.fill().toonStatus = [&](const QString &t) { statussen << t; };
        s.zoek(u"K"_s, 1);
        EXPECT_EQ(int(s.rijen().size()), r.rijen);
        EXPECT_EQ(statussen.value(statussen.size() - 1), r.eind);
        const qsizetype metProcent = statussen.filter(u"%)"_s).size();
        EXPECT_EQ(metProcent, r.voortgang) << r.rijen;
        if (r.rijen) {
            EXPECT_EQ(statussen.first(), vulStatus(r.rijen));
        }
        if (r.voortgang) {
            EXPECT_TRUE(statussen[1].startsWith(vulStatus(r.rijen) + u"  ("_s)) << statussen[1].toStdString();
        }
        EXPECT_EQ(s.nietsGevonden(), r.rijen == 0);
    }
}

TEST_F(SelectieTest, EscapeDuringALongFillInterruptsIt)
{
    std::vector<QVariantMap> nieuw;
    for (int i = 0; i < 1600; ++i)
        nieuw.push_back({{u"tabelcode"_s, u"C%1"_s.arg(i, 5, 10, QChar(u'0'))}});
    voegToe(u"LeveringenTabel"_s, nieuw);

    frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
    venster.show();
    venster.zoekVeld()->setText(u"C"_s);
    // Waiting in the queue until the fill lets the window breathe after 501 rows.
    QApplication::postEvent(venster.zoekVeld(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    venster.zoeken();
    EXPECT_EQ(venster.logica().rijen().size(), 501u);
    EXPECT_EQ(venster.status(), u"Er zijn 1600 gegevens gevonden op de gegeven selectie. - (afgebroken)"_s);
    EXPECT_TRUE(venster.isVisible()); // the Escape stopped the fill, not the window

    // Searching again runs whole.
    venster.zoeken();
    EXPECT_EQ(venster.logica().rijen().size(), 1600u);
    EXPECT_FALSE(venster.status().contains(u"afgebroken"_s));
}

TEST_F(SelectieTest, PickingHandsBackTheFirstColumnOrTheKeyAndEscapeLeavesTheResult)
{
    ctx.EditKey = u"'A\"B"_s;
    {
        frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
        EXPECT_EQ(venster.zoekVeld()->text(), u"AB"_s);
        EXPECT_EQ(venster.kop(), u"Geselecteerd overzicht op basis van tabelcode"_s);
        ctx.SelectieResultaat() = u"vorige"_s;
        venster.show();
        venster.zoeken();
        QTest::keyClick(venster.zoekVeld(), Qt::Key_Escape);
        EXPECT_FALSE(venster.isVisible());
        EXPECT_EQ(ctx.SelectieResultaat(), u"vorige"_s);
    }
    {
        frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
        venster.show();
        venster.zoeken();
        venster.lijst()->selectRow(1);
        QTest::keyClick(venster.lijst(), Qt::Key_Return);
        EXPECT_EQ(ctx.SelectieResultaat(), u"ab2"_s);
    }
    {
        voegToe(u"UNnummers"_s, {{{u"UNnummer"_s, 1203}, {u"BenamingNL"_s, u"Benzine"_s}}});
        ctx.EditKey = u"benz"_s;
        frmSelectieScherm venster(ctx, u"frmartikelen-un"_s);
        venster.show();
        venster.logica().zoek(venster.zoekVeld()->text(), 1);
        venster.logica().kies(venster.logica().rijen().at(0));
        EXPECT_EQ(ctx.SelectieResultaat(), u"1203"_s);
    }
}

TEST_F(SelectieTest, TypingInTheListGoesOnWithTheSearchText)
{
    frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
    venster.show();
    venster.zoekVeld()->setText(u"A"_s);
    venster.zoeken();
    QTest::keyClicks(venster.lijst(), u"b1"_s);
    EXPECT_EQ(venster.zoekVeld()->text(), u"Ab1"_s);
    QTest::keyClick(venster.lijst(), Qt::Key_Backspace);
    EXPECT_EQ(venster.zoekVeld()->text(), u"Ab"_s);
    QTest::keyClick(venster.zoekVeld(), Qt::Key_Apostrophe);
    EXPECT_EQ(venster.zoekVeld()->text(), u"Ab"_s);
}

TEST_F(SelectieTest, NothingFoundIsToldAfterTheSearchReturns)
{
    frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
    venster.show();
    venster.zoekVeld()->setText(u"ZZZ"_s);
    venster.zoeken();
    EXPECT_TRUE(dialogs.shown.empty());
    QApplication::processEvents();
    ASSERT_EQ(dialogs.prompts(), QStringList{u"Er zijn geen gegevens gevonden op de gekozen selectie."_s});
    EXPECT_EQ(dialogs.shown[0].buttons, mb::Information);
}

TEST_F(SelectieTest, TheWindowPlaceIsKeptInTheRegistry)
{
    {
        frmSelectieScherm venster(ctx, u"frmbonuscodetabel"_s);
        EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"RelQueryWidth"), u"11235"_s);
        EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"RelQueryState"), u"0"_s);
        EXPECT_EQ(venster.width(), 11235 / 15);
        venster.setGeometry(30, 45, 600, 400);
        venster.reject();
    }
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"RelQueryX"), u"450"_s);
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"RelQueryHeight"), u"6000"_s);
}

TEST_F(SelectieTest, TickedDescriptionsBecomeAFlagString)
{
    voegToe(u"TabelSoortLading"_s, {{{u"CodeNr"_s, 1}, {u"Omschrijving"_s, u"Bulk"_s}},
                                    {{u"CodeNr"_s, 2}, {u"Omschrijving"_s, u"Pallets"_s}},
                                    {{u"CodeNr"_s, 3}, {u"Omschrijving"_s, u"Koel"_s}}});
    struct Row {
        QString voor;
        void (OmschrijvingenSelectie::*actie)();
        QString na;
    };
    const Row rows[] = {
        {u""_s, nullptr, u"---"_s},
        {u"x-X"_s, nullptr, u"X-X"_s},
        {u"X--"_s, &OmschrijvingenSelectie::omkeren, u"-XX"_s},
        {u"-X-"_s, &OmschrijvingenSelectie::alles, u"XXX"_s},
        {u"XXX"_s, &OmschrijvingenSelectie::geen, u"---"_s},
        {u"X-"_s, &OmschrijvingenSelectie::alles, u"XX"_s}, // a position past the string stays out
    };
    for (const Row &r : rows) {
        OmschrijvingenSelectie s(ctx, u"soortlading"_s, r.voor);
        EXPECT_EQ(s.titel(), u"Selecteer soorten lading"_s);
        if (r.actie)
            (s.*r.actie)();
        EXPECT_EQ(s.flags(), r.na) << r.voor.toStdString();
    }

    frmOmschrijvingenSelectie venster(ctx, u"soortlading"_s, u"-X-"_s);
    EXPECT_EQ(venster.lijst()->count(), 3);
    EXPECT_EQ(venster.lijst()->item(1)->checkState(), Qt::Checked);
}

} // namespace

TEST(LijstModel, SortsNumbersAndAmountsByValueAndTextWithoutRegardToCase)
{
    std::vector<LijstRij> rijen;
    for (const QString &t : {u"10"_s, u"9"_s, u"<1.234,50"_s, u"-3"_s, u"1.234,50"_s})
        rijen.push_back(LijstRij::van({t}));
    LijstModel model;
    model.setKolommen({u"bedrag"_s});
    model.toon(&rijen);
    auto kolom = [&] {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.data(model.index(r, 0), Qt::DisplayRole).toString();
        return out;
    };
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(kolom(), (QStringList{u"<1.234,50"_s, u"-3"_s, u"9"_s, u"10"_s, u"1.234,50"_s}));

    rijen = {LijstRij::van({u"b"_s}), LijstRij::van({u"A"_s}), LijstRij::van({u"a2"_s}), LijstRij::van({u"12-01-2026"_s})};
    model.toon(&rijen);
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(kolom(), (QStringList{u"b"_s, u"a2"_s, u"A"_s, u"12-01-2026"_s}));
}
