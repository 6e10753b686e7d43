#include "cupsserver.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kv::test {

namespace {

// A port on 127.0.0.1 that nothing listens on now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), length) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

void write(const QString &path, const QString &text)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
}

// Polls for a condition the server brings about; false after about 20 seconds.
template <class Condition>
bool waitFor(Condition condition)
{
    for (int i = 0; i < 400; ++i) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return program + QStringLiteral(" liep niet af");
    return process.exitCode() == 0 ? QString() : QString::fromUtf8(process.readAllStandardError());
}

bool listening(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

QString ippUri(int port)
{
    return QStringLiteral("ipp://127.0.0.1:%1/ipp/print").arg(port);
}

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(20000))
        process.kill();
    process.waitForFinished();
}

} // namespace

CupsServer::CupsServer() : m_dir(m_root.path()), m_port(freePort())
{
    // cupsd as root runs its children as lp unless they are root's alone; the folders must be
    // passable for them all the same.
    QFile::setPermissions(m_root.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                             | QFileDevice::ExeOther);
    for (const char *folder : {"bin/backend", "spool", "cache", "state", "log", "tmp", "out"})
        m_dir.mkpath(QString::fromLatin1(folder));
    for (const char *folder : {"daemon", "notifier", "backend/ipp"})
        QFile::link(QStringLiteral("/usr/lib/cups/") + QLatin1String(folder), m_dir.filePath(QStringLiteral("bin/") + QLatin1String(folder)));
    const QString backend = m_dir.filePath(QStringLiteral("bin/backend/kvtest"));
    QFile::copy(QStringLiteral(PRINTING_TEST_DATA "/kvtest"), backend);
    QFile::setPermissions(backend, QFileDevice::ReadOwner | QFileDevice::ExeOwner); // run as its owner

    const QString root = m_root.path();
    write(m_dir.filePath(QStringLiteral("cupsd.conf")),
          QStringLiteral("Listen 127.0.0.1:%1\nListen %2/cups.sock\nLogLevel info\nBrowsing No\nDefaultAuthType None\n"
                         "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                         "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
              .arg(m_port)
              .arg(root));
    write(m_dir.filePath(QStringLiteral("cups-files.conf")),
          QStringLiteral("ServerRoot %1\nServerBin %1/bin\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                         "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\nPageLog %1/log/page_log\n")
              .arg(root));

    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), m_dir.filePath(QStringLiteral("cupsd.conf")),
                                                      QStringLiteral("-s"), m_dir.filePath(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted()) {
        m_failure = QStringLiteral("cupsd start niet (pakket cups-daemon)");
        return;
    }
    const QString socket = m_dir.filePath(QStringLiteral("cups.sock"));
    if (!waitFor([&] { return QFile::exists(socket) || m_cupsd.state() == QProcess::NotRunning; }) || !QFile::exists(socket))
        m_failure = QStringLiteral("cupsd luistert niet: ") + m_dir.filePath(QStringLiteral("log/error_log"));
}

CupsServer::~CupsServer()
{
    for (QProcess *process : {&m_cupsd, &m_bus})
        stop(*process);
    for (const auto &printer : m_ippPrinters)
        stop(*printer);
}

void CupsServer::addQueue(const QString &name, const QString &location, const QString &comment)
{
    const QString out = m_dir.filePath(QStringLiteral("out/") + name);
    m_dir.mkpath(out);
    QStringList arguments{QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("kvtest:") + out,
                          QStringLiteral("-P"), QStringLiteral(PRINTING_TEST_DATA "/testprinter.ppd")};
    if (!location.isEmpty())
        arguments << QStringLiteral("-L") << location;
    if (!comment.isEmpty())
        arguments << QStringLiteral("-D") << comment;
    const QString error = admin(QStringLiteral("lpadmin"), arguments);
    if (!error.isEmpty() && !error.contains(u"deprecated"))
        m_failure = error;
}

void CupsServer::addIppPrinter(const QString &name, const QString &attributes)
{
    const QString bus = m_dir.filePath(QStringLiteral("bus"));
    if (m_bus.state() == QProcess::NotRunning) {
        m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                    QStringLiteral("--address=unix:path=") + bus});
        if (!m_bus.waitForStarted() || !waitFor([&] { return QFile::exists(bus); })) {
            m_failure = QStringLiteral("dbus-daemon start niet (pakket dbus-daemon)");
            return;
        }
    }
    const QString spool = m_dir.filePath(QStringLiteral("ipp/") + name);
    m_dir.mkpath(spool);
    const QString conf = spool + QStringLiteral(".conf");
    write(conf, attributes);
    const int port = freePort();
    auto &printer = *m_ippPrinters.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=") + bus);
    printer.setProcessEnvironment(environment);
    printer.setProcessChannelMode(QProcess::MergedChannels);
    printer.setStandardOutputFile(spool + QStringLiteral(".log"));
    // "localhost" makes it listen on the loopback addresses only.
    printer.start(QStringLiteral("ippeveprinter"), {QStringLiteral("-r"), QStringLiteral("off"), QStringLiteral("-n"), QStringLiteral("localhost"),
                                                     QStringLiteral("-p"), QString::number(port), QStringLiteral("-d"), spool, QStringLiteral("-k"),
                                                     QStringLiteral("-a"), conf, name});
    if (!printer.waitForStarted()) {
        m_failure = QStringLiteral("ippeveprinter start niet (pakket cups-ipp-utils)");
        return;
    }
    if (!waitFor([&] { return listening(port) || printer.state() == QProcess::NotRunning; }) || !listening(port)) {
        m_failure = QStringLiteral("ippeveprinter luistert niet: ") + spool + QStringLiteral(".log");
        return;
    }
    m_ippPorts[name] = port;
    const QString error = admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                                            ippUri(port)});
    if (!error.isEmpty() && !error.contains(u"deprecated"))
        m_failure = error;
}

