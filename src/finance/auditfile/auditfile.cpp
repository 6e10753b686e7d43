#include "finance/auditfile/auditfile.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/jobs/progress.h"
#include "core/log/schrijflog.h"
#include "core/log/workstation.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "finance/auditfile/schemacheck.h"
#include "finance/auditfile/xmlwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {
namespace {

Schrijffout schrijffout(const QString &pad, const QString &reden)
{
    return Schrijffout{u"Het bestand "_s + pad + u" kan niet worden geschreven: "_s + reden
                       + u"\n\nDe XML auditfile is NIET aangemaakt."_s};
}

// The temp file of a run is named after the target, the workstation and the process, so that a
// later run on the same workstation can tell a killed run's leftover from one still being
// written; another workstation's (in a shared folder) is never touched.
QString tijdelijkVoorvoegsel(const QFileInfo &doel)
{
    return u"."_s + doel.fileName() + u'.' + GetComputerNaam() + u'.';
}

void ruimOpNaKill(const QFileInfo &doel)
{
    const QString voor = tijdelijkVoorvoegsel(doel);
    for (const QString &naam : QDir(doel.absolutePath()).entryList({voor + u"*.tmp"_s}, QDir::Files | QDir::Hidden)) {
        bool getal = false;
        const qint64 proces = naam.mid(voor.size()).chopped(4).toLongLong(&getal);
        if (getal && ::kill(pid_t(proces), 0) != 0 && errno == ESRCH)
            QFile::remove(doel.absolutePath() + u'/' + naam);
    }
}

// A new file gets what the user's umask leaves of rw-rw-rw-; a file written over keeps its mode.
void geefRechten(QFile &bestand, const QFileInfo &doel)
{
    if (doel.exists()) {
        bestand.setPermissions(QFile::permissions(doel.absoluteFilePath()));
        return;
    }
    const mode_t masker = ::umask(0);
    ::umask(masker);
    ::fchmod(bestand.handle(), 0666 & ~masker);
}

// The rename is on disk once the folder is.
void syncMap(const QFileInfo &doel)
{
    const int map = ::open(QFile::encodeName(doel.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (map >= 0) {
        ::fsync(map);
        ::close(map);
    }
}

// Reads the whole file into `out` inside one read transaction.
void schrijf(Context &ctx, XmlWriter &out, const Opties &opties, Progress *voortgang, Resultaat &resultaat)
{
    db::Database &db = ctx.session->DBAdmin();
    // Every row is read once: mapping the file would only make the program look large.
    const qint64 gemapt = db.setMappedSize(0);
    db.BeginReadTrans();
    try {
        Secties s(ctx, out, opties, voortgang);
        s.all();
        db.Rollback(); // nothing was written
        db.setMappedSize(gemapt);
        resultaat.herstellingen = s.herstellingen();
        resultaat.opmerkingen = s.opmerkingen();
        resultaat.regels = s.regels();
    } catch (...) {
        db.Rollback();
        db.setMappedSize(gemapt);
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
    const QFileInfo doel(pad);
    ruimOpNaKill(doel);
    QFile tijdelijk(doel.absolutePath() + u'/' + tijdelijkVoorvoegsel(doel) + QString::number(::getpid()) + u".tmp"_s);
    // Removed on every way out but the rename.
    struct Opruimen {
        QFile &bestand;
        bool houden = false;
        ~Opruimen()
        {
            if (houden)
                return;
            bestand.close(); // may fail to write what QFile still held: the file goes all the same
            QFile::remove(bestand.fileName());
        }
    } opruimen{tijdelijk};
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
    geefRechten(tijdelijk, doel);
    if (!tijdelijk.flush() || ::fsync(tijdelijk.handle()) != 0)
        throw schrijffout(pad, tijdelijk.errorString());
    tijdelijk.close();
    for (const QString &engels : controle.engels)
        SchrijfLog(ctx, PadRechts(u"SYSTEEM"_s, 10) + u": + Opmerking     : "_s + engels);
    if (!controle.geldig())
        throw Stop{controle.meldingen + u"\n\nDe XML auditfile is NIET aangemaakt."_s};

    if (std::rename(QFile::encodeName(tijdelijk.fileName()).constData(), QFile::encodeName(pad).constData()) != 0)
        throw schrijffout(pad, QString::fromLocal8Bit(std::strerror(errno)));
    opruimen.houden = true;
    syncMap(doel);
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
