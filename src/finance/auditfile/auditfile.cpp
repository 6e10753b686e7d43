#include "finance/auditfile/auditfile.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/jobs/progress.h"
#include "core/jobs/targetfile.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "finance/auditfile/schemacheck.h"
#include "finance/auditfile/xmlwriter.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {
namespace {

Schrijffout schrijffout(const QString &pad, const QString &reden)
{
    return Schrijffout{u"Het bestand "_s + pad + u" kan niet worden geschreven: "_s + reden
                       + u"\n\nDe XML auditfile is NIET aangemaakt."_s};
}

// Reads the whole file into `out` inside one read transaction.
void schrijf(Context &ctx, XmlWriter &out, const Opties &opties, Progress *voortgang, Resultaat &resultaat)
{
    db::Database &db = ctx.session->DBAdmin();
    // Every row is read once: mapping the file would only make the program look large.
    const db::Unmapped unmapped(db);
    db.BeginReadTrans();
    try {
        Secties s(ctx, out, opties, voortgang);
        s.all();
        db.Rollback(); // nothing was written
        resultaat.herstellingen = s.herstellingen();
        resultaat.opmerkingen = s.opmerkingen();
        resultaat.regels = s.regels();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

void bewaarHerstellingen(Context &ctx, const std::vector<BtwHerstel> &herstellingen)
{
    if (herstellingen.empty())
        return;
    db::Database &db = ctx.session->DBAdmin();
    db.write([&] {
        db::Statement update = db.prepareOnce(u"UPDATE RelatieGegevens SET BTWNr = ? WHERE RelNr = ?"_s);
        for (const BtwHerstel &h : herstellingen) {
            update.bind(1, h.btwNr);
            update.bind(2, h.relNr);
            update.step();
            update.reset();
        }
        db.bumpGeneration();
    });
}

} // namespace

Resultaat maakAuditfile(Context &ctx, const QString &pad, const Opties &opties, Progress *voortgang)
{
    TargetFile doel(pad); // removes the temp file on every way out but the rename
    QFile tijdelijk(doel.tempPath());
    if (!tijdelijk.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw schrijffout(pad, tijdelijk.errorString());

    Resultaat resultaat;
    Schemacontrole controle;
    if (voortgang)
        voortgang->step(kSchrijven.toString());
    {
        Meelezer meelezer; // the schema check reads each block in a thread of its own
        XmlWriter out(tijdelijk, [&](QByteArrayView blok) { meelezer.blok(blok); });
        try {
            schrijf(ctx, out, opties, voortgang, resultaat);
        } catch (const XmlWriter::Mislukt &mislukt) {
            throw schrijffout(pad, mislukt.reden);
        }
        if (!out.flush())
            throw schrijffout(pad, tijdelijk.errorString());
        resultaat.bytes = out.written();
        if (voortgang)
            voortgang->step(kControleren.toString());
        controle = meelezer.einde();
    }
    if (!tijdelijk.flush())
        throw schrijffout(pad, tijdelijk.errorString());
    tijdelijk.close();
    for (const QString &engels : controle.engels)
        SchrijfLog(ctx, PadRechts(u"SYSTEEM"_s, 10) + u": + Opmerking     : "_s + engels);
    if (!controle.geldig())
        throw Stop{controle.meldingen + u"\n\nDe XML auditfile is NIET aangemaakt."_s};

    if (!doel.commit())
        throw schrijffout(pad, doel.error());
    if (voortgang)
        voortgang->percent(100);
    bewaarHerstellingen(ctx, resultaat.herstellingen);
    return resultaat;
}

Uitkomst voerUit(Context &ctx, const QString &pad, const Opties &opties, Progress *voortgang)
{
    const QString tag = PadRechts(u"SYSTEEM"_s, 10);
    SchrijfLog(ctx, tag + u": Formulier       : Auditfile XML aanmaken"_s);
    Uitkomst uitkomst;
    const auto onverwerkt = [&](Uitkomst::Soort soort, const QString &melding) {
        uitkomst.soort = soort;
        uitkomst.melding = melding;
        SchrijfLog(ctx, tag + u": + Onverwerkt    : "_s + melding.section(u'\n', 0, 0, QString::SectionSkipEmpty));
    };
    const bool klaar = tryOperation(ctx, u"frmAuditFile: Aanmaken"_s, [&] {
        try {
            uitkomst.resultaat = maakAuditfile(ctx, pad, opties, voortgang);
            uitkomst.soort = Uitkomst::Soort::Gemaakt;
            uitkomst.melding = u"De XML auditfile is aangemaakt.\n\nBestandslocatie:\n"_s + pad;
        } catch (const Stop &stop) {
            onverwerkt(Uitkomst::Soort::Fout, stop.melding);
        } catch (const Schrijffout &fout) {
            onverwerkt(Uitkomst::Soort::Mislukt, fout.melding);
        } catch (const Afgebroken &) {
            onverwerkt(Uitkomst::Soort::Afgebroken, u"Afgebroken: de XML auditfile is NIET aangemaakt."_s);
        }
    });
    if (voortgang)
        voortgang->finished();
    if (!klaar)
        return uitkomst; // reported, with the database's own words
    if (uitkomst.soort == Uitkomst::Soort::Gemaakt) {
        for (const QString &soort : uitkomst.resultaat.opmerkingen)
            for (const QString &regel : soort.split(u'\n'))
                SchrijfLog(ctx, tag + u": + Opmerking     : "_s + regel);
        for (const BtwHerstel &h : uitkomst.resultaat.herstellingen)
            SchrijfLog(ctx, tag + u": + Actie         : BTW nummer relatie "_s + h.relNr + u" wordt "_s + h.btwNr);
        SchrijfLog(ctx, tag + u": + Afgerond      : "_s + pad + u" ("_s + QString::number(uitkomst.resultaat.regels)
                            + u" regels)"_s);
    }
    return uitkomst;
}

} // namespace kv::finance::auditfile
