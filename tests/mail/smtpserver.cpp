#include "smtpserver.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kv::test {
namespace {

void openssl(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("openssl"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        ADD_FAILURE() << "openssl " << arguments.join(u' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString() << process.errorString().toStdString();
}

void signedCertificate(const QString &folder, const QString &name, const QString &altNames)
{
    QFile extensions(folder + u'/' + name + u".ext");
    extensions.open(QIODevice::WriteOnly);
    extensions.write(("subjectAltName=" + altNames + "\n").toUtf8());
    extensions.close();
    openssl(folder, {"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                     name + ".key", "-out", name + ".csr", "-subj", "/CN=localhost"});
    openssl(folder, {"x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
                     "-days", "2", "-out", name + ".pem", "-extfile", name + ".ext"});
}

} // namespace

const Certificates &certificates()
{
    static QTemporaryDir dir;
    static const Certificates made = [] {
        const QString folder = dir.path();
        openssl(folder, {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                         "-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj", "/CN=Beheer test CA"});
        signedCertificate(folder, QStringLiteral("server"), QStringLiteral("DNS:localhost,IP:127.0.0.1"));
        signedCertificate(folder, QStringLiteral("localhost"), QStringLiteral("DNS:localhost"));
        return Certificates{folder + "/ca.pem", folder + "/server.pem", folder + "/server.key",
                            folder + "/localhost.pem", folder + "/localhost.key"};
    }();
    return made;
}

SmtpServer::SmtpServer(const Options &options)
{
    QStringList arguments{"--out", m_out.path(), "--mode", options.mode};
    if (options.tls != Tls::None) {
        const Certificates &c = certificates();
        arguments << "--tls" << (options.tls == Tls::StartTls ? "starttls" : "implicit") << "--cert"
                  << (options.localhostOnlyCertificate ? c.localhostCert : c.serverCert) << "--key"
                  << (options.localhostOnlyCertificate ? c.localhostKey : c.serverKey);
    }
    if (!options.user.isEmpty())
        arguments << "--user" << options.user << "--password" << options.password;
    for (const QString &address : options.rejected)
        arguments << "--reject" << address;
    for (const QString &mechanism : options.mechanisms)
        arguments << "--mechanism" << mechanism;
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(SMTP_SERVER), arguments);
    // Without aiosmtpd the server ends at once and the test fails here, as it should.
    while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
    }
    m_port = m_process.readLine().trimmed().toInt();
    if (m_port == 0)
        ADD_FAILURE() << "the test SMTP server did not start (is python3-aiosmtpd installed?): "
                      << m_process.errorString().toStdString();
}

SmtpServer::~SmtpServer()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000))
        m_process.kill();
    m_process.waitForFinished();
}

bool SmtpServer::waitForStall()
{
    while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
    }
    return m_process.readLine().trimmed() == "DATA";
}

int SmtpServer::received() const
{
    return int(QDir(m_out.path()).entryList({QStringLiteral("*.json")}, QDir::Files).size());
}

QJsonObject SmtpServer::message(int number) const
{
    QFile file(m_out.filePath(QString::number(number) + u".json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

QByteArray SmtpServer::raw(int number) const
{
    QFile file(m_out.filePath(QString::number(number) + u".eml"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

int closedPort()
{
    // A port the system hands out, free again once the probe socket closes.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr *>(&address), length);
    getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}

} // namespace kv::test
