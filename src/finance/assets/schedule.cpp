#include "finance/assets/schedule.h"

#include <algorithm>

using namespace Qt::StringLiterals;

// Every amount of an asset is a whole number of "units" of 1/D cent, with D chosen per asset so
// that each month's depreciation is whole: the linear month B/L, the sum-of-digits month
// B(n-k+1)/(12 n(n+1)/2), a percentage of the purchase a year over twelve months, half the
// property value. Sums and comparisons are then exact; only the instalments are rounded.
namespace kv::finance::assets {
namespace {

using Groot = __int128;

constexpr int kWozWetJaar = 2019; // from this year the floor is the whole property value

struct Rekenaar {
    const Activum &a;
    qint64 D = 2;         // units per cent
    Groot B = 0;          // the basis, in units
    int n = 0;            // life in years

    explicit Rekenaar(const Activum &activum) : a(activum), n(std::max(activum.looptijd, 0))
    {
        switch (a.methode) {
        case 0:
            D = n > 0 ? 2 * 12 * qint64(n) : 2 * 12 * 100 * kProcent;
            break;
        case 2:
            D = 2 * 12 * qint64(n) * (n + 1) / 2;
            break;
        default: // a year's amount is whole cents, spread over twelve months
            D = 2 * 12;
            break;
        }
        D = std::max<qint64>(D, 2);
        B = Groot(std::max<qint64>(a.basisBedrag(), 0)) * D;
    }

    // The most that may be written off by the end of a month of `jaar`: the basis, and no
    // further than the floor (the residual value, or the share of the property value).
    Groot plafond(int jaar) const
    {
        Groot vloer = Groot(a.restWaarde) * D;
        if (a.wozBeperking)
            vloer = std::max(vloer, jaar < kWozWetJaar ? Groot(a.wozWaarde) * D / 2 : Groot(a.wozWaarde) * D);
        return std::clamp(Groot(a.aanschafWaarde) * D - vloer, Groot(0), B);
    }

    static Groot afgerond(Groot teller, Groot noemer) // half away from zero, teller >= 0
    {
        return (2 * teller + noemer) / (2 * noemer);
    }

