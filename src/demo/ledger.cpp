#include "demo/accounts.h"
#include "demo/steps.h"

#include <algorithm>
#include <functional>
#include <map>

namespace kv::demo {
namespace {

using namespace accounts;

const QString kCashJournal = QStringLiteral("10"), kBankJournal = QStringLiteral("20"),
              kPurchaseJournal = QStringLiteral("60"), kSalesJournal = QStringLiteral("70"),
              kMemorialJournal = QStringLiteral("90");

// One ledger line before it is written.
struct Entry {
    QString account;
    bool debit;
    qint64 cents;
    int vatCode = 0;
    qint64 vat = 0;
    int costCentre = 0;
};

struct Booking {
    QString journal, description, relNr, invoiceNr;
    std::vector<Entry> entries;
};

enum class Kind { Sale, Purchase, CounterSale, Receipt, Payment, Other };

// What happens on a day: an invoice, a payment, or one of the recurring bookings.
struct Plan {
    QDate date;
    Kind kind;
    int ref; // the invoice, or the kind of recurring booking
    int lines;
    quint32 seed;
};

// Invoice lines: the relation's account for the total, each part on its account, the VAT
// gathered per VAT account.
Booking invoiceBooking(const Generator &gen, const Invoice &inv, Kind kind)
{
    const bool sales = kind != Kind::Purchase;
    Booking b;
    b.journal = kind == Kind::Sale ? kSalesJournal : kind == Kind::Purchase ? kPurchaseJournal : kCashJournal;
    b.description = (kind == Kind::Sale ? QStringLiteral("Verkoopfactuur ")
                     : kind == Kind::Purchase ? QStringLiteral("Inkoopfactuur ")
                                              : QStringLiteral("Balieverkoop ")) + inv.nr;
    b.relNr = inv.relNr;
    b.invoiceNr = inv.nr;
    const QString own = kind == Kind::Sale ? kDebtors : kind == Kind::Purchase ? kCreditors : kCash;
    b.entries.push_back({own, sales, inv.total()});
    std::map<QString, qint64> vatPerAccount;
    for (const InvoicePart &p : inv.parts) {
        b.entries.push_back({p.account, !sales, p.net, p.vatCode, p.vat});
        if (p.vat != 0) {
            const VatRate &rate = gen.vatRate(p.vatCode);
            vatPerAccount[sales ? rate.salesAccount : rate.purchaseAccount] += p.vat;
        }
    }
    for (const auto &[account, cents] : vatPerAccount)
        b.entries.push_back({account, !sales, cents});
    return b;
}

int invoiceLines(const Generator &gen, const Invoice &inv)
{
    std::vector<QString> vatAccounts;
    for (const InvoicePart &p : inv.parts)
        if (p.vat != 0) {
            const VatRate &rate = gen.vatRate(p.vatCode);
            const QString account = inv.sales ? rate.salesAccount : rate.purchaseAccount;
            if (std::find(vatAccounts.begin(), vatAccounts.end(), account) == vatAccounts.end())
                vatAccounts.push_back(account);
        }
    return 1 + int(inv.parts.size() + vatAccounts.size());
}

// Money in or out through the bank; a difference written off goes to payment differences.
Booking paymentBooking(const Invoice &inv)
{
    Booking b{kBankJournal, (inv.sales ? QStringLiteral("Ontvangst factuur ") : QStringLiteral("Betaling factuur ")) + inv.nr,
              inv.relNr, inv.nr, {}};
    const qint64 settled = inv.paid + inv.writtenOff;
    b.entries.push_back({kBank, inv.sales, inv.paid});
    if (inv.writtenOff)
        b.entries.push_back({kPaymentDifferences, inv.sales, inv.writtenOff});
    b.entries.push_back({inv.sales ? kDebtors : kCreditors, !inv.sales, settled});
    return b;
}

// The recurring bookings of a business: bank costs, rent, depreciation, wages, ...
struct Recurring {
    const char *journal, *description;
    int lines;
};

const Recurring kRecurring[] = {
    {"20", "Bankkosten", 2},              {"20", "Huur loods", 2},
    {"20", "Rente lening Rabobank", 2},   {"90", "Afschrijving", 2},
    {"90", "Pensioenpremie", 2},          {"20", "Storting kasgeld", 2},
    {"20", "Pinbetaling brandstof", 3},   {"10", "Kasuitgave kantoorartikelen", 3},
    {"20", "Energierekening", 3},         {"90", "Salarissen", 4},
};

Booking recurringBooking(int type, quint32 seed)
{
    QRandomGenerator random(seed);
    const Recurring &r = kRecurring[type];
    Booking b{QString::fromLatin1(r.journal), QString::fromLatin1(r.description), {}, {}, {}};
    const qint64 amount = 2500 + random.bounded(250000);
    const qint64 vat = percentOf(amount, 21);
    auto two = [&](const char *debit, const char *credit, qint64 cents, int costCentre = 0) {
        b.entries = {{debit, true, cents, 0, 0, costCentre}, {credit, false, cents}};
    };
    auto withVat = [&](const char *cost, const char *credit, int costCentre) {
        b.entries = {{cost, true, amount, 6, vat, costCentre}, {kInputVatHigh, true, vat}, {credit, false, amount + vat}};
    };
    switch (type) {
    case 0: two("4910", kBank, amount / 20 + 500, 1); break;
    case 1: two("4100", kBank, 350000, 7); break;
    case 2: two("4900", kBank, 187500); break;
    case 3: {
        const char *const pairs[][2] = {{"4800", "0110"}, {"4810", "0310"}, {"4810", "0360"}, {"4820", "0410"}};
        const auto &p = pairs[random.bounded(4)];
        two(p[0], p[1], amount);
        break;
    }
    case 4: two("4060", kPensionPayable, amount / 4); break;
    case 5: two(kBank, kCash, amount / 10); break;
    case 6: withVat("4200", kBank, 5); break;
    case 7: withVat("4300", kCash, 1); break;
    case 8: withVat("4110", kBank, 4); break;
    case 9: {
        const qint64 gross = 1200000 + random.bounded(1800000), social = percentOf(gross, 19),
                     tax = percentOf(gross, 28);
        b.entries = {{"4000", true, gross, 0, 0, 2}, {"4050", true, social, 0, 0, 2},
                     {kWageTax, false, tax + social}, {kNetWages, false, gross - tax}};
        break;
    }
    }
    return b;
}

int recurringOfSize(QRandomGenerator &random, int lines)
{
    std::vector<int> fitting;
    for (int i = 0; i < int(std::size(kRecurring)); ++i)
        if (kRecurring[i].lines == lines)
            fitting.push_back(i);
    return pick(random, fitting);
}

// A day in the first three weeks of the year after `year`.
QDate lateDay(QRandomGenerator &random, int year)
{
    return QDate(year + 1, 1, 2).addDays(random.bounded(20));
}

// Lines for the next year's first weeks, within the ledger's count; neither part may be one
// line, since no booking has fewer than two.
qint64 lateLinesOf(const Scale &scale)
{
    qint64 late = std::clamp<qint64>(scale.lateLines, 0, scale.ledgerLines);
    if (late == 1)
        late = 0;
    if (late > 0 && scale.ledgerLines - late == 1)
        ++late;
    return late;
}

// Invoices of the year's last weeks that were still open at its end are paid in full in the
// first weeks of the next year, booked in this administration after the year end: as many as
// half the late lines hold. Only invoices with an open item, so each payment is in Betalingen.
void payLate(Generator &gen)
{
    const qint64 payments = lateLinesOf(gen.scale) / 4;
    QRandomGenerator random = gen.random(71);
    const QDate from = QDate(gen.year, 12, 31).addDays(-56);
    std::vector<size_t> candidates;
    for (size_t i : itemInvoices(gen)) {
        const Invoice &inv = gen.invoices[i];
        if (inv.date >= from && inv.date.year() == gen.year && !inv.paid && !inv.writtenOff
            && inv.relNr != QLatin1String(kCounterSaleRelation))
            candidates.push_back(i);
    }
    for (qint64 k = 0; k < payments && k < qint64(candidates.size()); ++k) {
        std::swap(candidates[size_t(k)], candidates[size_t(k + random.bounded(qint64(candidates.size()) - k))]);
        Invoice &inv = gen.invoices[candidates[size_t(k)]];
        inv.paid = inv.total();
        inv.paidOn = lateDay(random, gen.year);
    }
}

// Bookings until `room` is used up exactly; `add` takes a booking of that many lines.
void fillWithRecurring(QRandomGenerator &random, qint64 room, const std::function<void(int type, int lines)> &add)
{
    while (room >= 2) {
        int type = random.bounded(int(std::size(kRecurring)));
        int lines = kRecurring[type].lines;
        if (lines > room || room - lines == 1) {
            lines = room <= 4 ? int(room) : room - 2 == 1 ? 3 : 2;
            type = recurringOfSize(random, lines);
        }
        add(type, lines);
        room -= lines;
    }
}

// The invoices and payments of the year, then recurring bookings until exactly the year's
// lines are planned; then the late ones: the payments made after the year end (see payLate)
// and recurring bookings in the first weeks of the next year.
std::vector<Plan> planBookings(const Generator &gen, QRandomGenerator &random)
{
    std::vector<Plan> plans;
    const qint64 late = lateLinesOf(gen.scale);
    qint64 room = gen.scale.ledgerLines - late;
    auto add = [&](const QDate &date, Kind kind, int ref, int lines) {
        if (lines <= room && room - lines != 1) {
            plans.push_back({date, kind, ref, lines, random.generate()});
            room -= lines;
        }
    };
    for (int i = 0; i < int(gen.invoices.size()); ++i) {
        const Invoice &inv = gen.invoices[size_t(i)];
        const bool counter = inv.relNr == QLatin1String(kCounterSaleRelation);
        if (inv.date.year() == gen.year)
            add(inv.date, counter ? Kind::CounterSale : inv.sales ? Kind::Sale : Kind::Purchase, i, invoiceLines(gen, inv));
        if (!counter && inv.paid && inv.paidOn.year() == gen.year)
            add(inv.paidOn, inv.sales ? Kind::Receipt : Kind::Payment, i, inv.writtenOff ? 3 : 2);
    }
    fillWithRecurring(random, room, [&](int type, int lines) { add(randomDay(random, gen.year), Kind::Other, type, lines); });

    room = late;
    for (int i = 0; i < int(gen.invoices.size()); ++i) {
        const Invoice &inv = gen.invoices[size_t(i)];
        if (inv.paid && inv.paidOn.year() > gen.year)
            add(inv.paidOn, inv.sales ? Kind::Receipt : Kind::Payment, i, 2);
    }
    fillWithRecurring(random, room, [&](int type, int lines) { add(lateDay(random, gen.year), Kind::Other, type, lines); });
    std::stable_sort(plans.begin(), plans.end(), [](const Plan &a, const Plan &b) { return a.date < b.date; });
    return plans;
}

Booking bookingOf(const Generator &gen, const Plan &plan)
{
    switch (plan.kind) {
    case Kind::Sale:
    case Kind::Purchase:
    case Kind::CounterSale:
        return invoiceBooking(gen, gen.invoices[size_t(plan.ref)], plan.kind);
    case Kind::Receipt:
    case Kind::Payment:
        return paymentBooking(gen.invoices[size_t(plan.ref)]);
    case Kind::Other:
        break;
    }
    return recurringBooking(plan.ref, plan.seed);
}

void writeEntries(const Generator &gen, Rows &rows, const Booking &b, const QString &bookingNr, const QDate &date)
{
    for (const Entry &e : b.entries) {
        rows.add()
            .set(u"DagboekCode", b.journal)
            .set(u"BoekstukNr", bookingNr)
            .set(u"Periode", date.month())
            .date(u"BoekingsDatum", date)
            .set(u"GrootboekReknr", e.account)
            .set(u"Omschrijving", b.description)
            .amount(u"Bedrag", e.cents)
            .set(u"DCCode", e.debit ? QStringLiteral("D") : QStringLiteral("C"))
            .set(u"RelatieNr", b.relNr)
            .set(u"FactuurNr", b.invoiceNr)
            .set(u"Kostenplaats", e.costCentre)
            .set(u"BTWCode", e.vatCode);
        if (e.vatCode)
            rows.set(u"BTWPercentage", gen.vatRate(e.vatCode).percent).amount(u"BTWBedrag", e.vat);
        rows.post();
    }
}

} // namespace

// The year's bookings in date order, numbered as they were entered, and after them those
// entered after the year end. Memorial bookings also stand in the journal.
void writeLedger(Generator &gen)
{
    payLate(gen);
    QRandomGenerator random = gen.random(70);
    const std::vector<Plan> plans = planBookings(gen, random);
    Rows ledger(gen.main, QStringLiteral("GrootboekMutaties"));
    Rows journal(gen.main, QStringLiteral("Journaal"));
    gen.inBatches(gen.main, qint64(plans.size()), [&](qint64 i) {
        const Plan &plan = plans[size_t(i)];
        const Booking booking = bookingOf(gen, plan);
        const QString bookingNr = zeroFilled(i + 1, 6);
        writeEntries(gen, ledger, booking, bookingNr, plan.date);
        if (booking.journal == kMemorialJournal)
            writeEntries(gen, journal, booking, bookingNr, plan.date);
        if (plan.kind == Kind::Receipt || plan.kind == Kind::Payment)
            gen.invoices[size_t(plan.ref)].paymentBooking = bookingNr;
    });
}

} // namespace kv::demo
