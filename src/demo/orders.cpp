#include "demo/fleet.h"
#include "demo/steps.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <map>

namespace kv::demo {
namespace {

// Line states: 1 entered, 2 confirmed, 3 planned, 4 loaded, 5 delivered, 6 weighed,
// 7 ready for invoicing, 8 cancelled, 9 invoiced. Archiving takes orders whose lines are all
// 8, or 9 with the tag "UVF" and an invoice number.
enum class Fate {
    Invoiced,         // every line 9, UVF, invoiced
    Mixed,            // invoiced lines and a cancelled one
    Cancelled,        // every line 8
    InvoicedUntagged, // invoiced, but the tag is missing
    InvoicedUnnumbered, // state 9 and tag, yet no invoice number
    PartlyOpen,       // invoiced but one line still entered
    Open,             // still under way, state 1..7
};

const QString kTag = QStringLiteral("UVF");

const char *const kNotes[] = {
    "Graag een dag van tevoren bellen voor levering.", "Lossen achter de loods, ingang via de Esweg.",
    "Let op: smalle oprit, geen oplegger.", "Monster meenemen voor keuring.",
    "Levering in overleg met de bedrijfsleider.", "Weegbon meesturen met de factuur.",
    "Niet leveren op zaterdag.", "Partij apart houden tot uitslag van de keuring."};

// Orders fall on working days; a fifth of them in the year before, for archiving to take.
std::vector<QDate> orderDates(Generator &gen, QRandomGenerator &random)
{
    std::vector<QDate> dates(size_t(gen.scale.orders));
    for (QDate &d : dates) {
        d = randomDay(random, random.bounded(5) == 0 ? gen.year - 1 : gen.year);
        if (d.dayOfWeek() > 5)
            d = d.addDays(8 - d.dayOfWeek());
        if (d.year() > gen.year)
            d = QDate(gen.year, 12, 31).addDays(-3);
    }
    std::sort(dates.begin(), dates.end());
    return dates;
}

Fate fateOf(QRandomGenerator &random, const QDate &date, int year)
{
    const int p = random.bounded(100);
    if (date.year() < year) {
        if (p < 65) return Fate::Invoiced;
        if (p < 75) return Fate::Cancelled;
        if (p < 85) return Fate::Mixed;
        if (p < 89) return Fate::InvoicedUntagged;
        if (p < 91) return Fate::InvoicedUnnumbered;
        if (p < 96) return Fate::PartlyOpen;
        return Fate::Open;
    }
    // The later in the year, the more is still under way.
    const int invoiced = 80 - 55 * date.dayOfYear() / date.daysInYear();
    if (p < invoiced * 8 / 10) return Fate::Invoiced;
    if (p < invoiced * 9 / 10) return Fate::Mixed;
    if (p < invoiced) return Fate::PartlyOpen;
    if (p < invoiced + 6) return Fate::Cancelled;
    return Fate::Open;
}

int lineCount(QRandomGenerator &random)
{
    const int p = random.bounded(100);
    return p < 40 ? 1 : p < 65 ? 2 : p < 80 ? 3 : p < 90 ? 4 : 5;
}

double quantityOf(QRandomGenerator &random, const ArticleRef &a)
{
    const double q = a.minQuantity + random.generateDouble() * (a.maxQuantity - a.minQuantity);
    return a.maxQuantity <= 100 ? std::round(q * 100) / 100 : std::round(q); // tons come off the weighbridge
}

struct Line {
    const ArticleRef *article;
    double quantity, price, discount;
    qint64 amount;
    int vatCode, state;
    bool tagged, numbered;
};

// The state of each line of an order of the given fate; `openState` cycles so every state shows.
std::vector<Line> makeLines(Generator &gen, QRandomGenerator &random, const RelationRef &customer, Fate fate,
                            int &openState)
{
    std::vector<Line> lines(size_t(lineCount(random)));
    const int base = fate == Fate::Open ? 1 + openState++ % 7 : 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        Line &l = lines[i];
        l.article = &pick(random, gen.articles);
        l.quantity = quantityOf(random, *l.article);
        l.price = l.article->price * (0.97 + random.generateDouble() * 0.06);
        l.price = l.price >= 10 ? std::round(l.price * 100) / 100 : std::round(l.price * 10000) / 10000;
        l.discount = random.bounded(6) == 0 ? 2.5 : 0;
        l.amount = qRound64(l.quantity * l.price * (100 - l.discount));
        l.vatCode = customer.vatCode ? customer.vatCode : l.article->vatCode;
        l.tagged = true;
        l.numbered = true;
        switch (fate) {
        case Fate::Invoiced: l.state = 9; break;
        case Fate::Cancelled: l.state = 8; break;
        case Fate::Mixed: l.state = i == 0 || lines.size() == 1 ? 9 : random.bounded(3) == 0 ? 8 : 9; break;
        case Fate::InvoicedUntagged: l.state = 9, l.tagged = i != 0; break;
        case Fate::InvoicedUnnumbered: l.state = 9, l.numbered = false; break;
        case Fate::PartlyOpen: l.state = i == 0 && lines.size() > 1 ? 1 : 9; break;
        case Fate::Open: l.state = std::clamp(base + int(random.bounded(3)) - 1, 1, 7); break;
        }
    }
    if (fate == Fate::PartlyOpen && lines.size() == 1)
        lines[0].state = 1;
    return lines;
}

// The invoice of an order's invoiced lines: one part per revenue account and VAT code.
Invoice invoiceOf(Generator &gen, const std::vector<Line> &lines, const QString &relNr, const QDate &date,
                  QHash<int, int> &numbers)
{
    Invoice inv;
    inv.sales = true;
    inv.relNr = relNr;
    inv.date = date;
    inv.nr = zeroFilled(qint64(date.year() % 100) * 1000000 + ++numbers[date.year()], 8);
    std::map<std::pair<QString, int>, qint64> net;
    for (const Line &l : lines)
        if (l.state == 9 && l.numbered)
            net[{l.article->revenueAccount, l.vatCode}] += l.amount;
    for (const auto &[key, cents] : net) {
        const int percent = gen.vatRate(key.second).percent;
        inv.parts.push_back({key.first, key.second, cents, percentOf(cents, percent)});
    }
    return inv;
}

bool invoiced(const std::vector<Line> &lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const Line &l) { return l.state == 9 && l.numbered; });
}

