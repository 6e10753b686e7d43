#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/sections/droogtabelartikelen.h"
#include "editing/listdetail/sections/eurokoers.h"
#include "listdetail_fixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString opslaanVraag = u"Wilt u deze droogtabel nu opslaan?"_s;
const QString eerstOpslaan =
    u"Voordat u artikelen aan deze droogtabel kunt toevoegen moet de droogtabel eerst worden opgeslagen."_s;
const QString verwijderVraag = u"Weet u zeker dat u dit artikel uit deze droogtabel wilt verwijderen?"_s;

// A popup whose selection window answers from a list, recording what it was asked.
struct PickingPopup {
    PickingPopup(Context &ctx, const Member &member) : logic(ctx, member)
    {
        logic.selectionWindow = [this](const QString &kind, const QString &start) {
            asked.push_back({kind, start});
            return picks.empty() ? QString() : picks.takeFirst();
        };
    }
    DetailLogic logic;
    QStringList picks;
    std::vector<std::pair<QString, QString>> asked;
};

} // namespace

class DrogenTest : public ListDetailTest {
protected:
    void SetUp() override
    {
        ListDetailTest::SetUp();
        addRecord(u"Artikelen"_s, {{u"ArtikelNummer"_s, u"A100"_s}, {u"Omschrijving1"_s, u"Wintertarwe"_s}});
        addRecord(u"Artikelen"_s, {{u"ArtikelNummer"_s, u"A200"_s}, {u"Omschrijving1"_s, u"Zomergerst"_s}});
    }
    const Member &drogen = *findMember(u"frmDrogen");
};

TEST_F(DrogenTest, ANewTableIsSavedFirstOnlyWhenTheUserAgrees)
{
    ctx.EditMode = u"addnew"_s;
    PickingPopup popup(ctx, drogen);
    DroogtabelArtikelen artikelen(popup.logic);
    popup.picks = {u"A100"_s};

    dialogs.script({mb::No});
    EXPECT_FALSE(artikelen.add());
    EXPECT_EQ(dialogs.prompts(), (QStringList{opslaanVraag, eerstOpslaan}));
    EXPECT_TRUE(popup.asked.empty());

    // Yes, but the table cannot be saved yet: its own check speaks and nothing is linked.
    dialogs.shown.clear();
    dialogs.script({mb::Yes});
    EXPECT_FALSE(artikelen.add());
    EXPECT_EQ(dialogs.prompts(), (QStringList{opslaanVraag, u"U heeft nog geen omschrijving ingegeven."_s}));
    EXPECT_EQ(count(u"Droogtabel"_s), 0);

    dialogs.shown.clear();
    dialogs.script({mb::Yes});
    popup.logic.setText(u"Omschrijving"_s, u"Tarwe drogen"_s);
    EXPECT_TRUE(artikelen.add());
    EXPECT_EQ(popup.asked, (std::vector<std::pair<QString, QString>>{{u"frmartikelen"_s, {}}}));
    EXPECT_EQ(count(u"Droogtabel"_s), 1);
    EXPECT_EQ(count(u"DroogtabelDetails"_s), 1);
    EXPECT_EQ(artikelen.caption(), u"Gekoppelde artikelen (1)"_s);
    ASSERT_EQ(artikelen.artikelen().size(), 1u);
    EXPECT_EQ(artikelen.artikelen()[0].omschrijving, u"Wintertarwe"_s);

    // From now on the popup edits the stored table: OK writes no second one, nothing is asked.
    dialogs.shown.clear();
    popup.logic.setText(u"Droogkosten"_s, u"3,25"_s);
    EXPECT_TRUE(popup.logic.save());
    EXPECT_EQ(count(u"Droogtabel"_s), 1);
    EXPECT_TRUE(dialogs.prompts().isEmpty());
}

TEST_F(DrogenTest, LinkedArticlesAreListedOnceAndRemovedAfterTheQuestion)
{
    addRecord(u"Droogtabel"_s, {{u"Omschrijving"_s, u"Mais"_s}});
    addRecord(u"Droogtabel"_s, {{u"Omschrijving"_s, u"Gerst"_s}});
    addRecord(u"DroogtabelDetails"_s, {{u"DroogtabelID"_s, 2}, {u"ArtikelNummer"_s, u"A200"_s}});
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    PickingPopup popup(ctx, drogen);
    DroogtabelArtikelen artikelen(popup.logic);
    EXPECT_EQ(artikelen.caption(), u"Gekoppelde artikelen (0)"_s);

    popup.picks = {u"A200"_s, u"a200"_s, u"A100"_s, {}};
    EXPECT_TRUE(artikelen.add());
    EXPECT_FALSE(artikelen.add()); // the same article, typed differently
    EXPECT_TRUE(artikelen.add());
    EXPECT_FALSE(artikelen.add()); // the selection window was closed without a pick
    EXPECT_EQ(artikelen.caption(), u"Gekoppelde artikelen (2)"_s);
    EXPECT_TRUE(dialogs.prompts().isEmpty());

    ListLogic list(ctx, drogen);
    list.refresh();
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[0].cells[1].text, u"A200, A100"_s);
    EXPECT_EQ(list.rows()[1].cells[1].text, u"A200"_s);

    EXPECT_FALSE(artikelen.remove(-1));
    EXPECT_FALSE(artikelen.remove(2));
    dialogs.script({mb::No, mb::Yes});
    EXPECT_FALSE(artikelen.remove(0));
    EXPECT_TRUE(artikelen.remove(0));
    EXPECT_EQ(dialogs.prompts(), (QStringList{verwijderVraag, verwijderVraag}));
    ASSERT_EQ(artikelen.artikelen().size(), 1u);
    EXPECT_EQ(artikelen.artikelen()[0].nummer, u"A100"_s);
    EXPECT_EQ(count(u"DroogtabelDetails"_s), 2); // the other table keeps its article
}

