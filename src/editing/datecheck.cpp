#include "editing/datecheck.h"

#include "core/dialogs.h"
#include "editing/dates.h"
#include "editing/numbers.h"
#include "editing/text.h"

#include <QDate>

namespace kv {

namespace {

struct Split {
    int day;
    int month; // 0: this month
    int year;  // 0: this year
};

// How an entry of n digits is read first, by n.
constexpr Split firstReading[9] = {
    {}, {}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {2, 1, 2}, {2, 2, 2}, {2, 1, 4}, {2, 2, 4},
};

struct Parts {
    int day = 0;
    int month = 0;
    int year = 0;
};

int expandYear(int twoDigits, int limit)
{
    const int year = limit / 100 * 100 + twoDigits;
    return year > limit ? year - 100 : year;
}

Parts read(QStringView digits, Split split, QDate today, int yearLimit)
{
    Parts p;
    p.day = digits.left(split.day).toInt();
    p.month = split.month ? digits.mid(split.day, split.month).toInt() : today.month();
    const QStringView year = digits.mid(split.day + split.month, split.year);
    p.year = split.year == 0 ? today.year() : split.year == 2 ? expandYear(year.toInt(), yearLimit) : year.toInt();
    return p;
}

bool plausible(const Parts &p, int firstYear)
{
    return p.month >= 1 && p.month <= 12 && p.year >= firstYear && p.year <= 2100 && p.day >= 1
        && p.day <= DagenInMaand(p.month, p.year);
}

} // namespace

std::optional<QString> DatumControleren(const Context &context, QStringView invoer, bool geenToekomst)
{
    QString digits = trimSpaces(invoer);
    digits.remove(u'-').remove(u'/').remove(u'.');
    if (digits.size() < 2 || digits.size() > 8 || !IsNumeriek(digits))
        return std::nullopt;

    const QDate today = context.today();
    const Split split = firstReading[digits.size()];
    Parts p = read(digits, split, today, context.TweeCijferJaarMax);
    if (split.month == 1 && (p.month < 1 || p.month > 12))
        p = read(digits, {1, 2, split.year}, today, context.TweeCijferJaarMax);

    if (!plausible(p, digits.size() == 8 ? 1500 : 1800))
        return std::nullopt;
    if (geenToekomst && QDate(p.year, p.month, p.day) > today) {
        context.dialogs->MsgBox(QStringLiteral("Deze datum ligt in de toekomst.\nWijzig de datum."),
                                mb::OKOnly | mb::Exclamation);
        return std::nullopt;
    }
    return QStringLiteral("%1%2%3")
        .arg(p.year, 4, 10, QChar(u'0'))
        .arg(p.month, 2, 10, QChar(u'0'))
        .arg(p.day, 2, 10, QChar(u'0'));
}

} // namespace kv
