#include "core/db/jetfunctions.h"

#include <QString>

#include <sqlite3.h>

#include <cmath>
#include <cstring>

namespace kv::db {
namespace {

QString argText(sqlite3_value *v)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

// Case-insensitive compare; ASCII runs are compared in place, anything else through Qt's case folding.
// Equal bytes are the common case in a run of equal keys, and the cheapest to see.
int collateJet(void *, int lenA, const void *a, int lenB, const void *b)
{
    if (lenA == lenB && std::memcmp(a, b, size_t(lenA)) == 0)
        return 0;
    const auto *pa = static_cast<const unsigned char *>(a);
    const auto *pb = static_cast<const unsigned char *>(b);
    const int n = std::min(lenA, lenB);
    for (int i = 0; i < n; ++i) {
        const unsigned char ca = pa[i], cb = pb[i];
        if ((ca | cb) & 0x80)
            return jetCompare(QString::fromUtf8(reinterpret_cast<const char *>(pa + i), lenA - i),
                              QString::fromUtf8(reinterpret_cast<const char *>(pb + i), lenB - i));
        const int la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        const int lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (la != lb)
            return la < lb ? -1 : 1;
    }
    return lenA == lenB ? 0 : (lenA < lenB ? -1 : 1);
}

// Left(s, n), Right(s, n): n characters from one end.
void fnLeft(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = std::max<qint64>(0, sqlite3_value_int64(argv[1]));
    resultText(ctx, argText(argv[0]).left(n));
}

void fnRight(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = std::max<qint64>(0, sqlite3_value_int64(argv[1]));
    resultText(ctx, argText(argv[0]).right(n));
}

// Mid(s, start[, length]) with start counted from 1.
void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 start = std::max<qint64>(1, sqlite3_value_int64(argv[1]));
    const qint64 length = argc > 2 ? std::max<qint64>(0, sqlite3_value_int64(argv[2])) : -1;
    resultText(ctx, argText(argv[0]).mid(start - 1, length));
}

// InStr([start,] s, sought): 1-based position ignoring case, 0 when absent.
void fnInstr(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const int first = argc == 3 ? 1 : 0;
    const qint64 start = argc == 3 ? std::max<qint64>(1, sqlite3_value_int64(argv[0])) : 1;
    const QString hay = argText(argv[first]);
    const QString needle = argText(argv[first + 1]);
    if (start > hay.size() + 1)
        return sqlite3_result_int(ctx, 0);
    const qsizetype at = hay.indexOf(needle, start - 1, Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

void fnLcase(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toLower());
}

void fnUcase(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toUpper());
}

// CStr: numbers as the Dutch locale writes them (decimal comma), text unchanged.
void fnCstr(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER: return resultText(ctx, QString::number(sqlite3_value_int64(argv[0])));
    case SQLITE_FLOAT:
        return resultText(ctx, QString::number(sqlite3_value_double(argv[0]), 'g', 15).replace(u'.', u','));
    default: return resultText(ctx, argText(argv[0]));
    }
}

void fnLen(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, argText(argv[0]).size());
}

template <int Ends> // 1 left, 2 right, 3 both
void fnTrim(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    QString s = argText(argv[0]);
    qsizetype begin = 0, end = s.size();
    if (Ends & 1)
        while (begin < end && s[begin] == u' ')
            ++begin;
    if (Ends & 2)
        while (end > begin && s[end - 1] == u' ')
            --end;
    resultText(ctx, s.mid(begin, end - begin));
}

void fnAsc(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    if (s.isEmpty())
        return sqlite3_result_error(ctx, "Ongeldige procedure-aanroep of ongeldig argument", -1);
    sqlite3_result_int(ctx, s.at(0).unicode());
}

// Val: the leading number of a text, blanks ignored, "." as decimal point; 0 when none.
void fnVal(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    QString s = argText(argv[0]);
    s.remove(u' ');
    qsizetype end = 0;
    if (end < s.size() && (s[end] == u'-' || s[end] == u'+'))
        ++end;
    while (end < s.size() && (s[end].isDigit() || s[end] == u'.'))
        ++end;
    bool ok = false;
    const double value = s.left(end).toDouble(&ok);
    if (ok && value == std::floor(value) && std::abs(value) < 9e15)
        sqlite3_result_int64(ctx, qint64(value));
    else
        sqlite3_result_double(ctx, ok ? value : 0.0);
}

// LIKE folds case beyond ASCII as the JET collation does (SQLite's own LIKE folds ASCII only).
// `pattern` and `text` are case-folded; % is any run, _ one character, `escape` makes the next
// character plain.
bool likeMatches(QStringView pattern, QStringView text, QChar escape)
{
    qsizetype p = 0, s = 0, starP = -1, starS = 0;
    while (s < text.size()) {
        if (p < pattern.size()) {
            const QChar c = pattern[p];
            if (!escape.isNull() && c == escape && p + 1 < pattern.size()) {
                if (pattern[p + 1] == text[s]) {
                    p += 2, ++s;
                    continue;
                }
            } else if (c == u'%') {
                starP = ++p, starS = s;
                continue;
            } else if (c == u'_' || c == text[s]) {
                ++p, ++s;
                continue;
            }
        }
        if (starP < 0)
            return false;
        p = starP, s = ++starS; // let the last % take one character more
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

// like(pattern, text[, escape]), as SQLite calls it for "text LIKE pattern [ESCAPE e]".
void fnLike(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QString escape = argc > 2 ? argText(argv[2]) : QString();
    if (argc > 2 && escape.size() != 1)
        return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
    sqlite3_result_int(ctx, likeMatches(argText(argv[0]).toCaseFolded(), argText(argv[1]).toCaseFolded(),
                                        escape.isEmpty() ? QChar() : escape[0].toCaseFolded()));
}

struct Function {
    const char *name;
    int args; // -1: variable
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
};

const Function functions[] = {
    {"jet_left", 2, fnLeft},     {"jet_right", 2, fnRight},   {"jet_mid", -1, fnMid},
    {"jet_instr", -1, fnInstr},  {"jet_lcase", 1, fnLcase},   {"jet_ucase", 1, fnUcase},
    {"jet_cstr", 1, fnCstr},     {"jet_len", 1, fnLen},       {"jet_trim", 1, fnTrim<3>},
    {"jet_ltrim", 1, fnTrim<1>}, {"jet_rtrim", 1, fnTrim<2>}, {"jet_asc", 1, fnAsc},
    {"jet_val", 1, fnVal},       {"like", 2, fnLike},         {"like", 3, fnLike},
};

} // namespace

int jetCompare(QStringView a, QStringView b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void registerJetFunctions(sqlite3 *db)
{
    sqlite3_create_collation(db, "JET", SQLITE_UTF8, nullptr, collateJet);
    for (const Function &f : functions)
        sqlite3_create_function(db, f.name, f.args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f.fn, nullptr,
                                nullptr);
}

} // namespace kv::db