QString CupsServer::ippJobAttribute(const QString &queue, int job, const char *attribute)
{
    const int port = m_ippPorts.value(queue);
    const QByteArray uri = ippUri(port).toUtf8();
    QString value;
    waitFor([&] {
        http_t *http = httpConnect2("127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
        if (!http)
            return false;
        ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
        ipp_t *response = cupsDoRequest(http, request, "/ipp/print");
        value = QString::fromUtf8(ippGetString(ippFindAttribute(response, attribute, IPP_TAG_ZERO), 0, nullptr));
        ippDelete(response);
        httpClose(http);
        return !value.isEmpty();
    });
    return value;
}

QString CupsServer::admin(const QString &program, const QStringList &arguments)
{
    return run(program, QStringList{QStringLiteral("-h"), address()} + arguments);
}

QList<CupsServer::Job> CupsServer::waitForJobs(const QString &queue, int count)
{
    const QDir out(m_dir.filePath(QStringLiteral("out/") + queue));
    const auto arguments = [&] { return out.entryList({QStringLiteral("job-*.args")}, QDir::Files); };
    waitFor([&] { return arguments().size() >= count; });
    QList<Job> jobs;
    for (const QString &name : arguments()) {
        QFile file(out.filePath(name));
        file.open(QIODevice::ReadOnly);
        const QStringList line = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        jobs.append({line, out.filePath(QStringLiteral("job-") + line.value(0) + QStringLiteral(".pdf"))});
    }
    std::sort(jobs.begin(), jobs.end(), [](const Job &a, const Job &b) { return a.arguments.value(0).toInt() < b.arguments.value(0).toInt(); });
    return jobs;
}

QStringList CupsServer::jobFiles(const QString &queue) const
{
    return QDir(m_dir.filePath(QStringLiteral("out/") + queue)).entryList({QStringLiteral("job-*")}, QDir::Files, QDir::Name);
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString &pdf, const QString &field)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(60000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(field + u':'))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

} // namespace kv::test