    // Month `j` (0..11) of asset year `k` (1 the first): its depreciation in units, given what
    // was written off before the asset year began.
    Groot maand(int k, int j, Groot voorJaar) const
    {
        switch (a.methode) {
        case 0:
            if (n > 0)
                return k <= n ? B / (12 * n) : 0;
            return Groot(a.aanschafWaarde) * a.percentage * D / (12 * 100 * kProcent);
        case 2:
            return k <= n ? B / D * 2 * (n - k + 1) : 0; // B/D cents times (n-k+1) / (12 n(n+1)/2) a month
        default: {
            if (n > 0 && k > n)
                return 0;
            if (n > 0 && k == n) { // the last year takes the rest of the basis, to the unit
                const Groot rest = std::max<Groot>(B - voorJaar, 0);
                return rest * (j + 1) / 12 - rest * j / 12;
            }
            // The percentage of the book value at the start of the asset year, in whole cents.
            const Groot boekwaarde = Groot(a.aanschafWaarde) * D - voorJaar;
            const Groot jaarCenten = afgerond(std::max<Groot>(boekwaarde, 0) * a.percentage, Groot(D) * 100 * kProcent);
            return jaarCenten * D / 12;
        }
        }
    }
};

int maandNummer(const QDate &d)
{
    return d.year() * 12 + d.month() - 1;
}

} // namespace

std::vector<Termijn> termijnen(const Activum &activum, int jaar, bool heleEuros)
{
    const Rekenaar r(activum);
    const QDate begin = activum.start.isValid() ? activum.start : activum.aanschaf;
    const int perJaar = activum.frequentie == 1 || activum.frequentie == 4 ? activum.frequentie : 12;
    const int maandenPerTermijn = 12 / perJaar;

    // The cumulative depreciation at the end of each month, from the first month until it is
    // complete (its last value, the total, is needed for the rounding); before the first month
    // nothing, after the last the total.
    const int eerste = begin.isValid() ? maandNummer(begin) : jaar * 12 + 12;
    const int vorigDecember = jaar * 12 - 1;
    constexpr int kHoogstens = 100 * 12; // no asset depreciates longer
    Groot cum = 0, voorJaar = 0, eindVorigJaar = 0, plafond = 0, perMaand = 0;
    std::vector<Groot> inJaar(12, 0);
    int m = eerste;
    for (; m - eerste < kHoogstens; ++m) {
        const int index = m - eerste, k = index / 12 + 1;
        if (index % 12 == 0) { // an asset year begins: its month is the same throughout, but for the rest of a last year
            voorJaar = cum;
            perMaand = r.maand(k, 0, voorJaar);
        }
        if (index == 0 || m % 12 == 0)
            plafond = r.plafond(m / 12);
        const bool rest = r.a.methode == 1 && r.n > 0 && k == r.n;
        const Groot maand = rest ? r.maand(k, index % 12, voorJaar) : perMaand;
        cum = std::max(cum, std::min(cum + maand, plafond));
        if (m == vorigDecember)
            eindVorigJaar = cum;
        if (m / 12 == jaar)
            inJaar[size_t(m % 12)] = cum;
        if (cum >= plafond || (maand == 0 && (r.n == 0 || k > r.n)))
            break; // complete: nothing changes any more
    }
    if (m < vorigDecember)
        eindVorigJaar = cum;
    for (int later = std::max(m + 1, jaar * 12); later <= jaar * 12 + 11; ++later)
        inJaar[size_t(later % 12)] = cum;
    const Groot totaal = cum;

    // Rounded as booked: to cents or whole euros, never beyond the total, and the total itself
    // exactly, so the instalments never go below zero and the last ends on the total.
    const qint64 totaalCenten = qint64(Rekenaar::afgerond(totaal, r.D));
    const auto geboekt = [&](Groot units) {
        if (units >= totaal || !heleEuros)
            return qint64(Rekenaar::afgerond(units, r.D));
        return std::min(qint64(Rekenaar::afgerond(units, Groot(r.D) * 100) * 100), totaalCenten);
    };
    std::vector<Termijn> uit;
    qint64 vorige = geboekt(eindVorigJaar);
    for (int t = 1; t <= perJaar; ++t) {
        const qint64 nu = geboekt(inJaar[size_t(t * maandenPerTermijn - 1)]);
        uit.push_back({jaar, t, perJaar, activum.aanschafWaarde - vorige, nu - vorige, nu});
        vorige = nu;
    }
    return uit;
}

QString periodeNaam(const Termijn &t)
{
    switch (t.perJaar) {
    case 12: return u"%1-%2"_s.arg(t.jaar).arg(t.nummer, 2, 10, QChar(u'0'));
    case 4: return u"%1-K%2"_s.arg(t.jaar).arg(t.nummer);
    default: return QString::number(t.jaar);
    }
}

QStringList adviezen(const Activum &a, qint64 ondergrens)
{
    QStringList uit;
    // The first full year's share of the purchase, in the percentage's unit.
    const qint64 B = a.basisBedrag(), n = a.looptijd;
    qint64 perJaar = 0; // cents
    if (a.methode == 0)
        perJaar = n > 0 ? B / n : a.aanschafWaarde * a.percentage / (100 * kProcent);
    else if (a.methode == 1)
        perJaar = a.aanschafWaarde * a.percentage / (100 * kProcent);
    else if (n > 0)
        perJaar = 2 * B / (n + 1);
    if (a.aanschafWaarde > 0 && perJaar * 5 > a.aanschafWaarde)
        uit << u"Let op: er wordt meer dan 20% van de aanschafwaarde per jaar afgeschreven; fiscaal is dat het "
               u"hoogste dat mag (10% voor goodwill)."_s;
    if (ondergrens > 0 && a.aanschafWaarde < ondergrens)
        uit << u"Let op: de aanschafwaarde ligt onder de fiscale benedengrens; zo'n aankoop wordt fiscaal niet "
               u"geactiveerd."_s;
    return uit;
}

QStringList bezwaren(const Activum &a, bool metGroep)
{
    QStringList uit;
    if (!metGroep)
        uit << u"Kies de activagroep van dit activum."_s;
    if (a.restWaarde > a.aanschafWaarde)
        uit << u"De restwaarde kan niet hoger zijn dan de aanschafwaarde."_s;
    if (a.basis != 0 && a.basis > a.aanschafWaarde - a.restWaarde) // 0: the proposal, checked above
        uit << u"Het af te schrijven bedrag kan niet hoger zijn dan de aanschafwaarde min de restwaarde."_s;
    if (a.start.isValid() && a.aanschaf.isValid() && maandNummer(a.start) < maandNummer(a.aanschaf))
        uit << u"De afschrijvingen kunnen niet beginnen voor de maand van aanschaf."_s;
    if (a.methode == 1 && (a.looptijd <= 0 || a.percentage <= 0))
        uit << u"Afschrijven met een vast percentage van de boekwaarde vraagt een looptijd en een percentage."_s;
    if (a.methode == 2 && a.looptijd <= 0)
        uit << u"Afschrijven naar de som van de jaarnummers vraagt een looptijd."_s;
    return uit;
}

} // namespace kv::finance::assets
