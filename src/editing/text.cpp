#include "editing/text.h"

#include "editing/numbers.h"

#include <algorithm>

namespace kv {

QString trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin).toString();
}

QString veldNaam(QStringView caption)
{
    QString naam = caption.trimmed().toString();
    if (naam.endsWith(u':'))
        naam.chop(1);
    return naam.trimmed();
}

QString AlleenCijfers(QStringView text)
{
    QString digits;
    for (QChar c : text) {
        if (isDigit(c))
            digits += c;
    }
    return digits;
}

QString VerwijderTeken(QStringView text, QChar teken)
{
    return text.toString().remove(teken);
}

QString VoorloopNullen(qint64 getal, int lengte)
{
    if (lengte <= 0)
        return {};
    const QString digits = QString::number(getal);
    return digits.size() < lengte ? digits.rightJustified(lengte, u'0') : digits.left(lengte);
}

int TelTeken(QStringView text, QChar teken)
{
    return int(text.count(teken.isNull() ? QChar(u'X') : teken));
}

QString VervangAlles(QString text, QStringView zoek, QStringView vervang)
{
    if (zoek.isEmpty())
        return text;
    // A replacement that holds the search text would only grow on every further pass.
    const int passes = vervang.contains(zoek) ? 1 : 401;
    for (int i = 0; i < passes && text.contains(zoek); ++i)
        text.replace(zoek.toString(), vervang.toString());
    return text;
}

QString ZonderVoorloopNullen(const QString &text)
{
    if (!IsNumeriek(text))
        return text;
    const auto first = std::find_if(text.begin(), text.end(), [](QChar c) { return c != u'0'; });
    return first == text.end() ? text : text.mid(first - text.begin());
}

QString GetLaatsteWoord(QStringView text, QStringView scheiding)
{
    const QStringView separator = scheiding.isEmpty() ? QStringView(u" ") : scheiding;
    QString rest = text.toString();
    while (rest.endsWith(u' '))
        rest.chop(1);
    const qsizetype at = rest.lastIndexOf(separator);
    return trimSpaces(at < 0 ? QStringView(rest) : QStringView(rest).mid(at + separator.size()));
}

} // namespace kv
