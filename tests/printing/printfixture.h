#pragma once

#include "core/context.h"
#include "core/printing/printerservice.h"
#include "core/registry/registryfile.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QList>
#include <QTemporaryDir>

namespace kv::test {

// The printers of the manager's tests, at the seam: A4 and A5, two trays, nothing sent.
class FakePrinters : public PrinterService {
public:
    QStringList names{QStringLiteral("Kantoor"), QStringLiteral("Kantoor omgeleid"), QStringLiteral("Magazijn Omgeleid"),
                      QStringLiteral("PDF redirected"), QStringLiteral("Zebra")};
    QStringList printers() override { return names; }
    QString defaultPrinter() override { return QStringLiteral("Zebra"); }
    std::optional<PrinterCapabilities> capabilities(const QString &printer) override
    {
        if (!names.contains(printer))
            return std::nullopt;
        PrinterCapabilities capabilities;
        capabilities.sizes = {{9, QStringLiteral("A4"), QStringLiteral("A4"), {595, 842}, {18, 36, 18, 36}},
                              {11, QStringLiteral("A5"), QStringLiteral("A5"), {420, 595}, {12, 12, 12, 12}}};
        capabilities.trays = {{1, QStringLiteral("Bovenste lade"), QStringLiteral("Upper")},
                              {2, QStringLiteral("Onderste lade"), QStringLiteral("Lower")}};
        capabilities.currentSize = 9;
        capabilities.currentTray = 1;
        return capabilities;
    }
    std::optional<PrinterInfo> info(const QString &printer) override
    {
        if (!names.contains(printer))
            return std::nullopt;
        return PrinterInfo{QStringLiteral("Etiketten"), QStringLiteral("Hal 2"), QStringLiteral("usb://zebra"), 0x10};
    }
    SubmitResult submit(const QString &, const QString &, const JobSettings &) override { return {1, {}}; }
};

// A context for the print manager's tests: a data folder for the log, a registry, the scripted
// dialogs, the fake printers, and the caller "frmLeveringenLijst" whose `Afdrukken` only records.
class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctx.DataPad = folder.path() + u'/';
        ctx.dialogs = &dialogs;
        ctx.registry = &registry;
        ctx.printers = &printers;
        ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
        ctx.print.PrintCaller = QStringLiteral("frmLeveringenLijst");
        ctx.print.callers.insert(QStringLiteral("frmleveringenlijst"), [this](int slot, int &copies, bool preview) {
            calls.append({slot, copies, preview, ctx.print.PrintOrientation});
        });
    }

    struct Call {
        int slot, copies;
        bool preview;
        int orientation; // `PrintOrientation` while it draws
    };
    QTemporaryDir folder;
    RegistryFile registry{folder.filePath(QStringLiteral("registry.reg"))};
    ScriptedDialogs dialogs;
    FakePrinters printers;
    Context ctx;
    QList<Call> calls;
};

} // namespace kv::test
