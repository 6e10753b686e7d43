// The direct debit and payment settings and the sub-administration on the demo administration.
#include "core/db/statement.h"
#include "core/registry/registry.h"
#include "editing/options/optionslogic.h"
#include "editing/options/optionsscreen.h"
#include "editing/options/optionstool.h"
#include "finance/incasso/incasso.h"
#include "finance/subadmin/sorbexscan.h"
#include "finance/subadmin/subadmin.h"
#include "demo/sorbex.h"
#include "support/demofixture.h"
#include "support/toolprocess.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

using namespace kv;
using namespace kv::options;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kWrongAccount = u"Het ingegeven bankgironummer is niet correct...opnieuw s.v.p."_s;
const QString kWrongId = u"Let op: dit Incassant ID klopt niet; controleer het incasso-contract met uw bank."_s;
const QString kOtherKvk = u"Let op: het KvK-nummer in dit Incassant ID is niet 12345678 uit de bedrijfsgegevens."_s;
const QString kChooseSorbex = u"Kies of Sorbex lokaal of als Sorbex Online wordt gebruikt."_s;

class IncassoSubadminTest : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        sql(u"UPDATE UserGegevens SET KvKNr = '99999999', IncassoNr = 5, BetaalNr = 7"_s);
    }
    QString user(const QString &columns) { return sql(u"SELECT " + columns + u" FROM UserGegevens"); }
    const OptionScreen incasso = finance::incassoBetalen();
    const OptionScreen subadmin = finance::subAdministratie();
};

// What is typed is stored in the form the batch files take, shown in groups, with the bank's
// BIC; every save starts both batch series at 0.
TEST_F(IncassoSubadminTest, AccountsAndIdAreStoredNormalised)
{
    ASSERT_TRUE(saveOptions(incasso, {{u"field 1"_s, u"nl91 abna 0417 1643 00"_s}, {u"field 2"_s, u" nl79 zzz 9999 9999 0000"_s},
                               {u"field 4"_s, u"12.34.56.789"_s}, {u"combo 0"_s, u"2"_s}}));
    EXPECT_EQ(user(u"IncassoRekening || '|' || IncassantID || '|' || BetaalRekening || '|' || BatchBooking"_s),
              u"NL91ABNA0417164300|NL79ZZZ999999990000|123456789|2"_s);
    EXPECT_EQ(user(u"IncassoNr || BetaalNr"_s), u"00"_s);

    const OptionsLogic shown(ctx, incasso);
    EXPECT_EQ(shown.stateOf(u"field 1"_s), u"NL91 ABNA 0417 1643 00"_s);
    EXPECT_EQ(incasso.remark(shown, shown.indexOf(u"field 1"_s)).text, u"BIC: ABNANL2A"_s);
    EXPECT_TRUE(incasso.remark(shown, shown.indexOf(u"field 4"_s)).text.isEmpty()); // no IBAN, no bank
    EXPECT_TRUE(dialogs.prompts().isEmpty());

    sql(u"UPDATE UserGegevens SET IncassoNr = 3"_s); // a save that changes nothing else resets it too
    ASSERT_TRUE(saveOptions(incasso, {}));
    EXPECT_EQ(user(u"IncassoNr"_s), u"0"_s);
}

TEST_F(IncassoSubadminTest, CreditorIdAdvice)
{
    struct Case { QString id, kvk, advice; };
    const Case cases[] = {
        {u"NL79ZZZ999999990000"_s, u"99999999"_s, {}},
        {u"nl79 zzz 9999 9999 0000"_s, u"99999999"_s, {}},
        {u"NL79ZZZ999999990000"_s, {}, {}}, // no KvK number to hold it against
        {u"NL78ZZZ999999990000"_s, u"99999999"_s, kWrongId},
        {u"NL79ABC999999990000"_s, u"99999999"_s, {}}, // the business code is not in the check
        {u"NL79ZZZ999999990000"_s, u"12345678"_s, kOtherKvk},
        {u"NL79ZZZ99999999000"_s, u"99999999"_s, kWrongId},
        {u"NL26ZZZ9999999900A0"_s, u"99999999"_s, kWrongId}, // right check digits, a letter in it
        {u"DE98ZZZ09999999999"_s, u"12345678"_s, {}},
        {u"DE97ZZZ09999999999"_s, u"12345678"_s, kWrongId},
        {u"NL7"_s, {}, kWrongId},
        {u""_s, u"99999999"_s, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id.toStdString());
        EXPECT_EQ(finance::incassantIdAdvice(c.id, c.kvk), c.advice);
    }
}

