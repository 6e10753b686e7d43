#include "core/registry/registryfile.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/listdetail/printers/lineprinters.h"
#include "editing/listdetail/printers/printerpopup.h"
#include "listdetail_fixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <tuple>

using namespace kv;
using namespace kv::listdetail;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString opslaan = u"Wilt u deze productielijn nu opslaan?"_s;
const QString eerstOpslaan = u"Voordat u printers aan deze productielijn kunt toevoegen moet de productielijn eerst worden opgeslagen."_s;
const QString weghalen = u"Weet u zeker dat u de geselecteerde printer van deze productielijn wilt halen?"_s;

// Production line 3 stored, a registry of its own without the printer key, and the line's
// popup logic: `edit()` for line 3, `addNew()` for a line not yet stored.
class LinePrintersTest : public ListDetailTest {
protected:
    void SetUp() override
    {
        ListDetailTest::SetUp();
        ctx.registry = &registry;
        addRecord(u"TabelProductieLijn"_s, {{u"CodeNr"_s, 3}, {u"Omschrijving"_s, u"Lijn 3"_s}});
    }

    DetailLogic &open(const QString &mode, const QString &key = {})
    {
        ctx.EditMode = mode;
        ctx.EditKey = key;
        return line.emplace(ctx, *findMember(u"frmProductieLijnen"));
    }

    QString value(const QString &name) { return registry.LeesRegistry(RegKeyPrinter, name); }
    void put(const QString &name, const QString &text) { ASSERT_TRUE(registry.SchrijfRegistry(RegKeyPrinter, name, text)); }

    QTemporaryDir dir;
    RegistryFile registry{dir.filePath(u"registry.reg"_s)};
    std::optional<DetailLogic> line;
};

} // namespace

TEST_F(LinePrintersTest, SavingWritesEveryValueOfThePrinterAndCreatesTheKeyOnlyThen)
{
    LinePrinters printers(open(u"edit"_s, u"3"_s));
    EXPECT_FALSE(printers.save({.number = 1, .printer = u"  "_s}));
    EXPECT_EQ(dialogs.prompts(), QStringList{GeenPrinter.toString()});
    EXPECT_FALSE(registry.SchrijfRegistry(RegKeyPrinter, u"Proef"_s, {})) << "the key was made for nothing";

    struct Case {
        LinePrinter printer;
        QStringList values; // Printer_, TypePrinter_, PalletPollBestand_, Orientatie_, Orient_, Formaat_, PaperSize_, Lade_, Bin_
    };
    const Case cases[] = {
        {{.number = 1, .printer = u" Zebra ZT410 "_s, .type = u"Lintlabel"_s, .pollFile = u"C:\\Poll\\lijn3.txt"_s,
          .orientation = u"Staand"_s, .format = u"A4"_s, .paperSize = 9, .tray = u"Automatisch"_s},
         {u"Zebra ZT410"_s, u"Lintlabel"_s, u"C:\\Poll\\lijn3.txt"_s, u"Staand"_s, u"1"_s, u"A4"_s, u"9"_s, u"Automatisch"_s, u"7"_s}},
        {{.number = 12, .printer = u"Kantoor"_s, .orientation = u"Liggend"_s, .format = u"100x150mm"_s,
          .paperSize = 256, .tray = u"Onderste lade"_s},
         {u"Kantoor"_s, u"Palletlabel"_s, {}, u"Liggend"_s, u"2"_s, u"100x150mm"_s, u"256"_s, u"Onderste lade"_s, u"2"_s}},
        {{.number = 2, .printer = u"Kantoor"_s}, {u"Kantoor"_s, u"Palletlabel"_s, {}, u"Staand"_s, u"1"_s, {}, u"0"_s, {}, {}}},
    };
    const QStringList prefixes = {u"Printer_"_s, u"TypePrinter_"_s, u"PalletPollBestand_"_s, u"Orientatie_"_s, u"Orient_"_s,
                                  u"Formaat_"_s, u"PaperSize_"_s, u"Lade_"_s, u"Bin_"_s};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.printer.number);
        const QString id = u"3_"_s + QString::number(c.printer.number);
        EXPECT_EQ(printers.identifier(c.printer.number), id);
        ASSERT_TRUE(printers.save(c.printer));
        for (qsizetype i = 0; i < prefixes.size(); ++i)
            EXPECT_EQ(value(prefixes[i] + id), c.values[i]) << prefixes[i].toStdString();
        const LinePrinter back = printers.read(c.printer.number);
        EXPECT_EQ(QStringList({back.printer, back.type, back.pollFile, back.orientation, back.format,
                               QString::number(back.paperSize), back.tray}),
                  QStringList({c.values[0], c.values[1], c.values[2], c.values[3], c.values[5], c.values[6], c.values[7]}));
    }
    EXPECT_EQ(registry.valueNames(RegKeyPrinter).size(), 3 * prefixes.size()) << "strings only, nothing else";
    EXPECT_EQ(dialogs.prompts().size(), 1);
}

