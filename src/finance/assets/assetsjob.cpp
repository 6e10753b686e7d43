#include "finance/assets/assetsjob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"
#include "editing/amounts.h"
#include "finance/assets/assetregister.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <utility>

using namespace Qt::StringLiterals;

namespace kv::finance::assets {
namespace {

// 1234,50: cents with a decimal comma, no thousands separator.
QString bedrag(qint64 centen)
{
    return CentenTekst(centen, u',');
}

} // namespace

int runAssetsJob(const QStringList &arguments, const QString &activum)
{
    if (arguments.size() != 2)
        return 64;
    if (!QRegularExpression(u"^\\d{4}$"_s).match(arguments[1]).hasMatch()) {
        std::fprintf(stderr, "Het jaar moet uit vier cijfers bestaan, bijvoorbeeld 2026.\n");
        return 1;
    }
    bool getal = activum.isEmpty();
    const qint64 nummer = activum.toLongLong(getal ? nullptr : &getal);
    if (!getal) {
        std::fprintf(stderr, "Activum %s bestaat niet.\n", qPrintable(activum));
        return 1;
    }
    const int jaar = arguments[1].toInt();
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    std::vector<Geregistreerd> activa;
    bool afronden = false;
    if (!tryOperation(job.ctx, u"korvenal-admin afschrijvingen"_s, [&] {
            activa = leesActiva(job.ctx, activum.isEmpty() ? std::nullopt : std::optional(nummer));
            afronden = jaarInstellingen(job.ctx, jaar).heleEuros;
        }))
        return 2;
    if (!activum.isEmpty() && activa.empty()) {
        std::fprintf(stderr, "Activum %s bestaat niet.\n", qPrintable(activum));
        return 1;
    }

    TerminalProgress voortgang;
    voortgang.step(u"Afschrijvingen berekenen..."_s);
    const bool overgeslagen = !jaaroverzicht(
        activa, jaar, afronden, [](const QString &regel) { std::printf("%s\n", regel.toUtf8().constData()); },
        [&](const Geregistreerd &g, const QStringList &bezwaar) {
            voortgang.finished();
            std::fprintf(stderr, "Activum %lld (%s) overgeslagen: %s\n", g.nummer, qPrintable(g.omschrijving),
                         qPrintable(bezwaar.join(u' ')));
        },
        &voortgang);
    voortgang.finished();
    if (voortgang.stopRequested()) {
        std::fprintf(stderr, "Onderbroken.\n");
        return 130;
    }
    return overgeslagen ? 3 : 0;
}

bool jaaroverzicht(const std::vector<Geregistreerd> &activa, int jaar, bool afronden,
                   const std::function<void(const QString &)> &uit,
                   const std::function<void(const Geregistreerd &, const QStringList &)> &geweigerd, Progress *voortgang)
{
    QString lijn;
    const auto regel = [&](std::initializer_list<QString> velden) {
        lijn.clear();
        bool eerste = true;
        for (const QString &veld : velden) {
            if (!std::exchange(eerste, false))
                lijn += u'\t';
            lijn += veld;
        }
        uit(lijn);
    };
    regel({u"nummer"_s, u"omschrijving"_s, u"groep"_s, u"methode"_s, u"periode"_s, u"boekwaarde begin"_s,
           u"afschrijving"_s, u"cumulatief"_s, u"boekwaarde eind"_s});
    qint64 begin = 0, afschrijving = 0, cumulatief = 0, eind = 0;
    bool alles = true;
    for (size_t i = 0; i < activa.size(); ++i) {
        if (voortgang) {
            if (voortgang->stopRequested())
                return false;
            voortgang->percent(int(i * 100 / activa.size()));
        }
        const Geregistreerd &g = activa[i];
        if (const QStringList bezwaar = bezwaren(g.activum, g.metGroep); !bezwaar.isEmpty()) {
            geweigerd(g, bezwaar);
            alles = false;
            continue;
        }
        std::vector<Termijn> termijnen = assets::termijnen(g.activum, jaar, afronden);
        const qint64 beginJaar = termijnen.front().begin, eindJaar = termijnen.back().eind();
        const qint64 cumJaar = termijnen.back().cumulatief;
        if (std::all_of(termijnen.begin(), termijnen.end(), [](const Termijn &t) { return t.bedrag == 0; }))
            termijnen = {{jaar, 1, 1, beginJaar, 0, cumJaar}}; // one row for the year
        for (const Termijn &t : termijnen)
            regel({QString::number(g.nummer), g.omschrijving, g.groep, QString::number(g.activum.methode), periodeNaam(t),
                   bedrag(t.begin), bedrag(t.bedrag), bedrag(t.cumulatief), bedrag(t.eind())});
        begin += beginJaar;
        afschrijving += beginJaar - eindJaar;
        cumulatief += cumJaar;
        eind += eindJaar;
    }
    regel({u"Totaal"_s, {}, {}, {}, QString::number(jaar), bedrag(begin), bedrag(afschrijving), bedrag(cumulatief), bedrag(eind)});
    return alles;
}

} // namespace kv::finance::assets
