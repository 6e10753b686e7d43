#include "demo/accounts.h"
#include "demo/banking.h"
#include "demo/fleet.h"
#include "demo/steps.h"

namespace kv::demo {
namespace {

const QString kCompanyName = QStringLiteral("Akkerhof Agrarische Handel B.V.");

// The last number of a series handed out so far.
int salesInvoicesOf(const Generator &gen, int year)
{
    int count = 0;
    for (const Invoice &inv : gen.invoices)
        count += inv.sales && inv.relNr != QLatin1String(kCounterSaleRelation) && inv.date.year() == year;
    return count;
}

void writeCompanyRecord(Generator &gen)
{
    using namespace accounts;
    QRandomGenerator random = gen.random(90);
    const QString vatNumber = makeDutchVatNumber(random);
    const QString kvk = makeKvkNumber(random);
    const int invoices = salesInvoicesOf(gen, gen.year);
    Rows rows(gen.main, QStringLiteral("UserGegevens"));
    gen.inBatches(gen.main, 1, [&](qint64) {
        rows.add()
            .set(u"Naam", kCompanyName)
            .set(u"Adres", QStringLiteral("Hessenweg")).set(u"Huisnummer", QStringLiteral("24"))
            .set(u"Postcode", QStringLiteral("7731RA")).set(u"Woonplaats", QStringLiteral("Ommen"))
            .set(u"PostAdres", QStringLiteral("Postbus")).set(u"PostHuisnummer", QStringLiteral("112"))
            .set(u"PostPostcode", QStringLiteral("7730AC")).set(u"PostWoonplaats", QStringLiteral("Ommen"))
            .set(u"ContactPersoon", QStringLiteral("J.H. Bosman"))
            .set(u"Email", QStringLiteral("info@akkerhof-handel.nl"))
            .set(u"Website", QStringLiteral("www.akkerhof-handel.nl"))
            .set(u"TelefoonNr", QStringLiteral("0529-451200")).set(u"MobielNr", QStringLiteral("06-51234876"))
            .set(u"Faxnr", QString())
            .set(u"FiscaalNr", vatNumber.mid(2, 9))
            .set(u"KvkPlaats", QStringLiteral("Zwolle")).set(u"KvKNr", kvk)
            .set(u"Vestigingsnummer", zeroFilled(random.bounded(100000000), 12))
            // Calendar year in month periods, VAT per quarter, shifted VAT and EU codes in use.
            .set(u"Boekjaar", QString::number(gen.year)).set(u"BoekingsPeriode", 2)
            .date(u"BoekjaarPeriodeStart", QDate(gen.year, 1, 1)).date(u"BoekjaarPeriodeEind", QDate(gen.year, 12, 31))
            .set(u"BoekjaarGebroken", false)
            .set(u"BTWOptie", true).set(u"BTWperiode", 1).set(u"LandCode", 1)
            .set(u"BTWNr", vatNumber).set(u"BTWID", vatNumber)
            .set(u"UseBTWVerlegd", true).set(u"ExtendedBTWGrootboek", false)
            .set(u"ReleaseCode", QString()).set(u"AutoPeriode", true)
            .set(u"Correctiejournaalpost", false).set(u"selectielog", false)
            .set(u"IncassantNaam", kCompanyName).set(u"IncassoRekening", gen.companyIban)
            .set(u"IncassantID", sepaCreditorId(kvk + QStringLiteral("0000"))).set(u"IncassoNr", 0)
            .set(u"BetaalNaam", kCompanyName).set(u"BetaalRekening", gen.companyIban).set(u"BetaalNr", 0)
            .set(u"BatchBooking", 0)
            .set(u"Subadminsoort", 0).set(u"SubadminBoeking", 0)
            .set(u"SorbexLokaal", false).set(u"SorbexOnline", false)
            .set(u"PositiesGrbnr", 4).set(u"PositiesBoeknr", 6).set(u"PositiesRelnr", 6).set(u"PositiesArtnr", 6)
            .set(u"PositiesFactnr", 8).set(u"PositiesOrdnr", 8).set(u"PositiesMagBon", 8).set(u"PositiesBestelNr", 8)
            .set(u"RelatieNr", zeroFilled(1000 + gen.scale.relations, 6))
            .set(u"OrderNummer", zeroFilled(gen.scale.orders + 1, 8))
            .set(u"MagazijnBonNr", zeroFilled(1, 8)).set(u"BestelNr", zeroFilled(1, 8))
            .set(u"RelNrInc", 1).set(u"Ordernrinc", 1).set(u"MagBonInc", 1)
            .set(u"FactuurNr", zeroFilled(qint64(gen.year % 100) * 1000000 + invoices, 8))
            .set(u"FactuurNr2", QString()).set(u"AfleverFactuurNr", QString())
            .set(u"CreditFactuurNr", QString()).set(u"ProformaFactuurNr", QString())
            .set(u"GrbRekDebiteuren", kDebtors).set(u"GrbRekCrediteuren", kCreditors)
            .set(u"GrbRekBetVerschil", kPaymentDifferences)
            .set(u"GrbRekKortingHoog", kDiscountHigh).set(u"GrbRekKortingLaag", kDiscountLow)
            .set(u"GrbRekKortingNul", kDiscountZero)
            .set(u"GrbRekResultaat", kRetainedProfit).set(u"GrbRekUitzoeken", kSuspense)
            .set(u"AllowOrderEntry", 1).set(u"AllowEditOrders", 1).set(u"MagazijnbonVerplicht", 0)
            .set(u"AllowInkoopprijsOrders", 1).set(u"AllowPrijsIngevenOrders", 1).set(u"PrijsAanpassing", 0)
            .set(u"BalieverkoopInBTW", 1).set(u"VerzamelOrders", 1).set(u"chkMinimumOpenstaandBedrag", 1)
            .set(u"AllowProformaFacturen", 0).set(u"AllowFactuurRunNr", 0)
            .set(u"BerekenTarief", true).set(u"Autoboekstuknr", true)
            .amount(u"MinimumOpenstaandBedrag", 500).set(u"VoorraadMoment", 1)
            .set(u"LastRitNummer", QString::number(gen.scale.trips)).set(u"TransportLijst", QStringLiteral("0"))
            .set(u"DebiteurDagen1", 30).set(u"DebiteurDagen2", 60).set(u"DebiteurDagen3", 90)
            .set(u"KrediteurDagen1", 30).set(u"KrediteurDagen2", 60).set(u"KrediteurDagen3", 90)
            .post();
    });
}

void writeCounterSettings(Generator &gen)
{
    using namespace accounts;
    Rows rows(gen.main, QStringLiteral("BalieVerkoopInstellingen"));
    gen.inBatches(gen.main, 1, [&](qint64) {
        rows.add()
            .set(u"Positiesbaliebonnr", 5).set(u"baliebonnr", QStringLiteral("10001"))
            .set(u"GrbRekKas", kCashCounter).set(u"GrbRekPin", QStringLiteral("1020"))
            .set(u"GrbRekDebiteuren", kDebtors).set(u"GrbRekKortingHoog", kDiscountHigh)
            .set(u"GrbRekKortingLaag", kDiscountLow).set(u"GrbRekKortingNul", kDiscountZero)
            .set(u"Paswoordbalie", QString())
            .post();
    });
}

void writeStaff(Generator &gen)
{
    QRandomGenerator random = gen.random(91);
    Rows rows(gen.main, QStringLiteral("Medewerkers"));
    gen.inBatches(gen.main, qint64(employees().size()), [&](qint64 i) {
        const Employee &e = employees()[size_t(i)];
        const QString first = QString::fromUtf8(e.firstNames);
        QString initials;
        for (const QString &name : first.split(u' '))
            initials += name.left(1) + u'.';
        rows.add()
            .set(u"PersoneelsNr", e.number)
            .set(u"Achternaam", QString::fromUtf8(e.surname)).set(u"VoorNamen", first)
            .set(u"Voorletters", initials).set(u"Roepnaam", QString::fromUtf8(e.callName))
            .set(u"Geslacht", QString::fromLatin1(e.gender))
            .set(u"GebDatum", QString::fromLatin1(e.born)).set(u"GebLand", QStringLiteral("Nederland"))
            .set(u"BSNNr", QString())
            .set(u"HuisAdres", QStringLiteral("Kerkstraat")).set(u"HuisNr", QString::number(2 + 7 * e.number))
            .set(u"Postcode", QStringLiteral("7731%1K").arg(QChar(u'A' + e.number)))
            .set(u"Woonplaats", QStringLiteral("Ommen")).set(u"Land", QStringLiteral("Nederland"))
            .set(u"Telefoon", QString()).set(u"Mobiel", QString(QStringLiteral("06-") + zeroFilled(20000000 + random.bounded(70000000), 8)))
            .set(u"Email", QString::fromUtf8(e.callName).toLower() + QStringLiteral("@akkerhof-handel.nl"))
            .set(u"BankNr", makeDutchIban(random))
            .set(u"Functie", e.function).set(u"DatumFunctie", QString::fromLatin1(e.since))
            .set(u"DatumIndienst", QString::fromLatin1(e.since)).set(u"DatumUitdienst", QString())
            .set(u"Uitzendbureau", QString()).set(u"KeurMeesterKCB", e.function == 2)
            .set(u"ProvisiePercentage", e.function == 4 ? 1.5 : 0.0).set(u"BerekeningsGrondslag", 0)
            .amount(u"Franchise", 0)
            .post();
    });
}

void writeVehicles(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("Autogegevens"));
    gen.inBatches(gen.main, qint64(vehicles().size()), [&](qint64 i) {
        const Vehicle &v = vehicles()[size_t(i)];
        const QDate inService(v.built, 3, 1);
        rows.add()
            .set(u"InternNr", v.number).set(u"Kenteken", QString::fromLatin1(v.plate)).set(u"Volgorde", v.number)
            .set(u"Merk", QString::fromLatin1(v.make)).set(u"Type", QString::fromLatin1(v.type))
            .set(u"Soort", QString::fromLatin1(v.kind)).set(u"SoortType", QString())
            .set(u"ChassisNr", QStringLiteral("XLR%1").arg(zeroFilled(v.number * 7919 + v.built, 14)))
            .set(u"BouwJaar", v.built).set(u"Brandstof", v.fuel).set(u"Verzekering", 3)
            .set(u"PolisNr", QStringLiteral("TV-%1").arg(zeroFilled(40031 + v.number * 13, 7)))
            .date(u"DatinDienst", inService).set(u"DatuitDienst", QString())
            .set(u"RVI", QString()).set(u"NIWO", QStringLiteral("NIWO-%1").arg(zeroFilled(8812 + v.number, 6)))
            .set(u"EEG", QString()).set(u"APK", true).date(u"APKdatum", QDate(gen.year, inService.month() + v.number % 6, 15))
            .post();
    });
}

} // namespace

void writeCompany(Generator &gen)
{
    writeCompanyRecord(gen);
    writeCounterSettings(gen);
    writeStaff(gen);
    writeVehicles(gen);
}

} // namespace kv::demo