// Advice is shown, never in the way: the screen and the tool save all the same. A wrong account
// stops the save, also when it was never left.
TEST_F(IncassoSubadminTest, AdviceNeverStopsASaveButAWrongAccountDoes)
{
    sql(u"UPDATE UserGegevens SET KvKNr = '12345678'"_s);
    OptionsLogic logic(ctx, incasso);
    logic.setState(logic.indexOf(u"field 2"_s), u"NL78ZZZ999999990000"_s);
    EXPECT_EQ(incasso.remark(logic, logic.indexOf(u"field 2"_s)).text, kWrongId);
    EXPECT_TRUE(incasso.remark(logic, logic.indexOf(u"field 2"_s)).advice);
    ASSERT_TRUE(logic.save());
    EXPECT_EQ(user(u"IncassantID"_s), u"NL78ZZZ999999990000"_s);

    EXPECT_TRUE(setOptions(ctx, incasso, {u"IncassantID=NL79ZZZ999999990000"_s}));
    EXPECT_EQ(dialogs.prompts(), QStringList{kOtherKvk});
    EXPECT_EQ(user(u"IncassantID"_s), u"NL79ZZZ999999990000"_s);

    // An IBAN of the wrong length for its country passes the check digits: advice under the
    // field and on the tool's stderr, and it is saved.
    OptionsLogic account(ctx, incasso);
    account.setState(account.indexOf(u"field 1"_s), u"NL58ABNA041716430"_s);
    EXPECT_EQ(incasso.remark(account, account.indexOf(u"field 1"_s)).text, u"Let op: een IBAN uit Nederland heeft 18 tekens."_s);
    EXPECT_TRUE(incasso.remark(account, account.indexOf(u"field 1"_s)).advice);
    ASSERT_TRUE(account.save());
    EXPECT_EQ(user(u"IncassoRekening"_s), u"NL58ABNA041716430"_s);
    dialogs.shown.clear();
    EXPECT_TRUE(setOptions(ctx, incasso, {u"BetaalRekening=NL06ABNA04171643001"_s}));
    EXPECT_TRUE(dialogs.prompts().contains(u"Let op: een IBAN uit Nederland heeft 18 tekens."_s));
    EXPECT_EQ(user(u"BetaalRekening"_s), u"NL06ABNA04171643001"_s);

    const QString before = user(u"IncassantNaam || BetaalRekening"_s);
    dialogs.shown.clear();
    EXPECT_FALSE(saveOptions(incasso, {{u"field 0"_s, u"Ander"_s}, {u"field 4"_s, u"123456788"_s}}));
    EXPECT_EQ(dialogs.prompts(), QStringList{kWrongAccount});
    EXPECT_EQ(user(u"IncassantNaam || BetaalRekening"_s), before);
}

