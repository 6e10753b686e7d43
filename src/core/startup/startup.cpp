#include "core/startup/startup.h"

#include "core/context.h"
#include "core/db/dberror.h"
#include "core/log/schrijflog.h"
#include "core/registry/registry.h"

#include <algorithm>
#include <cstdio>

namespace kv {
namespace {

bool endsInSeparator(const QString &path)
{
    return path.endsWith(u'/') || path.endsWith(u'\\');
}

QChar firstOf(const QString &text)
{
    return text.isEmpty() ? QChar() : text.front();
}

} // namespace

CommandLineFolder parseCommandLine(const QString &commandLine)
{
    CommandLineFolder folder;
    folder.dataPad = commandLine.trimmed();
    if (!folder.dataPad.isEmpty() && !endsInSeparator(folder.dataPad))
        folder.dataPad += u'/';

    QString name = folder.dataPad;
    if (endsInSeparator(name))
        name.chop(1);
    const QString lastSix = name.right(6);
    folder.adminCode = lastSix.left(2);
    folder.adminJaar = lastSix.mid(2, 4);
    return folder;
}

void readLocale(Context &ctx)
{
    const QLocale &locale = ctx.locale;
    // The locale has one pair of separators for amounts and plain numbers alike.
    ctx.separators.DecimaalTeken = ctx.separators.GetalDecimaalTeken = firstOf(locale.decimalPoint());
    ctx.separators.DuizendTeken = ctx.separators.GetalDuizendTeken = firstOf(locale.groupSeparator());
    ctx.currencySymbol = locale.currencySymbol();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const auto separator = std::find_if(shortDate.begin(), shortDate.end(), [](QChar c) { return !c.isLetter(); });
    ctx.dateSeparator = separator == shortDate.end() ? QString() : QString(*separator);
    ctx.shortDateFormat = shortDate.toLower();
}

int readTweeCijferJaarMax(Registry &registry, QDate today)
{
    const QString pivot = registry.LeesRegistry(u"Control Panel\\International\\Calendars\\TwoDigitYearMax", u"1").trimmed();
    bool isNumber = false;
    const int year = pivot.toInt(&isNumber);
    return isNumber ? year : today.year() + 25;
}

void installRegistryKeys(Registry &registry)
{
    for (QStringView key : {RegKeyKorvenal, RegKeyEtiket, RegKeyPrinter})
        registry.createKey(key);
}

void reportFailedOpen(const Context &ctx, const db::DbError &error)
{
    std::fprintf(stderr, "%s\n", qPrintable(QString(error.description()).replace(u'\n', u' ')));
    SchrijfLog(ctx, QStringLiteral("Openen van de administratie mislukt."), error.number(), error.description());
}

} // namespace kv
