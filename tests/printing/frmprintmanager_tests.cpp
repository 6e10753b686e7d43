#include "printfixture.h"

#include "core/log/schrijflog.h"
#include "printing/frmprintmanager.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"
#include "cupsserver.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace kv {
namespace {

class PrintManagerWindow : public test::PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
        ctx.print.PrintDocuments[2] = QStringLiteral("-");
    }
    template <class T>
    static T *child(QWidget &window, const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
};

TEST_F(PrintManagerWindow, ShowsTheChosenPrintersListsAndPrintsWithTheTypedCopies)
{
    frmPrintManager window(ctx);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Beheer - Afdrukbeheer"));
    EXPECT_EQ(child<QListWidget>(window, "lstAfdrukken")->count(), 2);
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect0")->currentText(), QStringLiteral("Zebra"));
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect1")->currentText(), QStringLiteral("A4"));
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect2")->count(), 2);
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect3")->currentText(), QStringLiteral("Staand"));
    EXPECT_FALSE(child<QPushButton>(window, "cmdSetup")->isEnabled());

    child<QListWidget>(window, "lstAfdrukken")->setCurrentRow(1);
    EXPECT_FALSE(child<QPushButton>(window, "cmdPrint")->isEnabled()) << "a separator";
    child<QListWidget>(window, "lstAfdrukken")->setCurrentRow(0);
    ASSERT_TRUE(child<QPushButton>(window, "cmdPrint")->isEnabled());

    child<QPushButton>(window, "cmdDetails")->click();
    EXPECT_EQ(child<QPushButton>(window, "cmdDetails")->text(), QStringLiteral("De&tails <<"));
    EXPECT_EQ(child<QLabel>(window, "lblStatus")->text(), QStringLiteral("Paper Out"));

    child<QComboBox>(window, "cboPrinterSelect1")->setCurrentText(QStringLiteral("A5"));
    child<QLineEdit>(window, "UserText")->setText(QStringLiteral("2"));
    child<QPushButton>(window, "cmdPrintVoorbeeld")->click();
    child<QPushButton>(window, "cmdPrint")->click();
    ASSERT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls[0].preview);
    EXPECT_FALSE(calls[1].preview);
    EXPECT_EQ(calls[1].slot, 1);
    EXPECT_EQ(calls[1].copies, 2);
    EXPECT_EQ(window.result(), QDialog::Accepted) << "printing closes the manager, a preview does not";
}

TEST_F(PrintManagerWindow, CashSalesAndInvoicingHaveNoPreview)
{
    for (const char *caller : {"frmContantVerkopen", "frmFactureringOrders"}) {
        ctx.print.PrintDocuments[1] = QStringLiteral("Factuur");
        ctx.print.PrintCaller = QString::fromLatin1(caller);
        frmPrintManager window(ctx);
        EXPECT_TRUE(child<QPushButton>(window, "cmdPrint")->isEnabled()) << caller;
        EXPECT_FALSE(child<QPushButton>(window, "cmdPrintVoorbeeld")->isEnabled()) << caller;
    }
}

// A CMR entry puts the stored CMR settings in the lists and names what the printer lacks.
TEST_F(PrintManagerWindow, StoredSettingsOfTheChosenDocument)
{
    const QString key = RegKeyPrinter.toString() + QStringLiteral("\\CMR");
    ASSERT_TRUE(registry.createKey(key));
    ASSERT_TRUE(registry.SchrijfRegistry(key, {{QStringLiteral("Printer"), QStringLiteral("Kantoor")},
                                               {QStringLiteral("Orientatie"), QStringLiteral("Liggend")},
                                               {QStringLiteral("Formaat"), QStringLiteral("A5")},
                                               {QStringLiteral("Lade"), QStringLiteral("Lade 9")}}));
    ctx.print.PrintDocuments[3] = QStringLiteral("CMR - 1");
    frmPrintManager window(ctx);
    child<QListWidget>(window, "lstAfdrukken")->setCurrentRow(2);
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect0")->currentText(), QStringLiteral("Kantoor"));
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect1")->currentText(), QStringLiteral("A5"));
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect3")->currentText(), QStringLiteral("Liggend"));
    EXPECT_EQ(child<QLabel>(window, "lblNietBeschikbaar2")->text(), QStringLiteral("Niet beschikbaar: Lade 9"));
    EXPECT_FALSE(child<QLabel>(window, "lblNietBeschikbaar2")->isHidden());

    child<QListWidget>(window, "lstAfdrukken")->setCurrentRow(0);
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect0")->currentText(), QStringLiteral("Zebra"));
    EXPECT_EQ(child<QComboBox>(window, "cboPrinterSelect3")->currentText(), QStringLiteral("Staand"));
    EXPECT_TRUE(child<QLabel>(window, "lblNietBeschikbaar2")->isHidden());
}

