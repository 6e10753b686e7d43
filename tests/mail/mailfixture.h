#pragma once

#include "core/context.h"
#include "core/log/schrijflog.h"
#include "mail/serversettings.h"
#include "smtpserver.h"
#include "support/printers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>

namespace kv::test {

// A data folder for the log and the template's files, a fixed clock and workstation.
struct MailContext {
    QTemporaryDir folder;
    Context ctx;

    MailContext()
    {
        ctx.DataPad = folder.path() + u'/';
        ctx.workstation = QStringLiteral("WERKPLEK");
        ctx.locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9), QTimeZone(3600)); };
    }

    // The callers' texts of the log lines written so far.
    QStringList logTexts() const
    {
        QFile file(logFilePath(ctx));
        file.open(QIODevice::ReadOnly);
        QStringList texts;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            texts << line.section(QStringLiteral(" : "), 3);
        return texts;
    }

    QByteArray logBytes() const
    {
        QFile file(logFilePath(ctx));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
};

// The whole content of a file; empty when there is none.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A header of a message the server recorded (every occurrence, joined); empty when it has none.
inline QString header(const QJsonObject &message, const QString &name)
{
    QString value;
    for (const QJsonValue &pair : message[u"headers"].toArray())
        if (pair[0].toString().compare(name, Qt::CaseInsensitive) == 0)
            value += pair[1].toString();
    return value;
}

// The settings that reach `server`, by the name its certificate carries.
inline ServerSettings settingsFor(const SmtpServer &server, const QString &host, bool implicitTls)
{
    ServerSettings settings;
    settings.server = host;
    settings.port = server.port();
    settings.implicitTls = implicitTls;
    return settings;
}

} // namespace kv::test