// The console's tool sets the screen with its checks: advice on stderr with exit 0, a wrong
// account refused with exit 1.
TEST_F(IncassoSubadminTest, ToolSetsDirectDebitSettings)
{
    const auto run = [&](const QStringList &values) {
        return test::runTool(dir.filePath(u"registry.reg"_s), QStringList{u"opties"_s, ctx.DataPad, u"frmIncassoBetalen"_s} + values);
    };
    test::ToolResult advised = run({u"IncassoRekening=nl91 abna 0417 1643 00"_s, u"IncassantID=nl78 zzz 9999 9999 0000"_s});
    EXPECT_EQ(advised.code, 0);
    EXPECT_TRUE(advised.err.contains(kWrongId)) << advised.err.toStdString();
    EXPECT_EQ(user(u"IncassoRekening || IncassantID || IncassoNr"_s), u"NL91ABNA0417164300NL78ZZZ9999999900000"_s);
    test::ToolResult refused = run({u"BetaalNaam=X"_s, u"BetaalRekening=NL91ABNA0417164301"_s});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(kWrongAccount)) << refused.err.toStdString();
    EXPECT_NE(user(u"BetaalNaam"_s), u"X"_s);
}

// On the screen a wrong account keeps the focus after its message; a right one is shown in groups.
TEST_F(IncassoSubadminTest, LeavingAWrongAccountKeepsTheFocus)
{
    OptionsScreen view(ctx, incasso);
    view.show();
    QApplication::setActiveWindow(&view);
    auto *account = qobject_cast<QLineEdit *>(view.control(view.logic().indexOf(u"field 1"_s)));
    auto *next = qobject_cast<QLineEdit *>(view.control(view.logic().indexOf(u"field 2"_s)));
    for (const auto &[typed, kept] : {std::pair{u"NL91ABNA0417164301"_s, true}, std::pair{u"nl91abna0417164300"_s, false}}) {
        dialogs.shown.clear();
        account->setFocus();
        account->clear();
        QTest::keyClicks(account, typed);
        next->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(account->hasFocus(), kept) << typed.toStdString();
        EXPECT_EQ(dialogs.prompts(), kept ? QStringList{kWrongAccount} : QStringList{});
    }
    EXPECT_EQ(account->text(), u"NL91 ABNA 0417 1643 00"_s);
}

// The kind is made from both groups; Sorbex with neither way of using it is refused whole.
TEST_F(IncassoSubadminTest, SubAdministrationKinds)
{
    sql(u"UPDATE UserGegevens SET Subadminsoort = 7"_s);
    EXPECT_EQ(OptionsLogic(ctx, subadmin).stateOf(u"choice 1"_s), u"0"_s); // an unknown kind reads as none

    EXPECT_FALSE(saveOptions(subadmin, {{u"choice 1"_s, u"1"_s}, {u"choice 2"_s, u"1"_s}, {u"toggle 0"_s, u"on"_s}}));
    EXPECT_EQ(dialogs.prompts(), QStringList{kChooseSorbex});
    EXPECT_EQ(user(u"Subadminsoort || SubadminBoeking"_s), u"70"_s);

    ASSERT_TRUE(saveOptions(subadmin, {{u"choice 1"_s, u"1"_s}, {u"choice 2"_s, u"1"_s}, {u"choice 3"_s, u"1"_s}}));
    EXPECT_EQ(user(u"Subadminsoort || '|' || SorbexLokaal || '|' || SorbexOnline"_s), u"2|0|-1"_s);
    ASSERT_TRUE(saveOptions(subadmin, {{u"choice 3"_s, u"0"_s}}));
    EXPECT_EQ(user(u"Subadminsoort || '|' || SorbexLokaal || '|' || SorbexOnline"_s), u"2|-1|0"_s);
    // Without a sub-administration the rest is kept as it shows.
    ASSERT_TRUE(saveOptions(subadmin, {{u"choice 1"_s, u"0"_s}}));
    EXPECT_EQ(user(u"Subadminsoort || '|' || SorbexLokaal"_s), u"0|-1"_s);

    OptionsScreen view(ctx, subadmin);
    QWidget *kind = view.control(view.logic().indexOf(u"choice 2"_s));
    EXPECT_FALSE(kind->isEnabled());
    view.control(view.logic().indexOf(u"choice 1"_s))->findChildren<QRadioButton *>().at(1)->click();
    EXPECT_TRUE(kind->isEnabled());
}

