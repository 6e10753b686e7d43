#include "finance/correction/correctionjob.h"

#include "core/messages/errorreport.h"
#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"

#include <QFileInfo>

#include <optional>
#include <cstdio>

namespace kv::finance {

int runCorrectionJob(const QStringList &arguments, const CorrectionChoice &choice, bool trial)
{
    if (arguments.size() != 1)
        return 64;
    JobSession job(false);
    // The session makes the data folder the current one: a relative name would lose the log.
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    Context &ctx = job.ctx;
    std::optional<BookingCorrection> correction;
    if (!tryOperation(ctx, QStringLiteral("korvenal-admin correctie: Openen"), [&] { correction.emplace(ctx); }))
        return 2;
    BookingCorrection::Outcome outcome = BookingCorrection::Outcome::Failed;
    {
        TerminalProgress progress;
        tryOperation(ctx, QStringLiteral("frmBoekhouding_CorrectieBoekPeriode: Corrigeren"),
                     [&] { outcome = correction->perform(choice, &progress, trial); });
    }
    if (outcome == BookingCorrection::Outcome::Refused)
        return 1;
    const CorrectionCounts &counts = correction->counts();
    std::printf("GrootboekMutaties\t%lld\nJournaal\t%lld\nBetalingen\t%lld\nOpenstaandePosten\t%lld\n",
                counts.grootboek, counts.journaal, counts.betalingen, counts.openstaand);
    switch (outcome) {
    case BookingCorrection::Outcome::Done:
        return 0;
    case BookingCorrection::Outcome::Interrupted:
        std::fprintf(stderr, "Onderbroken: de afgeronde boekstukken zijn gecorrigeerd; start opnieuw om af te maken.\n");
        return 130;
    default:
        std::fprintf(stderr, "Niet alles is gecorrigeerd; de afgeronde boekstukken blijven gecorrigeerd. Start opnieuw.\n");
        return 3;
    }
}

} // namespace kv::finance