TEST_F(DrogenTest, AStarInAnArticleFieldOpensTheSelectionWindow)
{
    ctx.EditMode = u"addnew"_s;
    PickingPopup popup(ctx, drogen);
    popup.picks = {u"A200"_s};
    popup.logic.setText(u"DroogArtNr"_s, u"A2*"_s);
    EXPECT_TRUE(popup.logic.pick(u"DroogArtNr"_s));
    EXPECT_EQ(popup.asked, (std::vector<std::pair<QString, QString>>{{u"frmartikelen"_s, u"A2"_s}}));
    EXPECT_EQ(popup.logic.text(u"DroogArtNr"_s), u"A200"_s);
    EXPECT_EQ(popup.logic.shownName(u"DroogArtNr"_s), u"Zomergerst"_s);

    // Nothing picked: the field keeps what was typed before the star.
    popup.logic.setText(u"WeegArtNr"_s, u"*A"_s);
    EXPECT_FALSE(popup.logic.pick(u"WeegArtNr"_s));
    EXPECT_EQ(popup.logic.text(u"WeegArtNr"_s), u"A"_s);
    EXPECT_FALSE(popup.logic.pick(u"Omschrijving"_s)); // names no other record
    EXPECT_EQ(popup.asked.size(), 2u);

    // An article number that is none stops the save.
    popup.logic.setText(u"Omschrijving"_s, u"Tarwe"_s);
    EXPECT_FALSE(popup.logic.save());
    EXPECT_EQ(dialogs.prompts(), QStringList{u"Er is een onbekend artikelnummer ingegeven. opnieuw s.v.p."_s});
}

TEST_F(ListDetailTest, TheCurrencyPopupShowsTheRateAgainstTheEuro)
{
    const Member &valuta = *findMember(u"frmValuta");
    struct Case {
        const char *name;
        QString euro; // the EUR record's rate; empty: no EUR record
        QString code, rate, shown;
    };
    const Case cases[] = {
        {"rates kept against the euro", u"1,00"_s, u"usd"_s, u"1,08"_s, u"1 EUR = 1,0800 USD"_s},
        {"rates kept against another base", u"0,50"_s, u"USD"_s, u"0,54"_s, u"1 EUR = 1,0800 USD"_s},
        {"no euro in the table reads as one", {}, u"GBP"_s, u"0,85"_s, u"1 EUR = 0,8500 GBP"_s},
        {"a euro rate of zero reads as one", u"0"_s, u"GBP"_s, u"0,85"_s, u"1 EUR = 0,8500 GBP"_s},
        {"no rate typed yet", u"1,00"_s, u"USD"_s, {}, {}},
        {"no code typed yet", u"1,00"_s, {}, u"1,08"_s, {}},
        {"the euro itself", u"1,00"_s, u"eur"_s, u"0,90"_s, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        session.DBAdmin().Execute(u"DELETE FROM ValutaTabel"_s);
        if (!c.euro.isEmpty())
            addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"EUR"_s}, {u"valutakoers"_s, c.euro}});
        ctx.EditMode = u"addnew"_s;
        DetailLogic popup(ctx, valuta);
        popup.setText(u"Valutacode"_s, c.code);
        popup.setText(u"valutakoers"_s, c.rate);
        EXPECT_EQ(koersTegenEuro(popup), c.shown);
    }
}

TEST_F(ListDetailTest, PopupLinksOpenThroughTheDesktopAndFollowTheRate)
{
    addRecord(u"ValutaTabel"_s, {{u"Valutacode"_s, u"EUR"_s}, {u"valutakoers"_s, u"1,00"_s}});
    ctx.EditMode = u"addnew"_s;
    DetailPopup valuta(ctx, *findMember(u"frmValuta"));
    auto *rate = valuta.findChild<QLineEdit *>(u"valutakoers"_s);
    auto *euro = valuta.findChild<QLabel *>(u"lblEurokoers"_s);
    ASSERT_NE(euro, nullptr);
    valuta.logic().setText(u"Valutacode"_s, u"CHF"_s);
    valuta.logic().setText(u"valutakoers"_s, u"0,94"_s);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(rate, &leave);
    EXPECT_EQ(euro->text(), u"1 EUR = 0,9400 CHF"_s);
    Q_EMIT valuta.findChild<QLabel *>(u"lblLink"_s)->linkActivated(u"#"_s);
    EXPECT_EQ(dialogs.opened, QStringList{u"https://www.iso.org/iso-4217-currency-codes.html"_s});

    addRecord(u"Boten"_s, {{u"Bootnaam"_s, u"Zeemeeuw & Co"_s}});
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"1"_s;
    DetailPopup boot(ctx, *findMember(u"frmBoten"));
    Q_EMIT boot.findChild<QLabel *>(u"lblLink"_s)->linkActivated(u"#"_s);
    ASSERT_EQ(dialogs.opened.size(), 2);
    EXPECT_TRUE(dialogs.opened[1].endsWith(u"Zeemeeuw%20%26%20Co"_s)) << dialogs.opened[1].toStdString();
}