// A second console holds the company record in edit: the save says so and writes nothing,
// not the record and not the registry's correction switches either.
TEST_F(IncassoSubadminTest, ARecordHeldByAnotherConsoleWritesNothing)
{
    QProcess peer;
    peer.start(QStringLiteral(EDITING_PEER), {u"lock"_s, ctx.DataPad, u"UserGegevens"_s});
    while (!peer.canReadLine() && peer.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(peer.readLine().trimmed(), "locked");
    registry.createKey(RegKeyKorvenal); // as the console's first start makes it
    const auto registryFile = [&] {
        QFile file(registry.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = registryFile();
    const QString record = user(u"Subadminsoort || '|' || SubadminBoeking"_s);
    EXPECT_FALSE(saveOptions(subadmin, {{u"choice 1"_s, u"1"_s}, {u"toggle 0"_s, u"on"_s}, {u"toggle 1"_s, u"on"_s}}));
    EXPECT_EQ(dialogs.errors, QStringList{u"Kan niet bijwerken; de record wordt op dit moment door een andere "
                                          u"gebruiker bewerkt.\n\nFout 3260 bij: frmSubAdministratie: Opslaan"_s})
        << dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(user(u"Subadminsoort || '|' || SubadminBoeking"_s), record);
    EXPECT_EQ(registryFile(), before);
    peer.kill();
    peer.waitForFinished();
}

// The administrations of a Sorbex installation, read without writing a byte of it.
TEST_F(IncassoSubadminTest, SorbexAdministrationsAreFoundAndNamed)
{
    const QString root = dir.filePath(u"Sorbex"_s);
    demo::createSorbexInstallatie(root);
    const auto bytes = [&] {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        QStringList files;
        for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            files << it.next();
        files.sort();
        for (const QString &file : files) {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            hash.addData(file.toUtf8());
            hash.addData(f.readAll());
        }
        return hash.result();
    };
    const QByteArray before = bytes();
    EXPECT_TRUE(finance::isSorbexMap(root));
    EXPECT_FALSE(finance::isSorbexMap(dir.path()));
    QStringList shown;
    for (const finance::SorbexAdministratie &a : finance::sorbexAdministraties(root))
        shown << a.getoond().mid(root.size() + 6);
    EXPECT_EQ(shown, (QStringList{u"GKOMMN - Gereformeerde Kerk Ommen"_s, u"HGDALF - Hervormde Gemeente Dalfsen"_s,
                                  u"PKNVEC - (niet te openen)"_s}));
    EXPECT_EQ(bytes(), before);

    // At most a thousand folders are looked at, in name order.
    for (int i = 0; i < 1000; ++i)
        QDir().mkpath(root + u"/data/"_s + QString::number(i).rightJustified(6, u'0'));
    EXPECT_TRUE(finance::sorbexAdministraties(root).empty());
}

// The link window takes a folder only with Sorbex and an administration in it, lists them by
// name, and the sub-administration screen then shows the one linked; undo unlinks it again.
TEST_F(IncassoSubadminTest, LocalSorbexIsLinkedByFolder)
{
    registry.createKey(RegKeyKorvenal);
    const QString root = dir.filePath(u"Sorbex"_s), bare = dir.filePath(u"Kaal"_s);
    demo::createSorbexInstallatie(root);
    QDir().mkpath(bare);
    QFile(bare + u"/Quenlor.EXE"_s).open(QIODevice::WriteOnly);
    const QString notFound = u"Sorbex is op deze computer niet gevonden. Kies de folder waar Sorbex is geïnstalleerd."_s;
    const OptionScreen local = finance::sorbexLokaal();
    const auto remark = [](const OptionsScreen &view, const QString &control) {
        return view.findChild<QLabel *>(u"opmerking "_s + control)->text();
    };
    ASSERT_TRUE(saveOptions(subadmin, {{u"choice 1"_s, u"1"_s}, {u"choice 2"_s, u"1"_s}, {u"choice 3"_s, u"0"_s}}));
    EXPECT_EQ(remark(OptionsScreen(ctx, subadmin), u"cmdSorbexLokaal"_s), notFound);
    {
        OptionsScreen view(ctx, local);
        EXPECT_EQ(remark(view, u"folder 0"_s), notFound);
        dialogs.folders = {dir.path(), bare, root};
        auto *pick = view.findChild<QToolButton *>(u"cmdMap0"_s);
        for (int i = 0; i < 3; ++i)
            pick->click();
        EXPECT_EQ(dialogs.prompts(), (QStringList{u"In deze folder is Sorbex niet geïnstalleerd."_s,
                                                  u"Er kon geen administratie van Sorbex gevonden worden in de opgegeven folder."_s}));
        EXPECT_EQ(dialogs.folderTitles.value(0), u"Selecteer de folder waar Sorbex is geïnstalleerd..."_s);
        auto *list = qobject_cast<QComboBox *>(view.control(1));
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentText(), QDir::toNativeSeparators(root + u"/data/GKOMMN - Gereformeerde Kerk Ommen"_s));
        view.logic().setState(1, list->itemData(1).toString());
        view.cmdSave_Click();
    }
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"VVBDataPath01"), QDir::toNativeSeparators(root + u"/data/HGDALF"_s));
    EXPECT_TRUE(remark(OptionsScreen(ctx, subadmin), u"cmdSorbexLokaal"_s).endsWith(u"HGDALF - Hervormde Gemeente Dalfsen"_s));
    // The tool is held to the same checks; undo takes the link away.
    EXPECT_FALSE(saveOptions(local, {{u"folder 0"_s, bare}}));
    dialogs.script({mb::Yes});
    ASSERT_TRUE(OptionsLogic(ctx, local).undoLast());
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"VVBRootPath01"), QString());
    // Where Sorbex's installer put it is proposed.
    registry.createKey(u"Software\\Velmo\\Sorbex\\CurrentVersion");
    registry.SchrijfRegistry(u"Software\\Velmo\\Sorbex\\CurrentVersion", u"RootDir", root);
    EXPECT_EQ(OptionsLogic(ctx, local).stateOf(u"folder 0"_s), root);
}

