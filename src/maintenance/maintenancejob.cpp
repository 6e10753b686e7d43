#include "maintenance/maintenancejob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"
#include "editing/datecheck.h"
#include "editing/listdetail/detaillogic.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

// The first day that no longer counts: a date typed as the screens take it, or for the clean-up
// a bare year up to last year, taken through its 31 December. A date after today gets the date
// check's own message, anything else that is no date "Er is een onlogische datum ingegeven.".
std::optional<QString> limitOf(JobSession &job, OrderSelection::Job kind, const QString &typed)
{
    Context &ctx = job.ctx;
    if (kind == OrderSelection::Job::Opschonen && QRegularExpression(u"^\\d{4}$"_s).match(typed).hasMatch()) {
        const int year = typed.toInt();
        if (year >= ctx.today().year()) {
            ctx.dialogs->MsgBox(u"Deze datum ligt in de toekomst.\nWijzig de datum."_s, mb::OKOnly | mb::Exclamation);
            return std::nullopt;
        }
        if (year < 1800) {
            ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
            return std::nullopt;
        }
        return QString::number(year + 1) + u"0101"_s;
    }
    const std::optional<QString> date = DatumControleren(ctx, typed, true);
    if (!date && !job.dialogs.told())
        ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
    return date;
}

void print(const char *what, const std::vector<std::pair<QString, qint64>> &counts)
{
    for (const auto &[table, rows] : counts)
        std::printf("%s\t%s\t%lld\n", what, qPrintable(table), rows);
}

} // namespace

int runOrderMoveJob(OrderSelection::Job kind, const QStringList &arguments, bool ookOnverwerkt, bool proef, bool ja)
{
    if (arguments.size() != 2 || proef == ja || (ookOnverwerkt && kind != OrderSelection::Job::Archiveren)) {
        std::fprintf(stderr, "Geef --proef (alleen tellen) of --ja (uitvoeren).\n");
        return 64;
    }
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    const std::optional<QString> voor = limitOf(job, kind, arguments[1]);
    if (!voor)
        return 1;
    OrderMove move(job.ctx, {kind, *voor, ookOnverwerkt});
    OrderMove::Outcome outcome = OrderMove::Outcome::Cancelled;
    bool failed = false;
    {
        TerminalProgress progress;
        failed = !tryOperation(job.ctx, kind == OrderSelection::Job::Archiveren ? u"korvenal-admin archiveren"_s
                                                                                : u"korvenal-admin opschonen"_s,
                               [&] { outcome = move.perform(&progress, proef); });
    }
    const MoveCounts &counts = move.counts();
    print("naar archief", counts.naarArchief);
    print("verwijderd", counts.verwijderd);
    std::printf("orders\t%lld\n", counts.orders);
    for (const auto &[orderNr, reason] : counts.blijven)
        std::printf("blijft\t%s\t%s\n", qPrintable(orderNr), qPrintable(reason));
    if (failed)
        return 2;
    if (outcome == OrderMove::Outcome::Interrupted) {
        std::fprintf(stderr, "Onderbroken: de afgeronde orders zijn verplaatst; start opnieuw om af te maken.\n");
        return 130;
    }
    if (proef || counts.overgeslagen == 0)
        return 0;
    for (const auto &[orderNr, reason] : counts.blijven)
        std::fprintf(stderr, "Overgeslagen: %s (%s)\n", qPrintable(orderNr), qPrintable(reason));
    return 3;
}

} // namespace kv::maintenance
