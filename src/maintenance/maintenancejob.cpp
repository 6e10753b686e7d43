#include "maintenance/maintenancejob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "core/messages/errorreport.h"

#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

void print(const char *what, const std::vector<std::pair<QString, qint64>> &counts)
{
    for (const auto &[table, rows] : counts)
        std::printf("%s\t%s\t%lld\n", what, qPrintable(table), rows);
}

// What the three commands share: the folder opened, the limit read, the work run with a
// progress line, the counts printed and the exit code.
int runJob(const QStringList &arguments, OrderSelection selection, bool proef, bool ja, const QString &operation,
           const std::function<OrderMove::Outcome(OrderMove &, Progress &)> &work,
           const std::function<bool(OrderMove &)> &allowed = {})
{
    if (arguments.size() != 2 || proef == ja) {
        std::fprintf(stderr, "Geef --proef (alleen tellen) of --ja (uitvoeren).\n");
        return 64;
    }
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    const std::optional<QString> voor = orderLimit(job.ctx, selection.job, arguments[1]);
    if (!voor)
        return 1;
    selection.voor = *voor;
    OrderMove move(job.ctx, selection);
    if (allowed && !proef && !allowed(move))
        return 1;
    OrderMove::Outcome outcome = OrderMove::Outcome::Cancelled;
    bool failed = false;
    {
        TerminalProgress progress;
        failed = !tryOperation(job.ctx, operation, [&] { outcome = work(move, progress); });
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
        std::fprintf(stderr, "Onderbroken: de afgeronde orders zijn verwerkt; start opnieuw om af te maken.\n");
        return 130;
    }
    if (proef || counts.overgeslagen == 0)
        return 0;
    for (const auto &[orderNr, reason] : counts.blijven)
        std::fprintf(stderr, "Overgeslagen: %s (%s)\n", qPrintable(orderNr), qPrintable(reason));
    return 3;
}

} // namespace

int runOrderMoveJob(OrderSelection::Job kind, const QStringList &arguments, bool ookOnverwerkt, bool proef, bool ja)
{
    if (ookOnverwerkt && kind != OrderSelection::Job::Archiveren)
        return 64;
    return runJob(arguments, {kind, {}, ookOnverwerkt}, proef, ja,
                  kind == OrderSelection::Job::Archiveren ? u"korvenal-admin archiveren"_s : u"korvenal-admin opschonen"_s,
                  [proef](OrderMove &move, Progress &progress) { return move.perform(&progress, proef); });
}

int runArchivePurgeJob(const QStringList &arguments, bool proef, bool ja, bool bewaartermijn)
{
    return runJob(
        arguments, {OrderSelection::Job::Archiveren, {}, false}, proef, ja, u"korvenal-admin archief-verwijderen"_s,
        [proef](OrderMove &move, Progress &progress) { return move.purge(&progress, proef); },
        [bewaartermijn](OrderMove &move) {
            const qint64 kept = move.withinRetention();
            if (kept == 0 || bewaartermijn)
                return true;
            std::fprintf(stderr, "Hiermee worden %lld regels verwijderd die binnen de wettelijke bewaartermijn van 7 jaar vallen. "
                                 "Geef --bewaartermijn om ze toch te verwijderen.\n", kept);
            return false;
        });
}

} // namespace kv::maintenance
