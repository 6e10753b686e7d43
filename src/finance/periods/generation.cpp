#include "finance/periods/generation.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "editing/dates.h"
#include "editing/options/audittrail.h"

#include <QDate>

#include <functional>
#include <map>

namespace kv::finance {
namespace {

QString stored(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

// The last day of the month `months` after the month of `date`.
QDate monthEnd(const QDate &date, int months)
{
    const QDate first = QDate(date.year(), date.month(), 1).addMonths(months);
    return QDate(first.year(), first.month(), DagenInMaand(first.month(), first.year()));
}

// The ordinary periods of `length` months each, the first from `start`, the next ones from the
// first day of the month after.
std::vector<Period> byMonths(const QDate &start, int count, int length, const std::function<QString(int, QDate)> &describe)
{
    std::vector<Period> periods;
    QDate from = start;
    for (int nr = 1; nr <= count; ++nr) {
        const QDate to = monthEnd(from, length - 1);
        periods.push_back({nr, describe(nr, from), stored(from), stored(to), stored(from), false});
        from = to.addDays(1);
    }
    return periods;
}

} // namespace

std::vector<Period> periodsOf(PeriodType type, QString start, QString end, const QString &boekjaar)
{
    if (start.trimmed().isEmpty())
        start = boekjaar + QStringLiteral("0101");
    if (end.trimmed().isEmpty())
        end = boekjaar + QStringLiteral("1231");
    const QDate first = OpgeslagenDatum(start);
    std::vector<Period> periods{{0, QStringLiteral("beginbalans"), start, end, start, false}};
    static const QStringList quarters{QStringLiteral("1e kwartaal"), QStringLiteral("2e kwartaal"),
                                      QStringLiteral("3e kwartaal"), QStringLiteral("4e kwartaal")};
    std::vector<Period> ordinary;
    QString correction; // the blocked period after the ordinary ones; a year has none
    switch (type) {
    case PeriodType::Year:
        ordinary.push_back({1, QStringLiteral("Jaarperiode"), start, end, start, false});
        break;
    case PeriodType::Quarter:
        ordinary = byMonths(first, 4, 3, [](int nr, QDate) { return quarters[nr - 1]; });
        correction = QStringLiteral("correcties periode 5");
        break;
    case PeriodType::Month:
        ordinary = byMonths(first, 12, 1, [](int, QDate from) -> QString {
            return MaandNaam(QString::number(from.month()), true) + u' ' + QString::number(from.year());
        });
        correction = QStringLiteral("correcties periode 13");
        break;
    case PeriodType::Week:
        for (int nr = 1; nr <= 52; ++nr)
            ordinary.push_back({nr, QStringLiteral("Week %1").arg(nr), start, QString(), start, false});
        correction = QStringLiteral("correcties periode 53");
        break;
    }
    periods.insert(periods.end(), ordinary.begin(), ordinary.end());
    if (!correction.isEmpty())
        periods.push_back({int(ordinary.size()) + 1, correction, start, end, QString(), true});
    return periods;
}

void replacePeriods(Context &ctx, const std::vector<Period> &periods, const QString &form,
                    std::vector<options::AuditEntry> *trail)
{
    db::Database &db = ctx.session->DBAdmin();
    db.write([&] {
        // The trail keeps every field of every period as it was and as it is now.
        std::map<QString, std::pair<QVariant, QVariant>> fields;
        auto rs = db.OpenTable(QStringLiteral("Perioden"));
        const QStringList names{QStringLiteral("PeriodeNr"),    QStringLiteral("Omschrijving"), QStringLiteral("Startdatum"),
                                QStringLiteral("Einddatum"),
                                QStringLiteral("OpenDatum"),    QStringLiteral("SluitDatum"), QStringLiteral("Geblokkeerd")};
        auto trailName = [](const QVariant &nr, const QString &field) {
            return QStringLiteral("Perioden[%1].%2").arg(nr.toInt()).arg(field);
        };
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveFirst()) {
            for (const QString &name : names)
                fields[trailName(rs->value(u"PeriodeNr"), name)].first = options::logText(rs->value(name));
            rs->Delete();
        }
        for (const Period &p : periods) {
            const QVariantList values{p.nr, p.omschrijving, p.startdatum, p.einddatum, p.opendatum, QString(), p.geblokkeerd};
            rs->AddNew();
            for (qsizetype i = 0; i < names.size(); ++i) {
                rs->setValue(names[i], values[i]);
                fields[trailName(p.nr, names[i])].second = options::logText(values[i]);
            }
            rs->Update();
        }
        std::vector<options::AuditEntry> entries;
        for (const auto &[name, change] : fields)
            if (change.first != change.second)
                entries.push_back({options::TrailDatabase.toString(), name, change.first, change.second});
        if (trail)
            trail->insert(trail->end(), entries.begin(), entries.end());
        else if (!entries.empty())
            options::recordSave(ctx, form, entries);
    });
}

} // namespace kv::finance
