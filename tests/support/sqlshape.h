#pragma once

#include <QString>

namespace kv::test {

// An SQLite statement with each text literal ('...', '' for a quote) written as "?": what is left
// is its shape, the same for any value a literal holds.
inline QString sqlShape(const QString &sql)
{
    QString shape;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (sql[i] != u'\'') {
            shape += sql[i];
            continue;
        }
        for (++i; i < sql.size() && !(sql[i] == u'\'' && (i + 1 == sql.size() || sql[i + 1] != u'\'')); ++i)
            if (sql[i] == u'\'')
                ++i;
        shape += u'?';
    }
    return shape;
}

} // namespace kv::test
