#include "demo/accounts.h"
#include "demo/steps.h"

namespace kv::demo {
namespace {

struct Level {
    int key;
    const char *description;
};

// Main levels 1..12; a sub level's key is its main level times 100 plus a number.
const Level kMainLevels[] = {
    {1, "Vaste activa"}, {2, "Vlottende activa"}, {3, "Liquide middelen"}, {4, "Eigen vermogen"},
    {5, "Voorzieningen en langlopende schulden"}, {6, "Kortlopende schulden"}, {7, "Omzet"},
    {8, "Kostprijs van de omzet"}, {9, "Personeelskosten"}, {10, "Afschrijvingen"},
    {11, "Overige bedrijfskosten"}, {12, "Financiële baten en lasten"}};

const Level kSubLevels[] = {
    {101, "Gebouwen en terreinen"}, {102, "Machines en installaties"}, {103, "Transportmiddelen"},
    {201, "Voorraden"}, {202, "Vorderingen"}, {301, "Kas"}, {302, "Bank"},
    {401, "Kapitaal"}, {402, "Reserves en resultaat"}, {501, "Voorzieningen"}, {502, "Langlopende leningen"},
    {601, "Crediteuren"}, {602, "Belastingen"}, {603, "Overige schulden"},
    {701, "Omzet handel"}, {702, "Omzet diensten"}, {801, "Inkoopwaarde handelsgoederen"},
    {802, "Uitbesteed werk"}, {901, "Lonen en salarissen"}, {902, "Sociale lasten"},
    {1001, "Afschrijvingen vaste activa"}, {1101, "Huisvestingskosten"}, {1102, "Vervoerskosten"},
    {1103, "Kantoorkosten"}, {1104, "Verkoopkosten"}, {1105, "Algemene kosten"},
    {1201, "Rente en bankkosten"}, {1202, "Betalingsverschillen en kortingen"}};

struct Account {
    const char *nr;
    const char *description;
    int sub;
    int vatCode = 0;
    int costCentre = 0;
};

const Account kAccounts[] = {
    {"0100", "Bedrijfsgebouwen", 101}, {"0110", "Afschrijving bedrijfsgebouwen", 101},
    {"0150", "Grond en terreinen", 101}, {"0200", "Opslagloodsen en silo's", 101},
    {"0210", "Afschrijving opslagloodsen en silo's", 101}, {"0300", "Machines en installaties", 102},
    {"0310", "Afschrijving machines en installaties", 102}, {"0350", "Droog- en sorteerinstallatie", 102},
    {"0360", "Afschrijving droog- en sorteerinstallatie", 102}, {"0400", "Vrachtwagens", 103},
    {"0410", "Afschrijving vrachtwagens", 103}, {"0450", "Heftrucks en shovels", 103},
    {"0460", "Afschrijving heftrucks en shovels", 103},
    {"0500", "Geplaatst aandelenkapitaal", 401}, {"0510", "Algemene reserve", 402},
    {"0520", "Onverdeelde winst", 402}, {"0600", "Voorziening groot onderhoud", 501},
    {"0650", "Lening Rabobank", 502}, {"0660", "Onderhandse lening", 502},
    {"1000", "Kas", 301}, {"1010", "Kas balie", 301}, {"1020", "Kruisposten pin", 301},
    {"1100", "Bank Rabobank", 302}, {"1110", "Bank ING", 302}, {"1120", "Spaarrekening Rabobank", 302},
    {"1300", "Debiteuren", 202}, {"1310", "Voorziening dubieuze debiteuren", 202},
    {"1350", "Vooruitbetaalde kosten", 202}, {"1360", "Nog te ontvangen bedragen", 202},
    {"1500", "BTW af te dragen hoog tarief", 602}, {"1510", "BTW af te dragen laag tarief", 602},
    {"1520", "BTW af te dragen verlegd", 602}, {"1530", "Te vorderen BTW hoog tarief", 602},
    {"1540", "Te vorderen BTW laag tarief", 602}, {"1550", "Te vorderen BTW verlegd", 602},
    {"1560", "Afdracht BTW", 602}, {"1600", "Crediteuren", 601}, {"1650", "Nog te betalen bedragen", 603},
    {"1660", "Vooruitontvangen bedragen", 603}, {"1700", "Loonheffing af te dragen", 602},
    {"1710", "Pensioenpremies af te dragen", 603}, {"1720", "Reservering vakantiegeld", 603},
    {"1800", "Rekening-courant directie", 603}, {"2000", "Vraagposten", 603},
    {"2100", "Tussenrekening nettolonen", 603},
    {"3000", "Voorraad granen", 201}, {"3010", "Voorraad pootaardappelen", 201},
    {"3020", "Voorraad zaaizaden", 201}, {"3030", "Voorraad meststoffen", 201},
    {"3040", "Voorraad veevoer", 201}, {"3050", "Voorraad brandstoffen", 201},
    {"3060", "Voorraad gewasbescherming", 201},
    {"4000", "Brutolonen", 901, 0, 2}, {"4010", "Vakantiegeld", 901, 0, 2}, {"4020", "Uitzendkrachten", 901, 6, 3},
    {"4050", "Sociale lasten", 902, 0, 2}, {"4060", "Pensioenlasten", 902, 0, 2},
    {"4070", "Reiskostenvergoeding", 901, 0, 2},
    {"4100", "Huur loodsen", 1101, 0, 7}, {"4110", "Energie gebouwen", 1101, 6, 4},
    {"4120", "Onderhoud gebouwen", 1101, 6, 4}, {"4130", "Verzekering gebouwen", 1101, 0, 4},
    {"4200", "Brandstof vrachtwagens", 1102, 6, 5}, {"4210", "Onderhoud vrachtwagens", 1102, 6, 5},
    {"4220", "Verzekering vrachtwagens", 1102, 0, 5}, {"4230", "Motorrijtuigenbelasting", 1102, 0, 5},
    {"4240", "Tol en eurovignet", 1102, 0, 5}, {"4250", "Inhuur transport", 1102, 6, 5},
    {"4300", "Kantoorbenodigdheden", 1103, 6, 1}, {"4310", "Telefoon en internet", 1103, 6, 1},
    {"4320", "Automatisering", 1103, 6, 1}, {"4330", "Porti", 1103, 0, 1},
    {"4400", "Reclame en advertenties", 1104, 6, 3}, {"4410", "Beurzen en relatiegeschenken", 1104, 6, 3},
    {"4420", "Provisie vertegenwoordigers", 1104, 0, 3},
    {"4500", "Accountantskosten", 1105, 6, 1}, {"4510", "Advieskosten", 1105, 6, 1},
    {"4520", "Contributies en abonnementen", 1105, 6, 2}, {"4530", "Keuringskosten", 1105, 6, 3},
    {"4540", "Verzekeringen algemeen", 1105, 0, 2}, {"4550", "Kleine aanschaffingen", 1105, 6, 2},
    {"4560", "Overige algemene kosten", 1105, 6, 2},
    {"4800", "Afschrijving gebouwen", 1001}, {"4810", "Afschrijving machines", 1001},
    {"4820", "Afschrijving transportmiddelen", 1001},
    {"4900", "Rentelasten leningen", 1201}, {"4910", "Bankkosten", 1201}, {"4920", "Rentebaten", 1201},
    {"7000", "Inkoop granen", 801, 2}, {"7010", "Inkoop pootaardappelen", 801, 2},
    {"7020", "Inkoop zaaizaden", 801, 2}, {"7030", "Inkoop meststoffen", 801, 6},
    {"7040", "Inkoop veevoer", 801, 2}, {"7050", "Inkoop brandstoffen", 801, 6},
    {"7060", "Inkoop gewasbescherming", 801, 6}, {"7090", "Voorraadmutaties", 801},
    {"7100", "Inkoop diensten derden", 802, 6},
    {"8000", "Omzet granen", 701, 2}, {"8010", "Omzet pootaardappelen", 701, 2},
    {"8020", "Omzet zaaizaden", 701, 2}, {"8030", "Omzet meststoffen", 701, 6},
    {"8040", "Omzet veevoer", 701, 2}, {"8050", "Omzet brandstoffen", 701, 6},
    {"8060", "Omzet gewasbescherming", 701, 6}, {"8070", "Omzet leveringen binnen de EU", 701, 13},
    {"8100", "Omzet drogen en opslag", 702, 6}, {"8110", "Omzet transport", 702, 6},
    {"8120", "Omzet weegloon", 702, 6}, {"8200", "Omzet balieverkoop", 701, 7},
    {"8900", "Betalingsverschillen", 1202}, {"8910", "Verleende korting hoog tarief", 1202, 6},
    {"8920", "Verleende korting laag tarief", 1202, 2}, {"8930", "Verleende korting nultarief", 1202, 1},
    {"9000", "Buitengewone baten", 1105}, {"9100", "Buitengewone lasten", 1105}};

// Opening balances of the balance sheet in euros; the general reserve makes the two sides equal.
const std::pair<const char *, qint64> kOpening[] = {
    {"0100", 685000}, {"0110", -212000}, {"0150", 240000}, {"0200", 418000}, {"0210", -96500},
    {"0300", 174000}, {"0310", -88200}, {"0350", 326000}, {"0360", -141000}, {"0400", 295000},
    {"0410", -118000}, {"0450", 86000}, {"0460", -42500}, {"1000", 2350}, {"1010", 640},
    {"1100", 148720}, {"1110", 23415}, {"1120", 250000}, {"1300", 312480}, {"3000", 184000},
    {"3010", 96000}, {"3030", 58000}, {"3040", 41000}, {"3050", 12600},
    {"0500", -18000}, {"0650", -540000}, {"0660", -150000}, {"0600", -60000}, {"1600", -198340},
    {"1500", -36420}, {"1510", -21780}, {"1530", 14260}, {"1700", -18950}, {"1720", -24300}};

struct VatCode {
    int code;
    const char *description;
    int percent;
    bool exclusive;
    int rubric, basis, type;
    bool shifted;
};

// The five standard codes and those of the shifted-VAT and EU option.
const VatCode kVatCodes[] = {
    {1, "Nultarief/Geen BTW", 0, true, 4, 4, 1, false},
    {2, "Laag tarief", 9, true, 1, 1, 2, false},
    {3, "Laag tarief", 9, false, 1, 1, 2, false},
    {6, "Hoog tarief - 21%", 21, true, 0, 0, 4, false},
    {7, "Hoog tarief - 21%", 21, false, 0, 0, 4, false},
    {8, "[2a] BTW-verlegd naar mij", 0, true, 5, 5, 6, true},
    {9, "[4b] BTW inkoop binnen EU", 0, true, 7, 10, 0, true},
    {10, "[4a] BTW inkoop buiten EU", 0, true, 6, 9, 0, true},
    {11, "[1c] Overig tarieven", 0, true, 2, 2, 0, true},
    {12, "[3a] Uitvoer buiten EU", 0, true, 9, 6, 0, true},
    {13, "[3b] Uitvoer binnen EU", 0, true, 10, 7, 0, true},
    {14, "[3c] Afstandsverkopen binnen EU", 0, true, 11, 8, 0, true},
    {15, "[4b] Inkoop binnen EU - vrij%", 0, true, 7, 10, 6, true},
    {16, "[4a] Inkoop buiten EU - vrij%", 0, true, 6, 9, 6, true}};

const char *const kMonths[] = {"januari", "februari", "maart", "april", "mei", "juni", "juli",
                               "augustus", "september", "oktober", "november", "december"};

void writeLevels(Generator &gen, const QString &table, const char *keyField, const char *textField,
                 const Level *levels, size_t count)
{
    Rows rows(gen.main, table);
    gen.inBatches(gen.main, qint64(count), [&](qint64 i) {
        rows.add().set(QString::fromLatin1(keyField), levels[i].key).set(QString::fromLatin1(textField), QString::fromUtf8(levels[i].description)).post();
    });
}

qint64 openingBalance(const char *account)
{
    qint64 total = 0, own = 0;
    for (const auto &[nr, euros] : kOpening) {
        total += euros;
        if (qstrcmp(nr, account) == 0)
            own = euros;
    }
    return qstrcmp(account, "0510") == 0 ? -total : own; // the reserve balances the sheet
}

void writeAccounts(Generator &gen)
{
    using namespace accounts;
    const QSet<QString> vatAccounts{kOutputVatHigh, kOutputVatLow, kOutputVatShifted,
                                    kInputVatHigh, kInputVatLow, kInputVatShifted, QStringLiteral("1560")};
    Rows rows(gen.main, QStringLiteral("RekeningSchema"));
    gen.inBatches(gen.main, std::size(kAccounts), [&](qint64 i) {
        const Account &a = kAccounts[i];
        const QString nr = QString::fromLatin1(a.nr);
        const qint64 opening = openingBalance(a.nr) * 100;
        rows.add()
            .set(u"GrootboekReknr", nr)
            .set(u"Omschrijving", QString::fromUtf8(a.description))
            .set(u"Soortrek", a.sub / 100 >= 7 ? 1 : 0)
            .set(u"BTWCode", a.vatCode)
            .amount(u"BeginsaldoDebet", std::max<qint64>(opening, 0))
            .amount(u"BeginsaldoCredit", std::max<qint64>(-opening, 0))
            .amount(u"MutatieCumDebet", 0)
            .amount(u"MutatieCumCredit", 0)
            .set(u"BTWRekening", vatAccounts.contains(nr))
            .set(u"SubAdminDebiteuren", nr == kDebtors)
            .set(u"SubAdminCrediteuren", nr == kCreditors)
            .set(u"Kostenplaats", a.costCentre)
            .set(u"Hoofdverdichting", a.sub / 100)
            .set(u"Subverdichting", a.sub)
            .post();
    });
}

void writeJournals(Generator &gen)
{
    const struct {
        const char *code, *description, *account;
        bool bank;
    } journals[] = {{"10", "Kas", accounts::kCash, false},
                    {"20", "Bank Rabobank", accounts::kBank, true},
                    {"60", "Inkoopboek", accounts::kCreditors, false},
                    {"70", "Verkoopboek", accounts::kDebtors, false},
                    {"90", "Memoriaal", "", false}};
    Rows rows(gen.main, QStringLiteral("Dagboek"));
    gen.inBatches(gen.main, std::size(journals), [&](qint64 i) {
        rows.add()
            .set(u"DagboekCode", QString::fromLatin1(journals[i].code))
            .set(u"Omschrijving", QString::fromLatin1(journals[i].description))
            .set(u"GrootboekReknr", QString::fromLatin1(journals[i].account))
            .set(u"BankRekening", journals[i].bank ? gen.companyIban : QString())
            .post();
    });
}

void writeVatCodes(Generator &gen)
{
    using namespace accounts;
    Rows rows(gen.main, QStringLiteral("BTWcodering"));
    gen.inBatches(gen.main, std::size(kVatCodes), [&](qint64 i) {
        const VatCode &v = kVatCodes[i];
        const bool high = v.percent == 21, low = v.percent == 9;
        VatRate rate{v.code, v.percent,
                     v.shifted ? kOutputVatShifted : high ? kOutputVatHigh : low ? kOutputVatLow : kOutputVatHigh,
                     v.shifted ? kInputVatShifted : high ? kInputVatHigh : low ? kInputVatLow : kInputVatHigh};
        gen.vatRates.push_back(rate);
        rows.add()
            .set(u"BTWCode", v.code)
            .set(u"Omschrijving", QString::fromUtf8(v.description))
            .set(u"BTWPercentage", v.percent)
            .set(u"InEx", v.exclusive)
            .set(u"BTWRubriek", v.rubric)
            .set(u"BTWGrondslag", v.basis)
            .set(u"BTWType", v.type)
            .set(u"BTWPercentageVrij", v.type == 99)
            .set(u"Invisible", false)
            .set(u"BTWverlegd", v.shifted)
            .set(u"grootboekreknrinkoop", rate.purchaseAccount)
            .set(u"grootboekreknrverkoop", rate.salesAccount)
            .set(u"grootboekreknrkorting", QString::fromLatin1(high ? kDiscountHigh : low ? kDiscountLow : kDiscountZero))
            .set(u"DatumVanaf", QString())
            .set(u"DatumTotEnMet", QString())
            .set(u"BTWCodeExtern", v.code)
            .set(u"SortNr", int(i + 1))
            .post();
    });
}

// Month periods: 0 the opening balance, 1..12 the months, 13 the blocked correction period.
void writePeriods(Generator &gen)
{
    const QDate start(gen.year, 1, 1), end(gen.year, 12, 31);
    Rows rows(gen.main, QStringLiteral("Perioden"));
    gen.inBatches(gen.main, 14, [&](qint64 i) {
        const int nr = int(i);
        const bool ordinary = nr >= 1 && nr <= 12;
        const QDate first = ordinary ? QDate(gen.year, nr, 1) : start;
        const QDate last = ordinary ? first.addMonths(1).addDays(-1) : end;
        const QString description = nr == 0 ? QStringLiteral("beginbalans")
            : ordinary ? QStringLiteral("%1 %2").arg(QLatin1String(kMonths[nr - 1])).arg(gen.year)
                       : QStringLiteral("correcties periode 13");
        rows.add()
            .set(u"PeriodeNr", nr)
            .set(u"Omschrijving", description)
            .date(u"Startdatum", first)
            .date(u"Einddatum", last)
            .date(u"OpenDatum", nr == 13 ? QDate() : first)
            .set(u"SluitDatum", QString())
            .set(u"Geblokkeerd", nr == 13)
            .post();
    });
}

} // namespace

void writeChartOfAccounts(Generator &gen)
{
    writeLevels(gen, QStringLiteral("Hoofdverdichting"), "Hoofdverdichting", "HoofdOmschrijving",
                kMainLevels, std::size(kMainLevels));
    writeLevels(gen, QStringLiteral("Subverdichting"), "Subverdichting", "SubOmschrijving",
                kSubLevels, std::size(kSubLevels));
    writeAccounts(gen);
    writeJournals(gen);
    writeVatCodes(gen);
    writePeriods(gen);
}

} // namespace kv::demo
