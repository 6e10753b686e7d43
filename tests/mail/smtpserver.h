#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kv::test {

// A certificate authority and two server certificates signed by it, made by openssl once per
// test program: one for "localhost" and 127.0.0.1, one for "localhost" only.
struct Certificates {
    QString caFile;
    QString serverCert, serverKey;       // localhost and 127.0.0.1
    QString localhostCert, localhostKey; // localhost only
};
const Certificates &certificates();

// tests/mail/smtp_server.py as a child process on 127.0.0.1. Ends with the object.
class SmtpServer {
public:
    enum class Tls { None, StartTls, Implicit };
    struct Options {
        Tls tls = Tls::None;
        bool localhostOnlyCertificate = false;
        QString user, password; // no user: AUTH is not offered
        QString mode = QStringLiteral("normal"); // silent, stall-data, drop-data, reject-rcpt
        QStringList rejected;   // addresses refused at RCPT in mode reject-rcpt
        QStringList mechanisms; // the AUTH mechanisms offered; empty: PLAIN and LOGIN
    };

    explicit SmtpServer(const Options &options);
    ~SmtpServer();
    int port() const { return m_port; }

    // Waits (up to 30 seconds) until a client is held in DATA, in mode stall-data.
    bool waitForStall();

    // The messages received so far, as the server recorded them.
    int received() const;
    QJsonObject message(int number) const;
    QByteArray raw(int number) const;

private:
    QTemporaryDir m_out;
    QProcess m_process;
    int m_port = 0;
};

// A port on which nothing listens.
int closedPort();

} // namespace kv::test
