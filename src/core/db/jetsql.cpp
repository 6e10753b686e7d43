#include "core/db/jetsql.h"

#include "core/db/dberror.h"
#include "core/db/tableinfo.h"

#include <QDate>
#include <QHash>
#include <QList>

namespace kv::db {
namespace {

struct Token {
    enum Kind { Ident, Quoted, String, Number, Date, Op, Punct };
    Kind kind;
    QString text; // for String and Quoted: the content without quotes
};

[[noreturn]] void syntaxError(const QString &sql, const QString &what)
{
    raise(ErrSyntax, QStringLiteral("Syntaxisfout in query-expressie (%1): %2").arg(what, sql));
}

bool isIdentStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isIdentPart(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Reads up to the closing `quote`; a doubled quote stands for one.
QString readQuoted(const QString &sql, qsizetype &i, QChar quote)
{
    QString content;
    for (++i; i < sql.size(); ++i) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                content += quote;
                ++i;
                continue;
            }
            ++i;
            return content;
        }
        content += sql[i];
    }
    syntaxError(sql, QStringLiteral("tekst zonder afsluitend aanhalingsteken"));
}

QList<Token> tokenize(const QString &sql)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (isIdentStart(c)) {
            const qsizetype start = i;
            while (i < sql.size() && isIdentPart(sql[i]))
                ++i;
            tokens.append({Token::Ident, sql.mid(start, i - start)});
        } else if (c.isDigit() || (c == u'.' && i + 1 < sql.size() && sql[i + 1].isDigit())) {
            const qsizetype start = i;
            while (i < sql.size() && (sql[i].isDigit() || sql[i] == u'.'))
                ++i;
            if (i < sql.size() && (sql[i] == u'e' || sql[i] == u'E')) {
                ++i;
                if (i < sql.size() && (sql[i] == u'+' || sql[i] == u'-'))
                    ++i;
                while (i < sql.size() && sql[i].isDigit())
                    ++i;
            }
            tokens.append({Token::Number, sql.mid(start, i - start)});
        } else if (c == u'\'' || c == u'"') {
            tokens.append({Token::String, readQuoted(sql, i, c)});
        } else if (c == u'[') {
            const qsizetype end = sql.indexOf(u']', i);
            if (end < 0)
                syntaxError(sql, QStringLiteral("[ zonder ]"));
            if (end == i + 1)
                syntaxError(sql, QStringLiteral("lege naam []"));
            tokens.append({Token::Quoted, sql.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == u'#') {
            const qsizetype end = sql.indexOf(u'#', i + 1);
            if (end < 0)
                syntaxError(sql, QStringLiteral("# zonder #"));
            tokens.append({Token::Date, sql.mid(i + 1, end - i - 1).trimmed()});
            i = end + 1;
        } else if (c == u'<' || c == u'>') {
            const QStringView two = QStringView(sql).mid(i, 2);
            if (two == u"<=" || two == u">=" || two == u"<>") {
                tokens.append({Token::Op, two.toString()});
                i += 2;
            } else {
                tokens.append({Token::Op, QString(c)});
                ++i;
            }
        } else if (QStringView(u"=+-*/\\&^").contains(c)) {
            tokens.append({Token::Op, QString(c)});
            ++i;
        } else if (QStringView(u"(),.!;").contains(c)) {
            tokens.append({Token::Punct, QString(c)});
            ++i;
        } else {
            syntaxError(sql, QStringLiteral("onbekend teken '%1'").arg(c));
        }
    }
    return tokens;
}

bool is(const Token &t, QStringView word)
{
    return (t.kind == Token::Ident || t.kind == Token::Punct || t.kind == Token::Op)
        && t.text.compare(word, Qt::CaseInsensitive) == 0;
}

// SQLite reads a NUL as the end of the statement, so one inside a text is spliced in with char(0).
QString sqlString(const QString &content)
{
    const QString quoted = u'\'' + QString(content).replace(u'\'', QStringLiteral("''")) + u'\'';
    if (!content.contains(QChar(0)))
        return quoted;
    return u'(' + quoted.split(QChar(0)).join(QStringLiteral("' || char(0) || '")) + u')';
}


