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

// What every command prints last and how it ends: each unit that stays ("blijft"), and 0, 2 on
// an error, 130 when stopped, 3 when units were skipped (named on stderr).
int ended(bool failed, bool interrupted, bool proef, qint64 skipped, const std::vector<std::pair<QString, QString>> &stays)
{
    for (const auto &[key, reason] : stays)
        std::printf("blijft\t%s\t%s\n", qPrintable(key), qPrintable(reason));
    if (failed)
        return 2;
    if (interrupted) {
        std::fprintf(stderr, "Onderbroken: wat af is, is verwerkt; start opnieuw om af te maken.\n");
        return 130;
    }
    if (proef || skipped == 0)
        return 0;
    for (const auto &[key, reason] : stays)
        if (reason == u"in gebruik" || reason == u"al in archief")
            std::fprintf(stderr, "Overgeslagen: %s (%s)\n", qPrintable(key), qPrintable(reason));
    return 3;
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
    return ended(failed, outcome == OrderMove::Outcome::Interrupted, proef, counts.overgeslagen, counts.blijven);
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

int runDeletionJob(DeletionRequest::Job kind, const QStringList &arguments, const DeletionOptions &options)
{
    const qsizetype wanted = kind == DeletionRequest::Job::Facturen ? 2 : kind == DeletionRequest::Job::Jaar ? 3 : 1;
    if (arguments.size() != wanted || options.proef == options.ja) {
        std::fprintf(stderr, "Geef --proef (alleen tellen) of --ja (uitvoeren).\n");
        return 64;
    }
    if (kind == DeletionRequest::Job::AlleFacturen && !(options.ikWeetWatIkDoe && options.nietPerOngeluk)) {
        std::fprintf(stderr, "Geef --ik-weet-wat-ik-doe en --niet-per-ongeluk: alle facturen en betalingen worden verwijderd.\n");
        return 1;
    }
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    DeletionRequest request{kind, {}, options.alleenBalie, nullptr, 0};
    if (kind == DeletionRequest::Job::Facturen) {
        const std::optional<QString> voor = orderLimit(job.ctx, OrderSelection::Job::Archiveren, arguments[1]);
        if (!voor)
            return 1;
        request.voor = *voor;
    } else if (kind == DeletionRequest::Job::Jaar) {
        for (const YearTable &table : yearTables())
            if (QString::fromLatin1(table.screen).contains(arguments[1], Qt::CaseInsensitive))
                request.jaarTabel = &table;
        if (!request.jaarTabel)
            return 64;
        const std::optional<int> year = deletionYear(job.ctx, arguments[2]);
        if (!year)
            return 1;
        request.jaar = *year;
    }
    Deletion deletion(job.ctx, request);
    if (const qint64 kept = options.proef || options.bewaartermijn ? 0 : deletion.withinRetention(); kept > 0) {
        std::fprintf(stderr, "Hiermee worden %lld regels verwijderd die binnen de wettelijke bewaartermijn van 7 jaar vallen. "
                             "Geef --bewaartermijn om ze toch te verwijderen.\n", kept);
        return 1;
    }
    Deletion::Outcome outcome = Deletion::Outcome::Cancelled;
    bool failed = false;
    {
        TerminalProgress progress;
        failed = !tryOperation(job.ctx, u"korvenal-admin verwijderen"_s, [&] { outcome = deletion.perform(&progress, options.proef); });
    }
    print("verwijderd", deletion.counts().verwijderd);
    std::printf("eenheden\t%lld\n", deletion.counts().units);
    return ended(failed, outcome == Deletion::Outcome::Interrupted, options.proef, deletion.counts().overgeslagen,
                 deletion.counts().blijven);
}

} // namespace kv::maintenance
