#include "printfixture.h"

#include "core/log/schrijflog.h"
#include "printing/printjob.h"
#include "printing/printmanager.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <QFile>

namespace kv {
namespace {

class PrintManagerTest : public test::PrintFixture {
protected:
    QStringList log() const
    {
        QFile file(logFilePath(ctx));
        file.open(QIODevice::ReadOnly);
        QStringList lines;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            lines << line.section(QStringLiteral(" : "), 3, -1).chopped(1); // after time, workstation, program; no CR
        return lines;
    }
};

TEST_F(PrintManagerTest, OffersTheFilledSlotsAndThePrintersThatDoNotPassJobsOn)
{
    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
    ctx.print.PrintDocuments[2] = QStringLiteral("-");
    ctx.print.PrintDocuments[4] = QStringLiteral("CMR - 1");
    PrintManager manager(ctx);
    ASSERT_EQ(manager.entries().size(), 3);
    EXPECT_EQ(manager.entries()[0].slot, 1);
    EXPECT_EQ(manager.entries()[1].slot, 2);
    EXPECT_EQ(manager.entries()[2].slot, 4);
    EXPECT_EQ(manager.entries()[2].text, QStringLiteral("CMR - 1"));
    EXPECT_EQ(manager.printers(), (QStringList{QStringLiteral("Kantoor"), QStringLiteral("Magazijn Omgeleid"), QStringLiteral("Zebra")}));
    EXPECT_EQ(manager.printer(), QStringLiteral("Zebra")) << "the system printer without a stored one";
    EXPECT_EQ(manager.paperSize, 9);
    EXPECT_EQ(manager.tray, 1);
    EXPECT_TRUE(ctx.print.PrintManagerOpen);
}

TEST_F(PrintManagerTest, TheLastPrinterIsStoredAndChosenAgain)
{
    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
    {
        PrintManager manager(ctx);
        manager.selectPrinter(QStringLiteral("Kantoor"));
    }
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"CurrentPrinter"), QStringLiteral("Kantoor"));
    EXPECT_FALSE(ctx.print.PrintManagerOpen);
    EXPECT_EQ(ctx.print.PrintDocuments[1], QString());
    EXPECT_EQ(ctx.print.PrintCaller, QString());

    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
    PrintManager again(ctx);
    EXPECT_EQ(again.printer(), QStringLiteral("Kantoor"));
    const PrintManager::Details details = again.details();
    EXPECT_EQ(details.printer, QStringLiteral("Standaard printer; Kantoor"));
    EXPECT_EQ(details.status, QStringLiteral("\r\nPaper Out"));
    EXPECT_EQ(details.location, QStringLiteral("Hal 2"));
    EXPECT_EQ(details.comment, QStringLiteral("Etiketten"));
    printers.names.removeAll(QStringLiteral("Kantoor"));
    EXPECT_EQ(again.details().status, QStringLiteral("Onbekend"));
}

