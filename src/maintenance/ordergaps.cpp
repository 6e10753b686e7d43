#include "maintenance/ordergaps.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/jobs/listsource.h"
#include "core/session/session.h"
#include "editing/dates.h"

#include <QSet>

#include <algorithm>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

// Digits only; an order number is at most 15 characters, so it fits.
std::optional<qint64> numberOf(const QString &text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toLongLong();
}

// The distinct order numbers of one table in numeric order, each with its date. Numbers that
// are not a number are passed over and collected in `skipped`.
class NumberWalk {
public:
    NumberWalk(db::Database &db, const QString &table, QSet<QString> &skipped)
        : m_rows(db.prepareOnce(u"SELECT OrderNr, MIN(OrderDatum) FROM %1 GROUP BY OrderNr "
                                u"ORDER BY CAST(OrderNr AS INTEGER), OrderNr"_s.arg(table))),
          m_skipped(skipped)
    {
        next();
    }

    bool atEnd() const { return m_end; }
    qint64 number() const { return m_number; }
    const QString &text() const { return m_text; }
    const QString &date() const { return m_date; }

    void next()
    {
        while (m_rows.step()) {
            m_text = m_rows.column(0).toString();
            if (const std::optional<qint64> n = numberOf(m_text)) {
                m_number = *n;
                m_date = m_rows.column(1).toString();
                return;
            }
            m_skipped.insert(m_text);
        }
        m_end = true;
    }

private:
    db::Statement m_rows;
    QSet<QString> &m_skipped;
    bool m_end = false;
    qint64 m_number = 0;
    QString m_text, m_date;
};

struct Present {
    qint64 number;
    QString text, date;
};

// The next number of either walk, the working order's when both hold it.
std::optional<Present> nextOf(NumberWalk &working, NumberWalk &archive)
{
    NumberWalk *first = nullptr;
    if (!working.atEnd() && (archive.atEnd() || working.number() <= archive.number()))
        first = &working;
    else if (!archive.atEnd())
        first = &archive;
    if (!first)
        return std::nullopt;
    Present present{first->number(), first->text(), first->date()};
    for (NumberWalk *walk : {&working, &archive})
        while (!walk->atEnd() && walk->number() == present.number)
            walk->next();
    return present;
}

QString counterOf(db::Database &main)
{
    db::Statement row = main.prepareOnce(u"SELECT OrderNummer FROM UserGegevens"_s);
    return row.step() ? row.column(0).toString().trimmed() : QString();
}

} // namespace

OrderGaps findOrderGaps(Session &session)
{
    OrderGaps found;
    found.teller = counterOf(session.DBAdmin());
    const std::optional<qint64> counter = numberOf(found.teller);
    found.tellerGeldig = counter.has_value();
    if (!counter)
        return found;
    const qint64 last = *counter - 1;

    QSet<QString> skipped;
    NumberWalk working(session.DBAdmin(), u"Ordergegevens"_s, skipped);
    NumberWalk archive(session.DBArchief(), u"OrderGegevensArchief"_s, skipped);
    std::optional<Present> previous;
    const auto gapTo = [&](qint64 end) {
        if (previous && previous->number + 1 <= end)
            found.gaps.push_back({previous->number + 1, end, previous->text, previous->date});
    };
    // Walked to the end, also past the counter, so that every skipped number is counted.
    while (std::optional<Present> present = nextOf(working, archive)) {
        gapTo(std::min(present->number - 1, last));
        previous = std::move(present);
    }
    gapTo(last);
    found.overgeslagen = int(skipped.size());
    return found;
}

ListSource orderGapsList(const OrderGaps &found)
{
    ListSource source{u"Overzicht niet gebruikte ordernummers"_s,
                      {u"Van"_s, u"T/m"_s, u"Aantal"_s, u"Vorige order"_s, u"Datum"_s},
                      qint64(found.gaps.size()),
                      {}};
    source.visitRows = [&found](const std::function<bool(const QStringList &)> &visit) {
        const auto shown = [&](qint64 n) { return QString::number(n).rightJustified(found.teller.size(), u'0'); };
        for (const OrderGap &gap : found.gaps) {
            if (!visit({shown(gap.van), shown(gap.tm), QString::number(gap.aantal()), gap.vorigeOrder,
                        DatumWeergave(gap.datum)}))
                return;
        }
    };
    return source;
}

QString counterRefusal(const OrderGaps &found)
{
    return u"Het volgende ordernummer in de bedrijfsgegevens (\"%1\") is geen getal.\n"
           u"Er is geen overzicht te maken."_s.arg(found.teller);
}

FoundList findOrderGapsList(Context &ctx, const ListRequest &request)
{
    if (request.name.compare(u"frmOverzicht_NietGebruikteOrdernummers"_s, Qt::CaseInsensitive) != 0)
        return {};
    auto found = std::make_shared<OrderGaps>(findOrderGaps(*ctx.session));
    if (!found->tellerGeldig)
        return {std::nullopt, counterRefusal(*found)};
    return {keepingAlive(found, orderGapsList(*found)), {}};
}

} // namespace kv::maintenance
