#include "finance/assets/assetregister.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "editing/dates.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kv::finance::assets {
namespace {

qint64 centen(const QVariant &bedrag)
{
    return std::llround(bedrag.toDouble() * 100);
}

QDate datum(const QVariant &opgeslagen)
{
    return OpgeslagenDatum(opgeslagen.toString());
}

} // namespace

std::vector<Geregistreerd> leesActiva(Context &ctx, std::optional<qint64> nummer)
{
    db::Statement rij = ctx.session->DBAdmin().prepareOnce(
        u"SELECT r.InternNr, r.Omschrijving, g.ActivaGroep AS Groep, g.InternNr AS GroepNr, r.AanschafWaarde, r.RestWaarde, "
        u"r.BasisBedragAfschrijving, r.HerInvesteringsReserve, r.WOZwaarde, r.WOZBeperking, r.Aanschafdatum, "
        u"r.StartDatumAfschrijvingen, r.Methode, r.Looptijd, r.Percentage, r.BoekingsFrequentie "
        u"FROM ActivaRegistratie AS r LEFT JOIN ActivaGroepen AS g ON g.InternNr = r.ActivaGroep "
        u"WHERE ?1 IS NULL OR r.InternNr = ?1 ORDER BY r.InternNr"_s);
    rij.bind(1, nummer ? QVariant(*nummer) : QVariant());
    std::vector<Geregistreerd> uit;
    while (rij.step()) {
        Geregistreerd g;
        g.nummer = rij.column(0).toLongLong();
        g.omschrijving = rij.column(1).toString();
        g.metGroep = !rij.column(3).isNull();
        g.groep = g.metGroep ? rij.column(2).toString() : u"onbekend"_s;
        Activum &a = g.activum;
        a.aanschafWaarde = centen(rij.column(4));
        a.restWaarde = centen(rij.column(5));
        a.basis = centen(rij.column(6));
        a.herinvesteringsReserve = centen(rij.column(7));
        a.wozWaarde = centen(rij.column(8));
        a.wozBeperking = rij.column(9).toInt() != 0;
        a.aanschaf = datum(rij.column(10));
        a.start = datum(rij.column(11));
        a.methode = rij.column(12).toInt();
        a.looptijd = rij.column(13).toInt();
        a.percentage = std::llround(rij.column(14).toDouble() * kProcent);
        a.frequentie = rij.column(15).toInt();
        uit.push_back(std::move(g));
    }
    return uit;
}

JaarInstellingen jaarInstellingen(Context &ctx, int jaar)
{
    db::Statement rij = ctx.session->DBAdmin().prepareOnce(
        u"SELECT Afronden, FiscaleOndergrens FROM ActivaAlgemeen WHERE CAST(Boekjaar AS INTEGER) <= ? "
        u"ORDER BY CAST(Boekjaar AS INTEGER) DESC LIMIT 1"_s);
    rij.bind(1, jaar);
    if (!rij.step())
        return {};
    // The limit is kept as FormatBedrag writes it: "1.450,00".
    QString grens = rij.column(1).toString();
    grens.remove(u'.').replace(u',', u'.');
    return {rij.column(0).toString() == u"1", std::llround(grens.toDouble() * 100)};
}

} // namespace kv::finance::assets
