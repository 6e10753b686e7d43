#pragma once

#include <QString>

namespace kv {

// Small text helpers that screens, file names and bank data share.

// Only 0-9 count as digits: the suite's data never holds other scripts' digits.
inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Trims blanks (spaces) only, as the suite's data was written with that rule; tabs and other
// whitespace stay and count as characters.
QString trimSpaces(QStringView text);

// A field's caption as a message names the field: trimmed, without its closing colon
// ("Wachtwoord:" becomes "Wachtwoord").
QString veldNaam(QStringView caption);

// Keeps only the characters 0-9.
QString AlleenCijfers(QStringView text);

// The text with every occurrence of `teken` removed.
QString VerwijderTeken(QStringView text, QChar teken);

// The decimal digits of `getal` padded on the left with "0" to `lengte`; a longer number is
// cut to its first `lengte` characters.
QString VoorloopNullen(qint64 getal, int lengte);

// The number of occurrences of `teken`; a null character counts "X" (the flag-string mark).
int TelTeken(QStringView text, QChar teken = QChar());

// Replaces `zoek` by `vervang` until none is left (at most 401 passes).
QString VervangAlles(QString text, QStringView zoek, QStringView vervang);

// A positive whole number without its leading zeros; any other text unchanged.
QString ZonderVoorloopNullen(const QString &text);

// The trimmed part of `text` after its last `scheiding`, trailing blanks ignored; the whole
// trimmed text when there is none. An empty separator means a blank, giving the last word.
QString GetLaatsteWoord(QStringView text, QStringView scheiding);

} // namespace kv
