#pragma once

#include <QString>
#include <QVariant>

#include <ostream>

// Lets GoogleTest show Qt values in its failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << v.typeName() << '(' << v.toString().toStdString() << ')';
}

inline void PrintTo(QStringView s, std::ostream *os)
{
    PrintTo(s.toString(), os);
}
