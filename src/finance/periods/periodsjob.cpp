#include "finance/periods/periodsjob.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/log/schrijflog.h"
#include "core/jobs/jobsession.h"
#include "editing/options/audittrail.h"
#include "finance/periods/generation.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kv::finance {
namespace {

void list(Context &ctx)
{
    auto rs = ctx.session->DBAdmin().OpenQuery(u"SELECT * FROM Perioden ORDER BY PeriodeNr"_s);
    for (; !rs->Eof(); rs->MoveNext())
        std::printf("%s\t%s\t%s\t%s\t%s\n", qPrintable(rs->text(u"PeriodeNr")), qPrintable(rs->text(u"Omschrijving")),
                    qPrintable(rs->text(u"Startdatum")), qPrintable(rs->text(u"Einddatum")),
                    rs->value(u"Geblokkeerd").toBool() ? "geblokkeerd" : "open");
}

int generate(Context &ctx, const QString &type, bool forced)
{
    const QStringList types{u"jaar"_s, u"kwartaal"_s, u"maand"_s, u"week"_s};
    const qsizetype chosen = types.indexOf(type);
    if (chosen < 0) {
        std::fprintf(stderr, "Onbekend soort perioden: %s (jaar, kwartaal, maand of week)\n", qPrintable(type));
        return 1;
    }
    db::Database &db = ctx.session->DBAdmin();
    const bool inUse = db.hasRows(u"GrootboekMutaties WHERE Periode IS NOT NULL"_s);
    if (inUse && !forced) {
        std::fprintf(stderr, "Er zijn reeds boekingen aangetroffen in bestaande boekingsperiode. "
                             "Gebruik --geforceerd om de perioden toch opnieuw te maken.\n");
        return 1;
    }
    auto user = db.OpenTable(u"UserGegevens"_s);
    user->MoveFirst();
    if (user->Eof()) {
        std::fprintf(stderr, "De administratie heeft geen bedrijfsgegevens.\n");
        return 1;
    }
    const QString start = user->text(u"BoekjaarPeriodeStart"), end = user->text(u"BoekjaarPeriodeEind");
    if (!start.trimmed().isEmpty() && !end.trimmed().isEmpty() && end < start) {
        std::fprintf(stderr, "De einddatum mag niet voor de begindatum liggen.\n");
        return 1;
    }
    if (inUse) {
        const QString tag = PadRechts(u"SYSTEEM"_s, 10);
        SchrijfLog(ctx, tag + u": Formulier       : " + u"Systeem");
        SchrijfLog(ctx, tag + u": + Actie         : " + u"Geforceerd boekingsperiode wijzigen.");
    }
    const QVariant before = user->value(u"BoekingsPeriode");
    db.write([&] { // the type and its periods land together, as one save of the settings
        std::vector<options::AuditEntry> trail{{options::TrailDatabase.toString(), u"UserGegevens.BoekingsPeriode"_s,
                                                options::logText(before), QString::number(chosen)}};
        replacePeriods(ctx, periodsOf(PeriodType(chosen), start, end, user->text(u"Boekjaar")), u"frmAdministratie"_s, &trail);
        user->Edit();
        user->setValue(u"BoekingsPeriode", int(chosen));
        user->Update();
        options::recordSave(ctx, u"frmAdministratie"_s, trail);
    });
    return 0;
}

} // namespace

int runPeriodsJob(const QString &folder, const QString &type, bool forced)
{
    JobSession job(false);
    if (!job.open(folder))
        return 2;
    try {
        if (type.isEmpty()) {
            list(job.ctx);
            return 0;
        }
        return generate(job.ctx, type, forced);
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
        return 2;
    }
}

} // namespace kv::finance
