#include "demo/banking.h"
#include "demo/dutchnames.h"
#include "demo/steps.h"

#include <QHash>

namespace kv::demo {
namespace {

// TabelLandcode keys of the countries relations live in.
int landCode(const QString &country)
{
    return country == u"BE" ? 2 : country == u"DE" ? 3 : 1;
}

// The BIC that goes with a Dutch bank code.
QString bicOf(const QString &iban)
{
    static const QHash<QString, QString> bics{
        {QStringLiteral("RABO"), QStringLiteral("RABONL2U")}, {QStringLiteral("INGB"), QStringLiteral("INGBNL2A")},
        {QStringLiteral("ABNA"), QStringLiteral("ABNANL2A")}, {QStringLiteral("SNSB"), QStringLiteral("SNSBNL2A")},
        {QStringLiteral("TRIO"), QStringLiteral("TRIONL2U")}, {QStringLiteral("ASNB"), QStringLiteral("ASNBNL21")},
        {QStringLiteral("KNAB"), QStringLiteral("KNABNL2H")}, {QStringLiteral("BUNQ"), QStringLiteral("BUNQNL2A")},
        {QStringLiteral("RBRB"), QStringLiteral("RBRBNL21")}, {QStringLiteral("FVLB"), QStringLiteral("FVLBNL22")}};
    return iban.startsWith(u"NL") ? bics.value(dutchBankCode(iban)) : QString();
}

QString ibanFor(QRandomGenerator &random, const QString &country)
{
    return country == u"BE" ? makeBelgianIban(random) : country == u"DE" ? makeGermanIban(random) : makeDutchIban(random);
}

QString vatNumberFor(QRandomGenerator &random, const QString &country)
{
    return country == u"BE" ? makeBelgianVatNumber(random)
        : country == u"DE"  ? makeGermanVatNumber(random)
                            : makeDutchVatNumber(random);
}

void writeCounterSaleRelation(Rows &rows)
{
    rows.add()
        .set(u"RelNr", QString::fromLatin1(kCounterSaleRelation))
        .set(u"RelSoort", 0)
        .set(u"RecordCode", 1)
        .set(u"Bedrijfsnaam1", QStringLiteral("Balieverkoop"))
        .set(u"Bedrijfsnaam2", QStringLiteral("Contante verkopen aan de balie"))
        .set(u"Bedrijfslandcode", 1)
        .set(u"Betaaldagen", 0)
        .set(u"Betaalwijze", 3)
        .set(u"Betalingsconditie", 3)
        .set(u"Factuursoort", 1)
        .amount(u"Limiet", 0)
        .amount(u"Saldo", 0)
        .post();
}

// Contact persons, delivery addresses, statistics and mandates: rows that go when their relation goes.
void writeDependents(Generator &gen)
{
    QRandomGenerator random = gen.random(31);
    const struct {
        const char *table;
        int percent;
    } kinds[] = {{"RelatieGegevensContactPersonen", 60}, {"RelatieGegevensAfleverAdressen", 25},
                 {"RelatieStatistiek", 80}, {"Mandaten", 20}};
    for (const auto &kind : kinds) {
        std::vector<QString> owners;
        for (const RelationRef &r : gen.relations)
            if (r.relNr != QLatin1String(kCounterSaleRelation) && random.bounded(100) < kind.percent)
                owners.push_back(r.relNr);
        Rows rows(gen.main, QString::fromLatin1(kind.table));
        gen.inBatches(gen.main, qint64(owners.size()), [&](qint64 i) { rows.add().set(u"RelNr", owners[size_t(i)]).post(); });
    }
}

} // namespace

// Mostly Dutch farms as customers, suppliers from here and across the border; a few marked for
// deletion, half of which no longer trade (so the deletion tool can remove them).
void planRelations(Generator &gen)
{
    QRandomGenerator random = gen.random(30);
    gen.relations.push_back({QString::fromLatin1(kCounterSaleRelation), 0, QStringLiteral("NL"), 0, false, false});
    for (int i = 1; i < gen.scale.relations; ++i) {
        RelationRef r;
        r.relNr = zeroFilled(1000 + i, 6);
        const int kind = random.bounded(100);
        r.relSoort = kind < 70 ? 0 : kind < 92 ? 1 : kind < 97 ? 2 : 3;
        const int where = random.bounded(100);
        r.country = where < 92 ? QStringLiteral("NL") : where < 96 ? QStringLiteral("DE") : QStringLiteral("BE");
        r.vatCode = r.country == u"NL" ? 0 : 13; // deliveries within the EU
        r.marked = r.relSoort != 3 && random.bounded(100) < 3;
        r.trades = r.relSoort != 3 && !(r.marked && random.bounded(2) == 0);
        gen.relations.push_back(r);
    }
}

void writeRelations(Generator &gen)
{
    QRandomGenerator random = gen.random(32);
    Rows rows(gen.main, QStringLiteral("RelatieGegevens"));
    writeCounterSaleRelation(rows);
    gen.inBatches(gen.main, qint64(gen.relations.size()) - 1, [&](qint64 i) {
        const RelationRef &r = gen.relations[size_t(i + 1)];
        const Person owner = makePerson(random);
        const Address address = makeAddress(random, r.country);
        const bool supplier = r.relSoort == 1;
        const QString name = makeCompanyName(random, supplier ? Trade::Supplier : Trade::Customer, owner, address);
        const QString domain = domainOf(name, r.country);
        const QString iban = ibanFor(random, r.country);
        const bool directDebit = !supplier && random.bounded(3) == 0;
        rows.add()
            .set(u"RelNr", r.relNr)
            .set(u"RelSoort", r.relSoort)
            .set(u"RecordCode", r.marked ? 9 : 1)
            .set(u"Bedrijfsnaam1", name)
            .set(u"Bedrijfsnaam2", random.bounded(8) == 0 ? QStringLiteral("t.a.v. de administratie") : QString())
            .set(u"BedrijfsContact", owner.shortName())
            .set(u"BedrijfsAdres", address.street)
            .set(u"BedrijfsHuisNr", address.houseNumber)
            .set(u"BedrijfsPostcode", address.postcode)
            .set(u"BedrijfsWoonplaats", address.place)
            .set(u"Bedrijfslandcode", landCode(r.country))
            .set(u"TelefoonNr", address.phone)
            .set(u"MobielNr", QStringLiteral("06-") + zeroFilled(10000000 + random.bounded(90000000), 8))
            .set(u"Faxnr", QString())
            .set(u"Email", QStringLiteral("info@") + domain)
            .set(u"Website", random.bounded(3) == 0 ? QStringLiteral("www.") + domain : QString())
            .set(u"KvKNr", r.country == u"NL" ? makeKvkNumber(random) : QString())
            .set(u"BTWNr", r.relSoort == 3 ? QString() : vatNumberFor(random, r.country))
            .set(u"BankNr", iban)
            .set(u"BIC", bicOf(iban))
            .set(u"PostbankNr", QString())
            .amount(u"Limiet", supplier ? 0 : qint64(5 + random.bounded(10)) * 500000)
            .amount(u"Saldo", gen.balances.value(r.relNr))
            .set(u"Betaaldagen", directDebit ? 8 : supplier ? 30 : 14)
            .set(u"Betaalwijze", directDebit ? 2 : 1)
            .set(u"Betalingsconditie", directDebit ? 4 : supplier ? 2 : 1)
            .set(u"Factuursoort", random.bounded(2) + 1)
            .post();
    });
    writeDependents(gen);
}

} // namespace kv::demo