// Jet writes date literals the American way (m/d/yyyy) or as ISO dates.
QString dateLiteral(const QString &text, const QString &sql)
{
    for (const char *format : {"M/d/yyyy H:mm:ss", "M/d/yyyy", "yyyy-MM-dd H:mm:ss", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(text, QLatin1String(format));
        if (dt.isValid())
            return sqlString(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    syntaxError(sql, QStringLiteral("ongeldige datum #%1#").arg(text));
}

// A Jet LIKE pattern (* any, ? one) as an SQLite one; literal % and _ are escaped with \.
QString likePattern(const QString &jet, bool &escaped)
{
    QString out;
    for (QChar c : jet) {
        if (c == u'*')
            out += u'%';
        else if (c == u'?')
            out += u'_';
        else if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
            out += c;
            escaped = true;
        } else
            out += c;
    }
    return out;
}

const Token *at(const QList<Token> &t, qsizetype i)
{
    return i >= 0 && i < t.size() ? &t[i] : nullptr;
}

bool isComparison(const Token *t)
{
    return t && t->kind == Token::Op
        && (t->text == u"=" || t->text == u"<>" || t->text == u"<" || t->text == u"<=" || t->text == u">"
            || t->text == u">=");
}

// An operator that binds tighter than a comparison.
bool isArithmetic(const Token *t)
{
    return t && ((t->kind == Token::Op && !isComparison(t)) || is(*t, u"mod"));
}

bool isName(const Token *t)
{
    return t && (t->kind == Token::Quoted
                 || (t->kind == Token::Ident && !is(*t, u"true") && !is(*t, u"false") && !is(*t, u"null")));
}

bool isQualifier(const Token *t)
{
    return t && (is(*t, u".") || is(*t, u"!"));
}

// A bare column ([table!]name) ends at `i`, with no tighter operator before it.
bool columnEndsAt(const QList<Token> &t, qsizetype i)
{
    if (!isName(at(t, i)))
        return false;
    if (isQualifier(at(t, i - 1))) {
        if (!isName(at(t, i - 2)))
            return false;
        i -= 2;
    }
    return !isArithmetic(at(t, i - 1));
}

// A bare column starts at `i`, with no call or tighter operator after it.
bool columnStartsAt(const QList<Token> &t, qsizetype i)
{
    if (!isName(at(t, i)))
        return false;
    if (isQualifier(at(t, i + 1))) {
        if (!isName(at(t, i + 2)))
            return false;
        i += 2;
    }
    const Token *after = at(t, i + 1);
    return !(after && (is(*after, u"(") || isArithmetic(after)));
}

// A text literal compared straight with a column takes the column's own collation: JET for
// every text column, and for a number column the plain one its index is built with, so that
// "Nr = '123'" seeks instead of scanning.
bool comparedWithColumn(const QList<Token> &t, qsizetype i)
{
    return (isComparison(at(t, i - 1)) && columnEndsAt(t, i - 2) && !isArithmetic(at(t, i + 1)))
        || (isComparison(at(t, i + 1)) && columnStartsAt(t, i + 2) && !isArithmetic(at(t, i - 1)));
}

struct FunctionMap {
    const char *jet;
    const char *sqlite;
    bool text; // returns text, so the result compares like Jet text
};

const FunctionMap functionMap[] = {
    {"left", "jet_left", true},   {"right", "jet_right", true}, {"mid", "jet_mid", true},
    {"lcase", "jet_lcase", true}, {"ucase", "jet_ucase", true}, {"cstr", "jet_cstr", true},
    {"trim", "jet_trim", true},   {"ltrim", "jet_ltrim", true}, {"rtrim", "jet_rtrim", true},
    {"instr", "jet_instr", false}, {"len", "jet_len", false},   {"asc", "jet_asc", false},
    {"val", "jet_val", false},    {"nz", "ifnull", false},      {"iif", "iif", false},
};

const FunctionMap *findFunction(const QString &name)
{
    for (const FunctionMap &f : functionMap)
        if (name.compare(QLatin1StringView(f.jet), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

class Writer {
public:
    void put(const QString &piece)
    {
        static const QString noSpaceAfter = QStringLiteral("(.");
        static const QString noSpaceBefore = QStringLiteral(").,");
        if (!m_out.isEmpty() && !m_glue && !noSpaceAfter.contains(m_out.back())
            && !(piece.size() == 1 && noSpaceBefore.contains(piece[0])))
            m_out += u' ';
        m_out += piece;
        m_glue = false;
    }
    void glueNext() { m_glue = true; } // a function name and its "("
    qsizetype size() const { return m_out.size(); }
    const QString &text() const { return m_out; }

private:
    QString m_out;
    bool m_glue = false;
};

// "SELECT * FROM table [WHERE ...] [ORDER BY ...]": the shape whose rows can be kept as a keyset.
bool isSingleTableSelectAll(const QList<Token> &t)
{
    if (t.size() < 4 || !is(t[0], u"select") || !is(t[1], u"*") || !is(t[2], u"from")
        || (t[3].kind != Token::Ident && t[3].kind != Token::Quoted))
        return false;
    if (t.size() > 4 && !is(t[4], u"where") && !is(t[4], u"order") && !is(t[4], u";"))
        return false;
    for (const Token &token : t)
        for (QStringView word : {u"join", u"group", u"having", u"union", u"distinct", u"distinctrow", u"top"})
            if (token.kind == Token::Ident && is(token, word))
                return false;
    return true;
}

} // namespace

TranslatedSql translateJetSql(const QString &jetSql)
{
    const QList<Token> t = tokenize(jetSql);
    Writer w;
    QList<int> parens; // per open "(": 1 when it closes a text function call
    // TOP n of the query at each depth of parentheses: it becomes that query's own LIMIT.
    QList<std::pair<qsizetype, QString>> limits;
    qsizetype starAt = -1;
    const bool keyset = isSingleTableSelectAll(t);

    for (qsizetype i = 0; i < t.size(); ++i) {
        const Token &tok = t[i];
        const Token *next = i + 1 < t.size() ? &t[i + 1] : nullptr;
        const Token *prev = i > 0 ? &t[i - 1] : nullptr;
        switch (tok.kind) {
        case Token::Ident:
            if (next && is(*next, u"(")) {
                if (is(tok, u"chr") && i + 3 < t.size() && t[i + 2].kind == Token::Number && is(t[i + 3], u")")) {
                    w.put(sqlString(QString(QChar(char16_t(t[i + 2].text.toInt())))) + QStringLiteral(" COLLATE JET"));
                    i += 3;
                    break;
                }
                const FunctionMap *f = findFunction(tok.text);
                w.put(f ? QString::fromLatin1(f->sqlite) : tok.text);
                w.glueNext();
                parens.append(f && f->text ? 1 : 0);
                w.put(QStringLiteral("("));
                ++i;
            } else if (is(tok, u"true") || is(tok, u"false")) {
                w.put(is(tok, u"true") ? QStringLiteral("-1") : QStringLiteral("0"));
            } else if (is(tok, u"distinctrow")) {
                w.put(QStringLiteral("DISTINCT"));
            } else if (is(tok, u"mod")) {
                w.put(QStringLiteral("%"));
            } else if (is(tok, u"top") && next && next->kind == Token::Number) {
                limits.append({parens.size(), next->text});
                ++i;
            } else if (is(tok, u"like") && next && next->kind == Token::String) {
                bool escaped = false;
                w.put(QStringLiteral("LIKE"));
                w.put(sqlString(likePattern(next->text, escaped)));
                if (escaped)
                    w.put(QStringLiteral("ESCAPE '\\'"));
                ++i;
            } else {
                w.put(tok.text);
            }
            break;
        case Token::Quoted:
            w.put(quotedName(tok.text));
            break;
        case Token::String:
            w.put(comparedWithColumn(t, i) ? sqlString(tok.text) : sqlString(tok.text) + QStringLiteral(" COLLATE JET"));
            break;
        case Token::Number:
            w.put(tok.text);
            break;
        case Token::Date:
            w.put(dateLiteral(tok.text, jetSql));
            break;
        case Token::Op:
            if (tok.text == u"&")
                w.put(QStringLiteral("||"));
            else if (tok.text == u"\\")
                w.put(QStringLiteral("/"));
            else {
                if (keyset && i == 1)
                    starAt = w.size() + (w.size() > 0 ? 1 : 0);
                w.put(tok.text);
            }
            break;
        case Token::Punct:
            if (tok.text == u"!" && prev && next) {
                w.put(QStringLiteral("."));
            } else if (tok.text == u"(") {
                parens.append(0);
                w.put(tok.text);
            } else if (tok.text == u")") {
                if (parens.isEmpty())
                    syntaxError(jetSql, QStringLiteral(") zonder ("));
                if (!limits.isEmpty() && limits.back().first == parens.size())
                    w.put(QStringLiteral("LIMIT ") + limits.takeLast().second);
                w.put(tok.text);
                if (parens.takeLast() == 1)
                    w.put(QStringLiteral("COLLATE JET"));
            } else if (tok.text == u";") {
                // Jet allows a closing semicolon; the LIMIT has to come before it.
            } else {
                w.put(tok.text);
            }
            break;
        }
    }
    if (!parens.isEmpty())
        syntaxError(jetSql, QStringLiteral("( zonder )"));
    if (!limits.isEmpty())
        w.put(QStringLiteral("LIMIT ") + limits.takeLast().second);

    TranslatedSql result;
    result.sql = w.text();
    if (keyset && starAt >= 0) {
        result.table = t[3].text;
        result.keysetSql = result.sql.left(starAt) + quotedName(result.table) + QStringLiteral(".rowid")
            + result.sql.mid(starAt + 1);
    }
    return result;
}

QString jetText(const QString &value, QChar quote)
{
    return quote + jetEscaped(value, quote) + quote;
}

QString jetEscaped(const QString &value, QChar quote)
{
    return QString(value).replace(quote, QString(2, quote));
}

} // namespace kv::db
