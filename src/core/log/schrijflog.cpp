#include "core/log/schrijflog.h"

#include "core/context.h"

#include <QCoreApplication>
#include <QFile>

namespace kv {
namespace {

// Keeps progress texts painted during long runs that log as they go.
void letMessagesRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

// "dd-mmm-yyyy HH:mm:ss" with the locale's short month name. The locale data of Qt writes
// some abbreviations with a dot ("mrt."); the suite's logs have none, and a fixed width.
QString timestamp(const Context &ctx)
{
    const QDateTime now = ctx.now();
    QString month = ctx.locale.monthName(now.date().month(), QLocale::ShortFormat);
    if (month.endsWith(u'.'))
        month.chop(1);
    return now.toString(u"dd-") + month + now.toString(u"-yyyy HH:mm:ss");
}

QString line(const Context &ctx, const QString &text)
{
    return timestamp(ctx) + u" : " + PadRechts(ctx.workstation, 15) + u" : " +
           PadRechts(QStringLiteral("BEHEER"), 15) + u" : " + text;
}

} // namespace

QString PadRechts(const QString &text, int width)
{
    return text.trimmed().left(width).leftJustified(width, u' ');
}

QString logFilePath(const Context &ctx)
{
    return ctx.DataPad + u"kvpro-" + ctx.now().toString(u"yyyy-MM") + u".log";
}

void SchrijfLog(const Context &ctx, const QString &text, int errorNumber, const QString &errorDescription)
{
    if (ctx.DataPad.isEmpty())
        return;
    try {
        letMessagesRun();
        QFile file(logFilePath(ctx));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
        QString lines = (text.isEmpty() ? QString() : line(ctx, text)) + u"\r\n";
        if (errorNumber != 0)
            lines += line(ctx, PadRechts(QStringLiteral("ERROR"), 10) + u":  + Error        : " +
                                   QString::number(errorNumber) + u" -> " + errorDescription) +
                     u"\r\n";
        file.write(lines.toUtf8());
        file.close();
        letMessagesRun();
    } catch (...) {
        // A log line that cannot be written is simply not logged.
    }
}

} // namespace kv