void writeLines(Rows &rows, const QString &orderNr, const QString &relNr, const QDate &date,
                const std::vector<Line> &lines, const QString &invoiceNr)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line &l = lines[i];
        const bool billed = l.state == 9 && l.numbered;
        rows.add()
            .set(u"OrderNr", orderNr)
            .set(u"RegelNr", int(i + 1))
            .set(u"RelNr", relNr)
            .date(u"OrderDatum", date)
            .set(u"RecordCode", l.state)
            .set(u"OrderTag", l.state == 9 && l.tagged ? kTag : QString())
            .set(u"Artnr", l.article->nr)
            .set(u"Omschrijving", l.article->description)
            .set(u"Aantal", l.quantity)
            .set(u"Verkoopprijs", l.price)
            .set(u"KortingPercentage", l.discount)
            .amount(u"Bedrag", l.amount)
            .set(u"BTWCode", l.vatCode)
            .set(u"FactuurNr", billed ? invoiceNr : QString())
            .post();
    }
}

struct OrderRef {
    QString nr, relNr;
    QDate date;
};

// Trips of the planning board for evenly spread orders, some with a stop on the way.
void writeTrips(Generator &gen, const std::vector<OrderRef> &orders)
{
    if (orders.empty())
        return;
    QRandomGenerator random = gen.random(51);
    const std::vector<int> driverNumbers = drivers();
    const std::vector<const RelationRef *> customers = gen.customers();
    Rows trips(gen.main, QStringLiteral("Ritgegevens"));
    Rows logistics(gen.main, QStringLiteral("OrderLogistiek"));
    Rows stops(gen.main, QStringLiteral("OrderRitTussenLocaties"));
    gen.inBatches(gen.main, gen.scale.trips, [&](qint64 i) {
        const OrderRef &o = orders[size_t(i * qint64(orders.size()) / gen.scale.trips)];
        const QDate start = o.date.addDays(1 + random.bounded(3));
        const Vehicle &vehicle = vehicles()[size_t(random.bounded(4))]; // the trucks
        trips.add()
            .set(u"RitNr", int(i + 1))
            .set(u"OrderNr", o.nr)
            .set(u"Omschrijving", QStringLiteral("Levering order %1").arg(o.nr))
            .date(u"Startdatum", start)
            .date(u"Einddatum", start.addDays(random.bounded(4) == 0 ? 1 : 0))
            .set(u"Kenteken", QString::fromLatin1(vehicle.plate))
            .set(u"PersoneelsNr", pick(random, driverNumbers))
            .post();
        logistics.add().set(u"OrderNr", o.nr).post();
        if (random.bounded(10) == 0)
            for (int stop = 1; stop <= 1 + random.bounded(2); ++stop)
                stops.add().set(u"OrderNr", o.nr).set(u"Relnr", pick(random, customers)->relNr).set(u"Volgorde", stop).post();
    });
}

} // namespace

void writeOrders(Generator &gen)
{
    QRandomGenerator random = gen.random(50);
    const std::vector<QDate> dates = orderDates(gen, random);
    const std::vector<const RelationRef *> customers = gen.customers();
    std::vector<OrderRef> orders;
    orders.reserve(dates.size());
    QHash<int, int> invoiceNumbers;
    int openState = 0;
    Rows lines(gen.main, QStringLiteral("Ordergegevens"));
    Rows notes(gen.main, QStringLiteral("OrderNotitie"));
    Rows quality(gen.main, QStringLiteral("OrderGegevensKwaliteit"));
    gen.inBatches(gen.main, qint64(dates.size()), [&](qint64 i) {
        const QDate date = dates[size_t(i)];
        const RelationRef &customer = *pick(random, customers);
        const QString orderNr = zeroFilled(i + 1, 8);
        const Fate fate = fateOf(random, date, gen.year);
        const std::vector<Line> orderLines = makeLines(gen, random, customer, fate, openState);
        QString invoiceNr;
        if (invoiced(orderLines)) {
            const QDate invoiceDate = std::min(date.addDays(random.bounded(11)), QDate(gen.year, 12, 31));
            gen.invoices.push_back(invoiceOf(gen, orderLines, customer.relNr, invoiceDate, invoiceNumbers));
            invoiceNr = gen.invoices.back().nr;
        }
        writeLines(lines, orderNr, customer.relNr, date, orderLines, invoiceNr);
        if (random.bounded(10) == 0)
            notes.add()
                .set(u"OrderNr", orderNr)
                .set(u"Relnr", customer.relNr)
                .date(u"Datum", date)
                .set(u"Notitie", QString::fromUtf8(kNotes[random.bounded(int(std::size(kNotes)))]))
                .post();
        if (orderLines.front().article->revenueAccount <= u"8010" && random.bounded(4) == 0)
            quality.add().set(u"OrderNr", orderNr).post(); // grain and potatoes get a quality record
        orders.push_back({orderNr, customer.relNr, date});
    });
    writeTrips(gen, orders);
}

} // namespace kv::demo
