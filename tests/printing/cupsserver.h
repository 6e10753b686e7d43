#pragma once

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace kv::test {

// A private cupsd on 127.0.0.1 with its configuration, spool and domain socket in a temporary
// folder; the machine's own CUPS is not touched. Its queues print through tests/printing/data/kvtest,
// which keeps each job's PDF and argument line, or to an IPP printer of its own. Ends with the
// object, and so do its IPP printers.
class CupsServer {
public:
    CupsServer();
    ~CupsServer();

    // Empty when the server runs; else why it does not.
    QString failure() const { return m_failure; }
    QString address() const { return QStringLiteral("127.0.0.1:") + QString::number(m_port); }

    // A queue on the test PPD (A4, A5, Letter; three trays; duplex).
    void addQueue(const QString &name, const QString &location = {}, const QString &comment = {});
    // An IPP Everywhere printer (ippeveprinter) on 127.0.0.1 with the printer attributes of
    // `attributes` (its ATTR lines), as queue `name` without a driver: no PPD, as for a driverless
    // queue. It keeps the jobs that reach it.
    void addIppPrinter(const QString &name, const QString &attributes);
    // Attribute `attribute` of job `job` (counted from 1) as it reached the IPP printer of `queue`;
    // empty when it has not come after a while.
    QString ippJobAttribute(const QString &queue, int job, const char *attribute);
    // lpadmin, cupsdisable, ... against this server; returns their error output when they fail.
    QString admin(const QString &program, const QStringList &arguments);

    // A job as the backend kept it: its argument line (job id, user, title, copies, options,
    // file) and its PDF.
    struct Job {
        QStringList arguments;
        QString pdf;
    };
    // The jobs of `queue` in the order they came, once `count` have come (or fewer after a while).
    QList<Job> waitForJobs(const QString &queue, int count = 1);
    // The files the backend wrote for `queue`, without waiting.
    QStringList jobFiles(const QString &queue) const;

private:
    QTemporaryDir m_root;
    QDir m_dir;
    QProcess m_cupsd;
    int m_port = 0;
    // ippeveprinter needs a D-Bus system bus for its (unused) DNS-SD: a private one.
    QProcess m_bus;
    std::vector<std::unique_ptr<QProcess>> m_ippPrinters;
    QMap<QString, int> m_ippPorts;
    QString m_failure;
};

// The text of a PDF (pdftotext -layout) and its facts (pdfinfo), from poppler's tools.
QString pdfText(const QString &pdf);
QString pdfInfo(const QString &pdf, const QString &field);

} // namespace kv::test