// A report screen offers its documents and waits for the manager; a second one meanwhile opens nothing.
TEST_F(PrintManagerWindow, TheCallersSide)
{
    ctx.print.PrintDocuments.fill(QString());
    QStringList offered;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return qobject_cast<frmPrintManager *>(QApplication::activeModalWidget()); }, 2000));
        auto &window = *qobject_cast<frmPrintManager *>(QApplication::activeModalWidget());
        auto *list = child<QListWidget>(window, "lstAfdrukken");
        for (int row = 0; row < list->count(); ++row)
            offered << list->item(row)->text();
        OpenPrintManager(ctx, QStringLiteral("frmLosLijst"), {QStringLiteral("Loslijst")});
        EXPECT_EQ(ctx.print.PrintCaller, QStringLiteral("frmLeveringenLijst"));
        child<QPushButton>(window, "cmdPrint")->click();
    });
    OpenPrintManager(ctx, QStringLiteral("frmLeveringenLijst"), {QStringLiteral("Leveringenlijst"), QStringLiteral("-"), QStringLiteral("Totalen")});
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Leveringenlijst"), QStringLiteral("-"), QStringLiteral("Totalen")}));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].slot, 1);
    EXPECT_FALSE(ctx.print.PrintManagerOpen);
    EXPECT_EQ(ctx.print.PrintDocuments[1], QString());
}

// The matrix box shows only where the suite supports it, and its state is stored when the
// printer is prepared for a run.
TEST_F(PrintManagerWindow, TheMatrixPrinterBox)
{
    {
        frmPrintManager window(ctx);
        EXPECT_TRUE(child<QCheckBox>(window, "chkMatrixPrinter")->isHidden());
    }
    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst"); // closing emptied the slots
    registry.SchrijfRegistry(RegKeyKorvenal, u"MatrixPrinterSupport", QStringLiteral("1"));
    frmPrintManager window(ctx);
    auto *box = child<QCheckBox>(window, "chkMatrixPrinter");
    EXPECT_FALSE(box->isHidden());
    EXPECT_EQ(box->text(), QStringLiteral("Deze printer is een matrix printer."));
    box->setChecked(true);
    child<QPushButton>(window, "cmdPrintVoorbeeld")->click();
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"MatrixPrinter"), QStringLiteral("1"));
    box->setChecked(false);
    child<QPushButton>(window, "cmdPrintVoorbeeld")->click();
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"MatrixPrinter"), QStringLiteral("0"));
}

// "Opslaan als PDF..." works without any printer: the caller draws every page into the file
// the user names, and the log says where it went; cancelling the question draws nothing.
TEST_F(PrintManagerWindow, SavesAPdfWithoutAnyPrinter)
{
    ctx.printers = nullptr;
    int drawn = 0;
    ctx.print.callers[QStringLiteral("frmleveringenlijst")] = [&](int, int &, bool preview) {
        ASSERT_TRUE(BeginPrintJob(ctx, preview));
        ctx.print.PrintTarget->Print(QStringLiteral("Pagina 1"));
        ctx.print.PrintTarget->NewPage();
        ctx.print.PrintTarget->Print(QStringLiteral("Pagina 2"));
        ctx.print.PrintTarget->EndDoc();
        ++drawn;
    };
    const QString pdf = folder.filePath(QStringLiteral("lijst.pdf"));
    {
        frmPrintManager window(ctx);
        EXPECT_FALSE(child<QPushButton>(window, "cmdPrint")->isEnabled());
        child<QPushButton>(window, "cmdPdf")->click(); // the user cancels
        EXPECT_EQ(drawn, 0);
        dialogs.saveFiles = {pdf};
        child<QPushButton>(window, "cmdPdf")->click();
    }
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(test::pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("2"));
    EXPECT_TRUE(dialogs.saveRequests.back().proposed.endsWith(QStringLiteral("Leveringenlijst-%1.pdf").arg(ctx.today().toString(u"yyyyMMdd"))));
    QFile log(logFilePath(ctx));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("AFDRUKKEN : PDF-bestand     : ") + pdf));
}

} // namespace
} // namespace kv
