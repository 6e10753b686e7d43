#include "demo/steps.h"

namespace kv::demo {
namespace {

const QString kCredit = QStringLiteral("TEGOED");

// An open item as written: an invoice of the generator, an old settled one, or a credit balance.
struct Item {
    QString relNr, invoiceNr, description, paymentBooking;
    QDate date, paidOn;
    int termDays = 14;
    qint64 amount = 0, paid = 0, writtenOff = 0;
    int sign = 1; // -1: owed to a supplier
};

Item itemOf(const Invoice &inv)
{
    const bool counter = inv.relNr == QLatin1String(kCounterSaleRelation);
    return {inv.relNr, inv.nr,
            (counter ? QStringLiteral("Balieverkoop ") : inv.sales ? QStringLiteral("Factuur ") : QStringLiteral("Inkoopfactuur ")) + inv.nr,
            inv.paymentBooking, inv.date, inv.paidOn, counter ? 0 : inv.sales ? 14 : 30,
            inv.total(), inv.paid, inv.writtenOff, inv.sales ? 1 : -1};
}

// Invoices of years ago, long settled: what the deletion of historical invoices clears away.
Item historicalItem(QRandomGenerator &random, const RelationRef &relation, int year, int n)
{
    Item item;
    item.relNr = relation.relNr;
    item.date = randomDay(random, year);
    item.invoiceNr = zeroFilled(qint64(year % 100) * 1000000 + 900000 + n, 8);
    item.description = QStringLiteral("Factuur ") + item.invoiceNr;
    item.amount = 5000 + random.bounded(2500000);
    item.paid = item.amount;
    item.paidOn = item.date.addDays(10 + random.bounded(30));
    return item;
}

Item creditItem(QRandomGenerator &random, const RelationRef &relation, int year)
{
    Item item;
    item.relNr = relation.relNr;
    item.invoiceNr = kCredit;
    item.description = QStringLiteral("Tegoed uit creditnota");
    item.date = randomDay(random, year);
    item.amount = -(1000 + random.bounded(50000));
    return item;
}

std::vector<Item> collectItems(const Generator &gen, QRandomGenerator &random)
{
    const qint64 wanted = gen.scale.openItems, credits = std::max<qint64>(1, wanted / 100);
    std::vector<Item> items;
    items.reserve(size_t(wanted));
    for (size_t invoice : itemInvoices(gen))
        items.push_back(itemOf(gen.invoices[invoice]));

    // Old items also for relations marked for deletion, which the deletion then takes along.
    std::vector<const RelationRef *> holders = gen.customers();
    for (const RelationRef &r : gen.relations)
        if (r.marked && !r.trades)
            holders.push_back(&r);
    if (holders.empty())
        return items;
    for (qint64 n = 0; qint64(items.size()) < wanted - credits; ++n)
        items.push_back(historicalItem(random, *pick(random, holders), gen.year - 2 - int(n % 2), int(n + 1)));
    while (qint64(items.size()) < wanted)
        items.push_back(creditItem(random, *pick(random, holders), gen.year));
    return items;
}

void writeItems(Generator &gen, const std::vector<Item> &items)
{
    Rows open(gen.main, QStringLiteral("OpenstaandePosten"));
    Rows payments(gen.main, QStringLiteral("Betalingen"));
    gen.inBatches(gen.main, qint64(items.size()), [&](qint64 i) {
        const Item &item = items[size_t(i)];
        if (item.invoiceNr != kCredit)
            gen.balances[item.relNr] += item.sign * (item.amount - item.paid - item.writtenOff);
        open.add()
            .set(u"RelNr", item.relNr)
            .set(u"FactuurNr", item.invoiceNr)
            .set(u"Boekjaar", QString::number(item.date.year()))
            .date(u"FactuurDatum", item.date)
            .date(u"VervalDatum", item.date.addDays(item.termDays))
            .date(u"BetaalDatum", item.paidOn)
            .set(u"Omschrijving", item.description)
            .amount(u"FactuurBedrag", item.amount)
            .amount(u"BedragBetaald", item.paid)
            .amount(u"AfboekingsBedrag", item.writtenOff)
            .post();
        if (item.paid)
            payments.add()
                .set(u"RelNr", item.relNr)
                .set(u"FactuurNr", item.invoiceNr)
                .set(u"BoekstukNr", item.paymentBooking)
                .date(u"BetaalDatum", item.paidOn)
                .amount(u"Bedrag", item.paid)
                .post();
    });
}

// Sales invoices of the year wait to be posted for the last fortnight; older ones are history.
void writeInvoiceRecords(Generator &gen, const std::vector<Item> &items)
{
    const QDate postedUntil = QDate(gen.year, 12, 31).addDays(-14);
    Rows mutations(gen.main, QStringLiteral("FaktuurMutaties"));
    Rows history(gen.archive, QStringLiteral("FaktuurHistorie"));
    std::vector<const Invoice *> sales;
    for (const Invoice &inv : gen.invoices)
        if (inv.sales)
            sales.push_back(&inv);
    gen.inBatches(gen.main, qint64(sales.size()), [&](qint64 i) {
        const Invoice &inv = *sales[size_t(i)];
        if (inv.date.year() == gen.year)
            mutations.add().set(u"RelNr", inv.relNr).set(u"FactuurNr", inv.nr).set(u"Doorgeboekt", inv.date <= postedUntil).post();
    });
    gen.inBatches(gen.archive, qint64(sales.size()), [&](qint64 i) {
        const Invoice &inv = *sales[size_t(i)];
        if (inv.date.year() < gen.year)
            history.add()
                .set(u"RelNr", inv.relNr)
                .set(u"FactuurNr", inv.nr)
                .date(u"FactuurDatum", inv.date)
                .set(u"BTWCode", inv.parts.empty() ? 0 : inv.parts.front().vatCode)
                .post();
    });
    gen.inBatches(gen.archive, qint64(items.size()), [&](qint64 i) {
        const Item &item = items[size_t(i)];
        if (item.date.year() < gen.year - 1 && item.invoiceNr != kCredit)
            history.add().set(u"RelNr", item.relNr).set(u"FactuurNr", item.invoiceNr).date(u"FactuurDatum", item.date).set(u"BTWCode", 2).post();
    });
}

} // namespace

std::vector<size_t> itemInvoices(const Generator &gen)
{
    const qint64 wanted = gen.scale.openItems;
    const qint64 credits = std::max<qint64>(1, wanted / 100), history = std::max<qint64>(3, wanted / 10);
    const qint64 fromInvoices = std::min<qint64>(qint64(gen.invoices.size()), std::max<qint64>(0, wanted - credits - history));
    std::vector<size_t> chosen;
    chosen.reserve(size_t(fromInvoices));
    for (qint64 k = 0; k < fromInvoices; ++k) // spread evenly, so every kind of invoice is among them
        chosen.push_back(size_t(k * qint64(gen.invoices.size()) / fromInvoices));
    return chosen;
}

void writeOpenItems(Generator &gen)
{
    QRandomGenerator random = gen.random(80);
    const std::vector<Item> items = collectItems(gen, random);
    writeItems(gen, items);
    writeInvoiceRecords(gen, items);
}

} // namespace kv::demo
