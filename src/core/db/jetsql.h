#pragma once

#include <QString>

namespace kv::db {

// A Jet SQL text rewritten for SQLite.
struct TranslatedSql {
    QString sql;
    // For "SELECT * FROM <one table> [WHERE ...] [ORDER BY ...]": the table, and the same query
    // selecting only the rows' ids, so that the result can be walked and edited as a keyset.
    QString table;
    QString keysetSql;
};

// Rewrites the Jet dialect the screens write into SQLite's: "!" between names becomes ".",
// double-quoted texts become string literals, [names] become quoted names, # dates # become
// ISO texts, & concatenates, True/False are -1/0, TOP n becomes LIMIT n, LIKE patterns use
// * and ?, Jet's text functions map onto the registered jet_ functions, and Chr(n) becomes the
// character itself. Every text literal and text function result compares without regard to
// case, as in Jet. Throws DbError 3075 on text it cannot read.
TranslatedSql translateJetSql(const QString &jetSql);

// A value as one Jet text literal: between `quote`s (' or "), each `quote` in it doubled. Every
// text a user typed goes into a Jet SQL text through here and nowhere else, so whatever it holds
// it stays one literal and the statement around it keeps its shape.
QString jetText(const QString &value, QChar quote = u'"');
// The same literal without its outer quotes, for a query that writes them in its own text.
QString jetEscaped(const QString &value, QChar quote);

} // namespace kv::db
