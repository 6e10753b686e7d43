#include "printing/reports/dailylists.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/jobs/listsource.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/datecheck.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/numbers.h"
#include "printing/frmprintpreview.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"

#include <cmath>
#include <memory>

namespace kv::reports {

using Kind = Column::Kind;

const std::vector<DailyList> &dailyLists()
{
    static const std::vector<DailyList> lists = {
        {DailyList::Kind::Loslijst, "frmLosLijst", QStringLiteral("Loslijst per dag"), QStringLiteral("Loslijst"),
         QStringLiteral("loslijst")},
        {DailyList::Kind::Leveringenlijst, "frmLeveringenLijst", QStringLiteral("Leveringslijst per dag"),
         QStringLiteral("Leveringenlijst"), QStringLiteral("leveringenlijst")},
    };
    return lists;
}

namespace {

// One row of a list's query as it lands on paper.
struct Line {
    QString day;   // stored date
    QString group; // the key that starts a new group
    QString heading;
    QStringList cells;
    qint64 cents = 0; // what the row adds to the totals
};

// What makes one list: its columns, its query (parameters: first and last day) and how a row
// of the query becomes a line. `totalColumn` holds the subtotals and the day's total; -1: none.
struct Shape {
    std::vector<Column> columns;
    const char *groupCaption;
    const char *sql;
    Line (*line)(Separators &, const db::Statement &);
    int totalColumn = -1;
};

QString joined(std::initializer_list<QString> parts, QStringView separator = u" ")
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    return kept.join(separator);
}

qint64 centsOf(const QVariant &amount)
{
    return std::llround(amount.toDouble() * 100);
}

// Quantities are plain numbers: the separators of numbers, not those of amounts.
QString quantityText(const Separators &separators, const QVariant &quantity)
{
    Separators plain = separators;
    plain.DecimaalTeken = separators.GetalDecimaalTeken;
    plain.DuizendTeken = separators.GetalDuizendTeken;
    return FormatGetalGegroepeerd(plain, quantity, true, true);
}

QString amountText(Separators &separators, qint64 cents)
{
    return FormatBedrag(separators, double(cents) / 100);
}

// Trips that end on the day, per truck and driver in the order they were planned.
const Shape Unloading{
    {{QStringLiteral("Order"), 2}, {QStringLiteral("Relatie"), 5}, {QStringLiteral("Artikel"), 6},
     {QStringLiteral("Aantal"), 2, Kind::Number}, {QStringLiteral("Gelost"), 1, Kind::Box}},
    "Kenteken en chauffeur",
    R"(SELECT r.Einddatum, r.Kenteken, r.PersoneelsNr,
              COALESCE(NULLIF(m.Roepnaam, ''), m.VoorNamen, ''), COALESCE(m.Achternaam, ''),
              o.OrderNr, o.RelNr, COALESCE(rel.Bedrijfsnaam1, ''), o.Artnr, o.Omschrijving, o.Aantal
       FROM Ritgegevens r
       JOIN Ordergegevens o ON o.OrderNr = r.OrderNr
       LEFT JOIN RelatieGegevens rel ON rel.RelNr = o.RelNr
       LEFT JOIN Medewerkers m ON m.PersoneelsNr = r.PersoneelsNr
       WHERE r.Einddatum BETWEEN ?1 AND ?2 AND COALESCE(o.RecordCode, 0) <> 8
       ORDER BY r.Einddatum, r.Kenteken, r.PersoneelsNr, r.Startdatum, r.RitNr, o.RegelNr)",
    [](Separators &separators, const db::Statement &row) {
        const QString plate = row.column(1).toString(), driver = joined({row.column(3).toString(), row.column(4).toString()});
        return Line{row.column(0).toString(), plate + u'\t' + row.column(2).toString(),
                    joined({plate, driver.isEmpty() ? QString() : QStringLiteral("chauffeur ") + driver}, u"  -  "),
                    {row.column(5).toString(), joined({row.column(6).toString(), row.column(7).toString()}),
                     joined({row.column(8).toString(), row.column(9).toString()}),
                     quantityText(separators, row.column(10)), QString()}};
    },
};

// The order lines of the day per relation, with the amounts added up per relation and day.
const Shape Deliveries{
    {{QStringLiteral("Regel"), 2}, {QStringLiteral("Artikel"), 7}, {QStringLiteral("Aantal"), 2, Kind::Number},
     {QStringLiteral("Prijs"), 2, Kind::Number}, {QStringLiteral("Bedrag"), 2, Kind::Number}},
    "Relatie en adres",
    R"(SELECT o.OrderDatum, o.RelNr, COALESCE(rel.Bedrijfsnaam1, ''), rel.BedrijfsAdres, rel.BedrijfsHuisNr,
              rel.BedrijfsPostcode, rel.BedrijfsWoonplaats, o.OrderNr, o.RegelNr, o.Artnr, o.Omschrijving,
              o.Aantal, o.Verkoopprijs, o.Bedrag
       FROM Ordergegevens o
       LEFT JOIN RelatieGegevens rel ON rel.RelNr = o.RelNr
       WHERE o.OrderDatum BETWEEN ?1 AND ?2 AND COALESCE(o.RecordCode, 0) <> 8
       ORDER BY o.OrderDatum, rel.Bedrijfsnaam1, o.RelNr, o.OrderNr, o.RegelNr)",
    [](Separators &separators, const db::Statement &row) {
        const QString street = joined({row.column(3).toString(), row.column(4).toString()});
        const QString place = joined({row.column(5).toString(), row.column(6).toString()});
        return Line{row.column(0).toString(), row.column(1).toString(),
                    joined({joined({row.column(1).toString(), row.column(2).toString()}), street, place}, u", "),
                    {row.column(7).toString() + u'/' + row.column(8).toString(),
                     joined({row.column(9).toString(), row.column(10).toString()}),
                     quantityText(separators, row.column(11)),
                     FormatBedrag(separators, row.column(12)), FormatBedrag(separators, row.column(13))},
                    centsOf(row.column(13))};
    },
    4,
};

