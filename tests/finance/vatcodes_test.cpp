// The VAT code list and window on the demo administration.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "finance/vat/vatcodeeditor.h"
#include "finance/vat/vatcodelist.h"
#include "support/demofixture.h"

using namespace kv;
using namespace kv::finance;
using namespace Qt::Literals::StringLiterals;

namespace {

class VatCodesTest : public DemoTest {
protected:
    const VatCodeRow &row(const VatCodeList &list, int code) { return list.rows()[size_t(list.rowOf(code))]; }
};

TEST_F(VatCodesTest, TheListShowsRatesBasisAndBoxes)
{
    sql(u"UPDATE BTWcodering SET BTWPercentage = 5.5, grootboekreknrkorting = '' WHERE BTWCode = 3"_s);
    const VatCodeList list(ctx);
    ASSERT_EQ(list.rows().size(), 14u);
    EXPECT_EQ(row(list, 6).cells, (QStringList{u"4"_s, u"21%"_s, u"exclusief BTW"_s, u"Hoog tarief - 21%"_s, u"1a"_s,
                                               u"1a"_s, u"6"_s}));
    EXPECT_EQ(row(list, 1).cells.mid(1, 2), (QStringList{u"0%"_s, QString()}));
    EXPECT_EQ(row(list, 12).cells.mid(4, 2), (QStringList{u"3a"_s, u"3a"_s}));
    EXPECT_EQ(row(list, 3).cells.mid(1, 2), (QStringList{u"5,50%"_s, u"inclusief BTW"_s}));
    EXPECT_EQ(row(list, 3).icon, VatCodeRow::Icon::Incomplete); // a sales account without a discount account
    EXPECT_EQ(row(list, 6).icon, VatCodeRow::Icon::Normal);
}

// Moving numbers every code 1..n in the new order; the top row cannot go up.
TEST_F(VatCodesTest, MovingACodeNumbersTheListAnew)
{
    sql(u"UPDATE BTWcodering SET SortNr = 50 WHERE BTWCode = 7"_s);
    VatCodeList list(ctx);
    EXPECT_EQ(list.move(0, -1), 0);
    const int moved = list.move(list.rowOf(2), 1);
    EXPECT_EQ(list.rows()[size_t(moved)].code, 2);
    EXPECT_EQ(list.rows()[1].code, 3);
    EXPECT_EQ(sql(u"SELECT group_concat(BTWCode) FROM (SELECT BTWCode FROM BTWcodering ORDER BY SortNr)"_s),
              u"1,3,2,6,8,9,10,11,12,13,14,15,16,7"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM BTWcodering WHERE SortNr IS NULL OR SortNr > 14"_s), u"0"_s);
    EXPECT_EQ(sql(u"SELECT OudeWaarde || '>' || NieuweWaarde FROM InstellingenLog WHERE Naam = 'BTWcodering[7].SortNr'"_s),
              u"50>14"_s);

    // A number that was not there is put back as not there; the code itself stays.
    sql(u"UPDATE BTWcodering SET SortNr = NULL WHERE BTWCode = 16"_s);
    list.refresh();
    list.move(list.rowOf(16), 1); // first in the list, as a code without a number
    dialogs.script({mb::Yes});
    ASSERT_TRUE(list.undoLast()) << dialogs.prompts().join(u'|').toStdString();
    EXPECT_EQ(sql(u"SELECT coalesce(SortNr, 'leeg') FROM BTWcodering WHERE BTWCode = 16"_s), u"leeg"_s);
}

// A code in use stays; one used only by an order line that is no open order line goes.
TEST_F(VatCodesTest, OnlyACodeNothingUsesIsDeleted)
{
    VatCodeList list(ctx);
    dialogs.script({mb::Yes});
    EXPECT_FALSE(list.remove(list.rowOf(6)));
    EXPECT_EQ(dialogs.prompts()[0], u"Weet u zeker dat u de geselecteerde BTW codering (4) wilt verwijderen?\n\n"
                                    u"Alle eventueel gekoppelde informatie gaat verloren."_s);
    EXPECT_EQ(dialogs.prompts()[1], u"Deze BTW-codering is reeds binnen uw administratie gebruikt.\n\n"
                                    u"Het is daarom niet mogelijk om deze te verwijderen."_s);

    sql(u"DELETE FROM Ordergegevens WHERE BTWCode = 16"_s);
    sql(u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RecordCode, BTWCode) VALUES ('X1', 1, 8, 16)"_s);
    dialogs.script({mb::No, mb::Yes});
    EXPECT_FALSE(list.remove(list.rowOf(16)));
    EXPECT_TRUE(list.remove(list.rowOf(16)));
    EXPECT_EQ(list.rowOf(16), -1);
    EXPECT_EQ(sql(u"SELECT OudeWaarde || '/' || coalesce(NieuweWaarde, 'null') FROM InstellingenLog "
                  u"WHERE Naam = 'BTWcodering[16].Omschrijving'"_s),
              u"[4a] Inkoop buiten EU - vrij%/null"_s);

    dialogs.script({mb::Yes}); // the deletion undone: the code is back as it was
    ASSERT_TRUE(list.undoLast());
    EXPECT_EQ(sql(u"SELECT Omschrijving || '/' || BTWGrondslag || '/' || SortNr FROM BTWcodering WHERE BTWCode = 16"_s),
              u"[4a] Inkoop buiten EU - vrij%/9/14"_s);

    // Each place that keeps the code in use, one at a time.
    const QString uses[] = {u"INSERT INTO Artikelen (ArtikelNummer, BTWCode) VALUES ('ZZ9', 15)"_s,
                            u"INSERT INTO RekeningSchema (GrootboekReknr, BTWCode) VALUES ('9999', 15)"_s,
                            u"INSERT INTO Ordergegevens (OrderNr, RegelNr, RecordCode, BTWCode) VALUES ('X2', 1, 1, 15)"_s,
                            u"INSERT INTO GrootboekMutaties (BoekstukNr, BTWCode) VALUES (999999, 15)"_s};
    for (const QString &use : uses) {
        SCOPED_TRACE(use.toStdString());
        sql(use);
        dialogs.script({mb::Yes});
        EXPECT_FALSE(list.remove(list.rowOf(15)));
        sql(u"DELETE FROM "_s + use.section(u' ', 2, 2) + u" WHERE BTWCode = 15"_s);
    }
    db::Statement history = session.DBArchief().prepareOnce(u"INSERT INTO FaktuurHistorie (BTWCode) VALUES (15)"_s);
    history.step();
    dialogs.script({mb::Yes});
    EXPECT_FALSE(list.remove(list.rowOf(15)));
}

// The checks of OK in their order, each stopping the save with its message.
TEST_F(VatCodesTest, ANewCodeIsCheckedInOrderAndNumberedAfterTheHighest)
{
    VatCodeEditor editor(ctx, std::nullopt);
    auto refused = [&](const QString &message) {
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(dialogs.prompts().last(), message);
    };
    refused(u"De BTW-rubriek voor de aangifte is nog niet ingegeven."_s);
    editor.chooseRubric(9);
    EXPECT_EQ(editor.input.grondslag, 6); // box 3a
    editor.input.grondslag = -1;
    refused(u"De BTW-grondslag voor de aangifte is nog niet ingegeven."_s);
    editor.input.grondslag = 6;
    refused(u"Het BTW-percentage is een verplicht veld..."_s);
    editor.input.percentage = u"abc"_s;
    refused(u"Het BTW percentage is onjuist of mag niet voorkomen..."_s);
    EXPECT_FALSE(editor.leavePercentage());
    EXPECT_EQ(dialogs.prompts().last(), u"Er is geen correct BTW percentage ingegeven."_s);
    editor.input.percentage = u"5,5"_s;
    ASSERT_TRUE(editor.leavePercentage());
    refused(u"U heeft nog geen omschrijving ingegeven"_s);
    editor.input.omschrijving = u"Uitvoer 5,5"_s;
    editor.input.code = u"6"_s;
    refused(u"Deze BTW code bestaat reeds."_s);
    EXPECT_EQ(editor.focus(), u"percentage"_s);
    editor.input.code.clear();
    editor.input.vanaf = u"01-07-2026"_s;
    editor.input.totEnMet = u"30-06-2026"_s;
    refused(u"De einddatum mag niet voor de begindatum liggen."_s);
    editor.input.totEnMet = u"31-12-2026"_s;

    sql(u"UPDATE UserGegevens SET ExtendedBTWGrootboek = -1"_s);
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(editor.input.code, u"17"_s);
    EXPECT_EQ(sql(u"SELECT BTWPercentage || '/' || BTWRubriek || '/' || BTWGrondslag || '/' || BTWType || '/' || "
                  u"SortNr || '/' || DatumVanaf || '/' || BTWCodeExtern FROM BTWcodering WHERE BTWCode = 17"_s),
              u"5.5/9/6/-1/99/20260701/0"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) = (SELECT COUNT(*) FROM Artikelen) FROM ArtikelenBTW WHERE BTWCode = 17"_s), u"1"_s);
    EXPECT_EQ(sql(u"SELECT COUNT(*) FROM InstellingenLog WHERE Naam = 'ArtikelenBTW'"_s), u"1"_s);
    EXPECT_FALSE(VatCodeList(ctx).undoLast());
    EXPECT_EQ(dialogs.prompts().last(), u"Deze wijziging kan niet ongedaan worden gemaakt: de grootboekkoppelingen "
                                        u"per artikel zijn gewijzigd."_s);
}

// An edit writes what changed, and the rubric chooses the basis again when loaded.
TEST_F(VatCodesTest, AnEditWritesWhatChanged)
{
    sql(u"UPDATE BTWcodering SET BTWGrondslag = 3 WHERE BTWCode = 12"_s); // a basis that does not fit its rubric
    VatCodeEditor editor(ctx, 12);
    EXPECT_FALSE(editor.adding());
    EXPECT_EQ(editor.input.grondslag, 6);
    editor.input.omschrijving = u"Uitvoer"_s;
    editor.input.type = 99;
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(sql(u"SELECT Omschrijving || '/' || BTWPercentageVrij || '/' || BTWGrondslag FROM BTWcodering WHERE BTWCode = 12"_s),
              u"Uitvoer/-1/6"_s);
    EXPECT_EQ(sql(u"SELECT group_concat(Naam) FROM (SELECT Naam FROM InstellingenLog ORDER BY Naam)"_s),
              u"BTWcodering[12].BTWGrondslag,BTWcodering[12].BTWPercentageVrij,BTWcodering[12].BTWType,"
              u"BTWcodering[12].Omschrijving"_s);

    dialogs.script({mb::Yes});
    ASSERT_TRUE(VatCodeList(ctx).undoLast());
    EXPECT_EQ(sql(u"SELECT Omschrijving || '/' || BTWPercentageVrij || '/' || BTWGrondslag FROM BTWcodering WHERE BTWCode = 12"_s),
              u"[3a] Uitvoer buiten EU/0/3"_s);

    VatCodeEditor gone(ctx, 99); // not there: a new code
    EXPECT_TRUE(gone.adding());
}

} // namespace