TEST_F(PrintManagerTest, CopiesFromOneTo999)
{
    const struct {
        const char *typed;
        QString message;
        int copies;
    } cases[] = {
        {"", QStringLiteral("U kunt geen 0 afdrukken maken."), 0},
        {"0", QStringLiteral("U kunt geen 0 afdrukken maken."), 0},
        {"-1", QStringLiteral("Het aantal kopieën moet tussen 1 en 999 liggen."), 0},
        {"1000", QStringLiteral("Het aantal kopieën moet tussen 1 en 999 liggen."), 0},
        {"drie", QStringLiteral("Het aantal kopieën moet tussen 1 en 999 liggen."), 0},
        {"1", QString(), 1},
        {" 999 ", QString(), 999},
    };
    for (const auto &c : cases) {
        ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
        ctx.print.PrintCaller = QStringLiteral("frmLeveringenLijst");
        PrintManager manager(ctx);
        dialogs.shown.clear();
        calls.clear();
        manager.copies = QString::fromUtf8(c.typed);
        EXPECT_EQ(manager.run(0, false), c.copies > 0) << c.typed;
        EXPECT_EQ(dialogs.prompts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.typed;
        EXPECT_EQ(calls.size(), c.copies > 0 ? 1 : 0) << c.typed;
        if (!calls.isEmpty()) {
            EXPECT_EQ(calls[0].copies, c.copies) << c.typed;
        }
    }
}

// "[liggend]" or "landscape" in the document's name prints it in landscape whatever is chosen;
// afterwards the orientation is what it was.
TEST_F(PrintManagerTest, LandscapeByNameOnlyForTheRun)
{
    const struct {
        const char *name;
        int chosen, drawn;
    } cases[] = {
        {"Leveringenlijst", Staand, Staand},
        {"Leveringenlijst", Liggend, Liggend},
        {"Overzicht [Liggend]", Staand, Liggend},
        {"Rittenplanning (Landscape)", Staand, Liggend},
    };
    for (const auto &c : cases) {
        ctx.print.PrintDocuments[3] = QString::fromUtf8(c.name);
        ctx.print.PrintCaller = QStringLiteral("FRMLEVERINGENLIJST");
        ctx.print.PrintOrientation = 0;
        PrintManager manager(ctx);
        calls.clear();
        manager.orientation = c.chosen;
        ASSERT_TRUE(manager.run(0, true)) << c.name;
        ASSERT_EQ(calls.size(), 1);
        EXPECT_EQ(calls[0].slot, 3);
        EXPECT_TRUE(calls[0].preview);
        EXPECT_EQ(calls[0].orientation, c.drawn) << c.name;
        EXPECT_EQ(ctx.print.PrintOrientation, 0) << c.name;
    }
}

TEST_F(PrintManagerTest, TheRunIsLoggedAndASecondStartOnlyLogged)
{
    ctx.print.PrintDocuments[1] = QStringLiteral("Leveringenlijst");
    PrintManager manager(ctx);
    manager.selectPrinter(QStringLiteral("Kantoor"));
    manager.paperSize = 11;
    manager.tray = 2;
    manager.duplex = DubbelzijdigHorizontaal;
    ctx.print.callers[QStringLiteral("frmleveringenlijst")] = [&](int, int &, bool) {
        EXPECT_EQ(SystemPrinter(ctx), QStringLiteral("Kantoor"));
        EXPECT_EQ(GetPrinterSetting(ctx, QStringLiteral("Kantoor"), FieldPaperSize), 11);
        EXPECT_EQ(GetPrinterSetting(ctx, QStringLiteral("Kantoor"), FieldTray), 2);
        EXPECT_EQ(GetPrinterSetting(ctx, QStringLiteral("Kantoor"), FieldDuplex), DubbelzijdigHorizontaal);
        EXPECT_EQ(ctx.print.jobTitle, QStringLiteral("Leveringenlijst"));
        EXPECT_FALSE(manager.run(0, false));
        EXPECT_FALSE(manager.run(0, true));
    };
    ASSERT_TRUE(manager.run(0, false));
    const QString separator(50, u'-');
    EXPECT_EQ(log(), (QStringList{separator, QStringLiteral("AFDRUKKEN : Opdracht        : Leveringenlijst"), separator,
                                  QStringLiteral("AFDRUKKEN : Dubbelklik      : Print opdracht is al gestart"),
                                  QStringLiteral("AFDRUKKEN : Dubbelklik      : Print opdracht (voorbeeld) is al gestart"),
                                  separator, QStringLiteral("AFDRUKKEN : Opdracht        : Afgerond"), separator}));
}

class StoredSettingsTest : public test::PrintFixture {
protected:
    void store(const QString &kind, const QString &printer, const QString &orientation, const QString &size, const QString &tray)
    {
        const QString key = RegKeyPrinter.toString() + u'\\' + kind;
        ASSERT_TRUE(registry.createKey(key));
        ASSERT_TRUE(registry.SchrijfRegistry(key, {{QStringLiteral("Printer"), printer},
                                                   {QStringLiteral("Orientatie"), orientation},
                                                   {QStringLiteral("Formaat"), size},
                                                   {QStringLiteral("Lade"), tray}}));
    }
};

TEST_F(StoredSettingsTest, WhatThePrinterLacksIsNamed)
{
    const struct {
        const char *printer, *size, *tray;
        QString missing[3];
        const char *chosen;
    } cases[] = {
        {"Kantoor", "A5", "Bovenste lade", {}, "Kantoor 11 1"},
        {"Kantoor", "Legal", "Lade 9", {{}, QStringLiteral("Niet beschikbaar: Legal"), QStringLiteral("Niet beschikbaar: Lade 9")}, "Kantoor 9 1"},
        {"Elders", "A5", "", {QStringLiteral("Niet beschikbaar: Elders"), {}, {}}, "Zebra 11 1"},
    };
    for (const auto &c : cases) {
        store(QStringLiteral("VDM"), QString::fromUtf8(c.printer), QStringLiteral("Staand"), QString::fromUtf8(c.size), QString::fromUtf8(c.tray));
        ctx.print.settings.clear();
        ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"CurrentPrinter", QStringLiteral("Zebra")));
        ctx.print.PrintDocuments[1] = QStringLiteral("VDM - 7");
        PrintManager manager(ctx);
        EXPECT_TRUE(manager.chooseDocument(0));
        for (int list = 0; list < 3; ++list)
            EXPECT_EQ(manager.notAvailable[list], c.missing[list]) << c.printer << " " << list;
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(manager.printer()).arg(manager.paperSize).arg(manager.tray), QLatin1String(c.chosen));
    }
}

} // namespace
} // namespace kv