const Shape &shapeOf(DailyList::Kind kind)
{
    return kind == DailyList::Kind::Loslijst ? Unloading : Deliveries;
}

QStringList totalLine(Separators &separators, const Shape &shape, const QString &caption, qint64 cents)
{
    QStringList cells(qsizetype(shape.columns.size()));
    cells[1] = caption;
    cells[shape.totalColumn] = amountText(separators, cents);
    return cells;
}

} // namespace

Period periodOf(Context &ctx, const QString &from, const QString &to)
{
    const std::optional<QString> first = DatumControleren(ctx, from);
    const std::optional<QString> last = DatumControleren(ctx, to);
    if (!first || !last)
        return {{}, {}, listdetail::OnlogischeDatum.toString()};
    if (*last < *first)
        return {{}, {}, QStringLiteral("De datum t/m ligt voor de eerste datum.")};
    return {*first, *last, {}};
}

const std::vector<Column> &columnsOf(const DailyList &list)
{
    return shapeOf(list.kind).columns;
}

ColumnReport readDailyList(Context &ctx, const DailyList &list, const QString &from, const QString &to)
{
    const Shape &shape = shapeOf(list.kind);
    db::Database &main = ctx.session->DBAdmin();
    ColumnReport report;
    report.title = list.document;
    report.columns = shape.columns;
    report.groupCaption = QString::fromUtf8(shape.groupCaption);
    {
        db::Statement company = main.prepareOnce(QStringLiteral("SELECT Naam FROM UserGegevens ORDER BY ID LIMIT 1"));
        if (company.step())
            report.company = company.column(0).toString().trimmed();
    }
    db::Statement rows = main.prepareOnce(QString::fromUtf8(shape.sql));
    rows.bind(1, from);
    rows.bind(2, to);
    const bool totals = shape.totalColumn >= 0;
    qint64 groupCents = 0, dayCents = 0;
    const auto closeGroup = [&] {
        if (totals && !report.days.empty() && !report.days.back().groups.empty())
            report.days.back().groups.back().total = totalLine(ctx.separators, shape, QStringLiteral("Subtotaal"), groupCents);
        groupCents = 0;
    };
    const auto closeDay = [&] {
        closeGroup();
        if (totals && !report.days.empty())
            report.days.back().total = totalLine(ctx.separators, shape, QStringLiteral("Totaal van de dag"), dayCents);
        dayCents = 0;
    };
    QString day, group;
    while (rows.step()) {
        Line line = shape.line(ctx.separators, rows);
        if (report.days.empty() || line.day != day) {
            closeDay();
            report.days.push_back({QDate::fromString(line.day, u"yyyyMMdd"), {}, {}});
            day = line.day;
            group.clear();
        }
        if (report.days.back().groups.empty() || line.group != group) {
            closeGroup();
            report.days.back().groups.push_back({line.heading, {}, {}});
            group = line.group;
        }
        report.days.back().groups.back().rows.push_back(std::move(line.cells));
        groupCents += line.cents;
        dayCents += line.cents;
    }
    closeDay();
    return report;
}

void printColumnReport(Context &ctx, const ColumnReport &report, bool preview, QWidget *parent, const ReportProgress &progress)
{
    if (!BeginPrintJob(ctx, preview))
        return;
    drawColumnReport(*ctx.print.PrintTarget, report, progress ? progress : [&ctx](int percent, int) {
        if (ctx.print.UpdatePercentage)
            ctx.print.UpdatePercentage(percent);
    });
    ctx.print.PrintTarget->EndDoc();
    if (preview) {
        ShowPreview(ctx, parent);
        EndPreview(ctx);
    } else {
        ctx.print.PrintTarget.reset();
    }
    if (ctx.print.UpdatePercentage)
        ctx.print.UpdatePercentage(0);
}

FoundList findDailyList(Context &ctx, const ListRequest &request)
{
    for (const DailyList &list : dailyLists()) {
        if (request.name.compare(QLatin1String(list.screen), Qt::CaseInsensitive) != 0
            && request.name.compare(list.command, Qt::CaseInsensitive) != 0)
            continue;
        if (request.datum.isEmpty())
            return {std::nullopt, QStringLiteral("Geef de dag van de lijst met --datum (en eventueel --tot).")};
        const Period days = periodOf(ctx, request.datum, request.tm.isEmpty() ? request.datum : request.tm);
        if (!days.refusal.isEmpty())
            return {std::nullopt, days.refusal};
        auto report = std::make_shared<ColumnReport>(readDailyList(ctx, list, days.from, days.to));
        if (report->days.empty())
            return {std::nullopt, QStringLiteral("Er is niets te exporteren voor deze periode.")};
        return {keepingAlive(report, reportList(*report)), {}};
    }
    return {};
}

} // namespace kv::reports