// The Sorbex Online password and key are typed behind dots and never reach the trail.
TEST_F(IncassoSubadminTest, SorbexOnlineSecretsStayHidden)
{
    const OptionScreen online = finance::sorbexOnline();
    ASSERT_TRUE(saveOptions(online, {{u"field 0"_s, u"akkerhof"_s}, {u"field 1"_s, u"geheim"_s}, {u"field 2"_s, u"4321"_s}}));
    EXPECT_EQ(user(u"InlogNaam || Toegangscode || PINcode"_s), u"akkerhofgeheim4321"_s);
    EXPECT_EQ(sql(u"SELECT group_concat(coalesce(OudeWaarde, '-') || '>' || NieuweWaarde, ' ') FROM InstellingenLog "
                  u"WHERE Naam IN ('UserGegevens.Toegangscode', 'UserGegevens.PINcode')"_s),
              u"(verborgen)>(verborgen) (verborgen)>(verborgen)"_s);
    OptionsScreen view(ctx, online);
    EXPECT_EQ(qobject_cast<QLineEdit *>(view.control(1))->echoMode(), QLineEdit::Password);
    // Nor does the question about another program's change show either password.
    view.logic().setState(1, u"nieuw"_s);
    sql(u"UPDATE UserGegevens SET Toegangscode = 'anders'"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(view.logic().save());
    EXPECT_FALSE(dialogs.prompts().join(u' ').contains(u"anders"_s) || dialogs.prompts().join(u' ').contains(u"nieuw"_s))
        << dialogs.prompts().join(u' ').toStdString();
    EXPECT_EQ(user(u"Toegangscode"_s), u"nieuw"_s);
}

} // namespace