TEST_F(LinePrintersTest, TheLinesPrintersAreReadBackInOrderAndANewOneTakesTheLowestFreeNumber)
{
    ASSERT_TRUE(registry.createKey(RegKeyPrinter));
    const std::pair<QString, QString> stored[] = {
        {u"Printer_3_10"_s, u"Tien"_s},   {u"TypePrinter_3_10"_s, u"Lintlabel"_s},
        {u"Printer_3_2"_s, u"Twee"_s},    {u"TypePrinter_3_2"_s, u"Palletlabel"_s},
        {u"printer_3_4"_s, u"Vier"_s},    // value names ignore case
        {u"Printer_3_3"_s, {}},           // removed
        {u"Printer_3_05"_s, u"Nul"_s},    {u"Printer_3_x"_s, u"Tekst"_s}, {u"Printer_3_"_s, u"Leeg"_s},
        {u"Printer_31_1"_s, u"Lijn 31"_s}, {u"Printer_3"_s, u"Oud"_s},    {u"TypePrinter_3_1"_s, u"Lintlabel"_s},
    };
    for (const auto &[name, text] : stored)
        put(name, text);

    LinePrinters printers(open(u"edit"_s, u"3"_s));
    std::vector<std::tuple<int, QString, QString>> listed;
    for (const LinePrinter &p : printers.printers())
        listed.emplace_back(p.number, p.printer, p.type);
    EXPECT_EQ(listed, (decltype(listed){{2, u"Twee"_s, u"Palletlabel"_s}, {4, u"Vier"_s, {}}, {10, u"Tien"_s, u"Lintlabel"_s}}));

    for (const int expected : {1, 3, 5}) {
        const auto added = printers.add();
        ASSERT_TRUE(added);
        EXPECT_EQ(added->number, expected);
        ASSERT_TRUE(printers.save({.number = added->number, .printer = u"Nieuw"_s}));
    }
    EXPECT_TRUE(dialogs.prompts().isEmpty()) << "a stored line is not asked to be saved";
}

TEST_F(LinePrintersTest, RemovingAsksAndEmptiesOnlyTheNameAndType)
{
    LinePrinters printers(open(u"edit"_s, u"3"_s));
    ASSERT_TRUE(printers.save({.number = 1, .printer = u"Zebra"_s, .type = u"Lintlabel"_s, .format = u"A6"_s}));
    ASSERT_TRUE(printers.save({.number = 2, .printer = u"Kantoor"_s}));

    dialogs.script({mb::No, mb::Yes});
    EXPECT_FALSE(printers.remove(1));
    EXPECT_EQ(printers.printers().size(), 2u);
    EXPECT_EQ(value(u"Printer_3_1"_s), u"Zebra"_s);

    EXPECT_TRUE(printers.remove(1));
    ASSERT_EQ(printers.printers().size(), 1u);
    EXPECT_EQ(printers.printers()[0].printer, u"Kantoor"_s);
    EXPECT_EQ(value(u"TypePrinter_3_1"_s), QString());
    EXPECT_EQ(value(u"Formaat_3_1"_s), u"A6"_s);

    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto &shown : dialogs.shown) {
        EXPECT_EQ(shown.prompt, weghalen);
        EXPECT_EQ(shown.buttons, mb::YesNo | mb::Question);
    }
}

TEST_F(LinePrintersTest, ADeletedLinesPrintersGoWithItSoALaterLineWithItsNumberHasNone)
{
    addRecord(u"TabelProductieLijn"_s, {{u"CodeNr"_s, 4}, {u"Omschrijving"_s, u"Lijn 4"_s}});
    ASSERT_TRUE(LinePrinters(open(u"edit"_s, u"4"_s)).save({.number = 1, .printer = u"Zebra"_s}));
    ASSERT_TRUE(LinePrinters(open(u"edit"_s, u"3"_s)).save({.number = 1, .printer = u"Kantoor"_s}));

    ListLogic list(ctx, *findMember(u"frmProductieLijnen"));
    list.refresh();
    dialogs.script({mb::Yes});
    list.remove(list.rowOf(u"4"_s));
    EXPECT_EQ(list.rowOf(u"4"_s), -1);
    EXPECT_EQ(value(u"Printer_4_1"_s), QString());
    EXPECT_EQ(value(u"Printer_3_1"_s), u"Kantoor"_s);

    addRecord(u"TabelProductieLijn"_s, {{u"CodeNr"_s, 4}, {u"Omschrijving"_s, u"Nieuwe lijn"_s}});
    EXPECT_TRUE(LinePrinters(open(u"edit"_s, u"4"_s)).printers().empty());
}

