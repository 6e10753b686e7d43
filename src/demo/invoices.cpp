#include "demo/accounts.h"
#include "demo/steps.h"

namespace kv::demo {
namespace {

struct Expense {
    const char *account;
    int vatCode;
    qint64 minCents, maxCents;
};

// Costs that come in on suppliers' invoices besides the goods bought for resale.
const Expense kExpenses[] = {
    {"4200", 6, 150000, 900000}, {"4210", 6, 40000, 450000}, {"4110", 6, 60000, 380000},
    {"4120", 6, 25000, 250000}, {"4250", 6, 80000, 600000}, {"4310", 6, 6000, 18000},
    {"4320", 6, 15000, 120000}, {"4500", 6, 150000, 450000}, {"4530", 6, 20000, 160000},
    {"7100", 6, 50000, 500000}};

InvoicePart partOf(const Generator &gen, const QString &account, int vatCode, qint64 net)
{
    return {account, vatCode, net, percentOf(net, gen.vatRate(vatCode).percent)};
}

// Goods bought for resale and the costs of running the business, mostly in the year itself.
void addPurchaseInvoices(Generator &gen, QRandomGenerator &random)
{
    const std::vector<const RelationRef *> suppliers = gen.suppliers();
    if (suppliers.empty() || gen.articles.empty())
        return;
    const int count = std::max(10, gen.scale.orders / 4);
    for (int i = 0; i < count; ++i) {
        Invoice inv;
        inv.sales = false;
        inv.relNr = pick(random, suppliers)->relNr;
        inv.date = randomDay(random, random.bounded(10) == 0 ? gen.year - 1 : gen.year);
        inv.nr = QStringLiteral("%1-%2").arg(inv.date.year()).arg(zeroFilled(i + 1, 6));
        for (int part = 0, parts = 1 + random.bounded(2); part < parts; ++part) {
            if (random.bounded(3) == 0) {
                const Expense &e = kExpenses[random.bounded(int(std::size(kExpenses)))];
                inv.parts.push_back(partOf(gen, QString::fromLatin1(e.account), e.vatCode,
                                           e.minCents + random.bounded(e.maxCents - e.minCents)));
            } else {
                const ArticleRef &a = pick(random, gen.articles);
                const double quantity = a.minQuantity + random.generateDouble() * (a.maxQuantity - a.minQuantity);
                inv.parts.push_back(partOf(gen, a.purchaseAccount, a.vatCode, qRound64(quantity * a.purchasePrice * 100)));
            }
        }
        gen.invoices.push_back(std::move(inv));
    }
}

// Cash sales at the counter, booked on the counter-sale relation and paid on the spot.
void addCounterSales(Generator &gen, QRandomGenerator &random)
{
    const int count = std::max(5, gen.scale.orders / 50);
    for (int i = 0; i < count; ++i) {
        Invoice inv;
        inv.relNr = QString::fromLatin1(kCounterSaleRelation);
        inv.date = randomDay(random, gen.year - random.bounded(2));
        inv.nr = QStringLiteral("B%1").arg(zeroFilled(qint64(inv.date.year() % 100) * 100000 + i + 1, 7));
        inv.parts.push_back(partOf(gen, QString::fromLatin1(accounts::kCounterSales), 6, 1500 + random.bounded(60000)));
        inv.paid = inv.total();
        inv.paidOn = inv.date;
        gen.invoices.push_back(std::move(inv));
    }
}

// Old invoices are nearly all paid, some with a small difference written off; recent ones
// are often still open. Nothing is paid after the end of the year.
void settle(Invoice &inv, QRandomGenerator &random, int year)
{
    if (inv.relNr == QLatin1String(kCounterSaleRelation))
        return;
    const QDate yearEnd(year, 12, 31);
    const qint64 age = inv.date.daysTo(yearEnd);
    const int p = random.bounded(100);
    const QDate paidOn = inv.date.addDays(7 + random.bounded(34));
    if (paidOn > yearEnd)
        return;
    const qint64 total = inv.total();
    if (age > 45 ? p < 85 : p < 35) {
        inv.paid = total;
    } else if (age > 45 && p < 90) {
        inv.writtenOff = std::min<qint64>(total, 1 + random.bounded(500));
        inv.paid = total - inv.writtenOff;
    } else if (p % 3 == 0) {
        inv.paid = total / 2; // a first instalment
    } else {
        return;
    }
    inv.paidOn = paidOn;
}

} // namespace

void planInvoices(Generator &gen)
{
    QRandomGenerator random = gen.random(60);
    addPurchaseInvoices(gen, random);
    addCounterSales(gen, random);
    for (Invoice &inv : gen.invoices)
        settle(inv, random, gen.year);
}

} // namespace kv::demo
