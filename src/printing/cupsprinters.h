#pragma once

#include "core/printing/printerservice.h"

#include <QStringList>

namespace kv {

// The printers of a CUPS server: the user's own, or the one at `server` ("host:port" or the
// path of its domain socket).
class CupsPrinters : public PrinterService {
public:
    explicit CupsPrinters(QString server = {});

    QStringList printers() override;
    QString defaultPrinter() override;
    std::optional<PrinterCapabilities> capabilities(const QString &printer) override;
    std::optional<PrinterInfo> info(const QString &printer) override;
    SubmitResult submit(const QString &printer, const QString &pdf, const JobSettings &settings) override;

private:
    QString m_server;
};

// The spooler's status bits for a CUPS printer state (3 idle, 4 processing, 5 stopped), its
// state reasons and whether it accepts jobs.
quint32 statusBits(int state, const QStringList &reasons, bool accepting);

} // namespace kv
