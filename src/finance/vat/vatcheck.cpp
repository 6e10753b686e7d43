#include "finance/vat/vatcheck.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "finance/vat/vatboxes.h"
#include "finance/vat/vatcodelist.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

constexpr int kZero = 1, kLow = 2, kHigh = 4, kOther = 6;

// What the rate of a code should be by its type; nothing when any rate will do.
std::optional<QString> rateFits(int type, double rate, const QString &until)
{
    const auto is = [&](double expected) { return std::abs(rate - expected) < 0.001; };
    switch (type) {
    case kHigh: return is(21) ? std::nullopt : std::optional(u"21"_s);
    case kLow: // 6 % until the end of 2018
        return is(9) || (is(6) && !until.isEmpty() && until < u"20190101") ? std::nullopt : std::optional(u"9"_s);
    case kZero: return is(0) ? std::nullopt : std::optional(u"0"_s);
    default: return std::nullopt;
    }
}

void checkCodes(Context &ctx, std::vector<VatFinding> &findings)
{
    db::Database &db = ctx.session->DBAdmin();
    auto rs = db.OpenQuery(u"SELECT * FROM BTWcodering ORDER BY BTWCode"_s);
    db::Statement account = db.prepare(u"SELECT 1 FROM RekeningSchema WHERE GrootboekReknr = ?"_s);
    for (; !rs->Eof(); rs->MoveNext()) {
        const int code = rs->value(u"BTWCode").toInt();
        const int rubric = rs->value(u"BTWRubriek").toInt(), basis = rs->value(u"BTWGrondslag").toInt();
        const double rate = rs->value(u"BTWPercentage").toDouble();
        const QString shownRate = percentageText(ctx, rate);
        auto add = [&](const QString &text) { findings.push_back({code, text}); };
        if (rubricBox(rubric).isEmpty())
            add(u"de aangifte rubriek (%1) bestaat niet"_s.arg(rubric));
        if (basisBox(basis).isEmpty())
            add(u"de aangifte grondslag (%1) bestaat niet"_s.arg(basis));
        if (!rubricBox(rubric).isEmpty() && !basisBox(basis).isEmpty() && rubricBox(rubric) != basisBox(basis))
            add(u"rubriek %1 en grondslag %2 horen niet bij elkaar"_s.arg(rubricBox(rubric), basisBox(basis)));
        if (rubric == 100 && rate > 0)
            add(u"geen aangifte rubriek bij een percentage van %1"_s.arg(shownRate));
        if ((rubric == 0 || rubric == 1) && rate == 0)
            add(u"0% in rubriek %1"_s.arg(rubricBox(rubric)));
        if (const auto expected = rateFits(rs->value(u"BTWType").toInt(), rate, rs->text(u"DatumTotEnMet")))
            add(u"het percentage %1 past niet bij het type (verwacht %2%)"_s.arg(shownRate, *expected));
        for (const QString &field : {u"grootboekreknrinkoop"_s, u"grootboekreknrverkoop"_s, u"grootboekreknrkorting"_s}) {
            const QString number = rs->text(field).trimmed();
            if (number.isEmpty())
                continue;
            account.bind(1, number);
            if (!account.step())
                add(u"grootboekrekening %1 bestaat niet"_s.arg(number));
            account.reset();
        }
    }
}

// Ledger lines of the period a code does not allow, one finding per code and reason.
void checkLines(Context &ctx, const QString &from, const QString &to, std::vector<VatFinding> &findings)
{
    struct Rule {
        const char16_t *where;
        const char16_t *text; // %1: the number of lines
    };
    static const Rule rules[] = {
        {u"g.BTWCode <> 0 AND b.BTWCode IS NULL", u"%1 boekingen met een BTW code die niet bestaat"},
        {u"b.BTWType = 50", u"%1 boekingen met een inactieve BTW code"},
        {u"(coalesce(b.DatumVanaf, '') <> '' AND g.BoekingsDatum < b.DatumVanaf) OR "
         u"(coalesce(b.DatumTotEnMet, '') <> '' AND g.BoekingsDatum > b.DatumTotEnMet)",
         u"%1 boekingen buiten de geldigheid van de BTW code"},
        {u"b.BTWType NOT IN (6, 99) AND g.BTWPercentage IS NOT NULL AND abs(g.BTWPercentage - b.BTWPercentage) > 0.001",
         u"%1 boekingen tegen een ander percentage dan de BTW code"},
    };
    db::Database &db = ctx.session->DBAdmin();
    for (const Rule &rule : rules) {
        db::Statement lines = db.prepareOnce(
            u"SELECT g.BTWCode, COUNT(*) FROM GrootboekMutaties g LEFT JOIN BTWcodering b ON b.BTWCode = g.BTWCode "
            u"WHERE g.BoekingsDatum >= ? AND g.BoekingsDatum <= ? AND ("_s
            + QString::fromUtf16(rule.where) + u") GROUP BY g.BTWCode ORDER BY g.BTWCode"_s);
        lines.bind(1, from);
        lines.bind(2, to);
        while (lines.step())
            findings.push_back({lines.column(0).toInt(), QString::fromUtf16(rule.text).arg(lines.column(1).toLongLong())});
    }
}

} // namespace

std::pair<QString, QString> lastReturnPeriod(int btwPeriode, const QDate &today)
{
    const int months = btwPeriode == 0 ? 1 : btwPeriode == 1 ? 3 : 12;
    const int index = (today.year() * 12 + today.month() - 1) / months - 1; // the last one that ended
    const QDate first(index * months / 12, index * months % 12 + 1, 1);
    const QDate last = first.addMonths(months).addDays(-1);
    return {first.toString(u"yyyyMMdd"_s), last.toString(u"yyyyMMdd"_s)};
}

std::vector<VatFinding> checkVat(Context &ctx, const QString &from, const QString &to)
{
    std::vector<VatFinding> findings;
    checkCodes(ctx, findings);
    checkLines(ctx, from, to, findings);
    std::stable_sort(findings.begin(), findings.end(), [](const VatFinding &a, const VatFinding &b) { return a.code < b.code; });
    return findings;
}

} // namespace kv::finance
