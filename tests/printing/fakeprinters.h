#pragma once

#include "core/printing/printerservice.h"

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

} // namespace kv::test
