#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kv::test {

// A private cupsd on 127.0.0.1 with its configuration, spool and domain socket in a temporary
// folder; the machine's own CUPS is not touched. Its queues print through tests/printing/data/kvtest,
// which keeps each job's PDF and argument line. Ends with the object.
class CupsServer {
public:
    CupsServer();
    ~CupsServer();

    // Empty when the server runs; else why it does not.
    QString failure() const { return m_failure; }
    QString address() const { return QStringLiteral("127.0.0.1:") + QString::number(m_port); }

    // A queue on the test PPD (A4, A5, Letter; three trays; duplex).
    void addQueue(const QString &name, const QString &location = {}, const QString &comment = {});
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
    QString m_failure;
};

// The text of a PDF (pdftotext -layout) and its facts (pdfinfo), from poppler's tools.
QString pdfText(const QString &pdf);
QString pdfInfo(const QString &pdf, const QString &field);

} // namespace kv::test