TEST_F(LinePrintersTest, ANewLineIsStoredFirstOrGetsNoPrinters)
{
    struct Case {
        int answer;
        QStringList prompts;
        int lines; // stored afterwards
    };
    const Case cases[] = {
        {mb::No, {opslaan, eerstOpslaan}, 1},
        {mb::Yes, {opslaan, GeenPrinter.toString()}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        dialogs.shown.clear();
        DetailLogic &newLine = open(u"addnew"_s);
        newLine.setText(u"Omschrijving"_s, u"Lijn 4"_s);
        LinePrinters printers(newLine);
        EXPECT_TRUE(printers.printers().empty());
        dialogs.script({c.answer});
        const auto added = printers.add();
        EXPECT_EQ(count(u"TabelProductieLijn"_s), c.lines);
        if (c.answer == mb::No) {
            EXPECT_FALSE(added);
            EXPECT_TRUE(newLine.adding());
            EXPECT_TRUE(registry.valueNames(RegKeyPrinter).isEmpty());
        }
        else {
            ASSERT_TRUE(added);
            EXPECT_EQ(newLine.editKey(), u"4"_s);
            EXPECT_FALSE(printers.save(*added)) << "a new printer starts without a name";
            ASSERT_TRUE(printers.save({.number = added->number, .printer = u"Zebra"_s}));
            EXPECT_EQ(value(u"Printer_4_1"_s), u"Zebra"_s);
        }
        EXPECT_EQ(dialogs.prompts(), c.prompts);
    }
    EXPECT_EQ(registry.valueNames(RegKeyPrinter).size(), 9);
}

TEST_F(LinePrintersTest, ALineKeepsItsNumberWhileItHasPrintersAndANewOneGetsOneWhenLeftEmpty)
{
    // A new line whose number was cleared: storing it first gives it the next number, and OK
    // afterwards keeps that number.
    DetailLogic &newLine = open(u"addnew"_s);
    newLine.setText(u"CodeNr"_s, {});
    newLine.setText(u"Omschrijving"_s, u"Lijn 4"_s);
    dialogs.script({mb::Yes});
    ASSERT_TRUE(LinePrinters(newLine).add());
    EXPECT_EQ(newLine.text(u"CodeNr"_s), u"4"_s);
    ASSERT_TRUE(newLine.save());
    ListLogic list(ctx, *findMember(u"frmProductieLijnen"));
    list.refresh();
    ASSERT_EQ(list.rows().size(), 2u);
    EXPECT_EQ(list.rows()[1].key, u"4"_s);

    // Printers are kept under the number: a line with printers cannot take another one.
    DetailLogic &line3 = open(u"edit"_s, u"3"_s);
    ASSERT_TRUE(LinePrinters(line3).save({.number = 1, .printer = u"Zebra"_s}));
    dialogs.shown.clear();
    line3.setText(u"CodeNr"_s, u"7"_s);
    EXPECT_FALSE(line3.save());
    EXPECT_EQ(dialogs.prompts(), QStringList{NummerMetPrinters.toString()});
    DetailLogic &line4 = open(u"edit"_s, u"4"_s);
    line4.setText(u"CodeNr"_s, u"8"_s);
    EXPECT_TRUE(line4.save());
}

// The section lists the line's printers; its buttons open the printer window and remove.
TEST_F(LinePrintersTest, TheSectionListsAddsAndRemovesThroughThePrinterWindow)
{
    ASSERT_TRUE(registry.createKey(RegKeyPrinter));
    put(u"Printer_3_1"_s, u"Kantoor"_s);
    put(u"TypePrinter_3_1"_s, u"Palletlabel"_s);
    const auto restore = qScopeGuard([installed = PrinterPopup::installedPrinters] { PrinterPopup::installedPrinters = installed; });
    PrinterPopup::installedPrinters = [] { return QStringList{u"Kantoor"_s, u"Zebra ZT410"_s}; };
    ctx.EditMode = u"edit"_s;
    ctx.EditKey = u"3"_s;
    DetailPopup popup(ctx, *findMember(u"frmProductieLijnen"));
    auto *list = popup.findChild<QTreeWidget *>(u"lstPrinters"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 1);

    // The printer window, once it shows: a printer and the label type chosen, then OK.
    QTimer::singleShot(0, [] {
        const auto shown = [] { return qobject_cast<QDialog *>(QApplication::activeModalWidget()); };
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown() != nullptr; }, 2000)) << "no printer window";
        QDialog &window = *shown();
        EXPECT_EQ(window.objectName(), u"frmProductieLijnenPopUpPrinter"_s);
        EXPECT_EQ(window.findChild<QComboBox *>(u"cboPrinter"_s)->count(), 2);
        window.findChild<QComboBox *>(u"cboPrinter"_s)->setCurrentText(u"Zebra ZT410"_s);
        window.findChild<QComboBox *>(u"cboType"_s)->setCurrentText(u"Lintlabel"_s);
        window.findChild<QPushButton *>(u"cmdOK"_s)->click();
        if (window.isVisible()) {
            ADD_FAILURE() << "OK left the printer window open";
            window.reject();
        }
    });
    popup.findChild<QPushButton *>(u"cmdPrinterAdd"_s)->click();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), u"Zebra ZT410"_s);
    EXPECT_EQ(list->topLevelItem(1)->text(1), u"Lintlabel"_s);
    EXPECT_EQ(value(u"Orient_3_2"_s), u"1"_s);

    dialogs.script({mb::Yes});
    list->setCurrentItem(list->topLevelItem(0));
    popup.findChild<QPushButton *>(u"cmdPrinterDelete"_s)->click();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), u"Zebra ZT410"_s);
    EXPECT_EQ(dialogs.prompts(), QStringList{weghalen});
}
