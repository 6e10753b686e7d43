#include "finance/correction/correctionjob.h"

#include "core/messages/errorreport.h"
#include "core/startup/jobsession.h"

#include <QFileInfo>

#include <atomic>
#include <csignal>
#include <optional>
#include <cstdio>
#include <unistd.h>

namespace kv::finance {

namespace {

std::atomic<bool> g_stop = false;

void stop(int)
{
    g_stop = true;
}

// The tool's progress: a line on standard error that rewrites itself, only on a terminal;
// SIGINT and SIGTERM stop the run between two units.
class JobProgress : public CorrectionProgress {
public:
    JobProgress() : m_terminal(::isatty(STDERR_FILENO))
    {
        struct sigaction action = {};
        action.sa_handler = stop;
        sigemptyset(&action.sa_mask);
        for (int signal : {SIGINT, SIGTERM})
            sigaction(signal, &action, nullptr);
    }
    ~JobProgress() override { finished(); }

    void step(const QString &text) override
    {
        m_step = text;
        percent(0);
    }
    void percent(int value) override
    {
        if (!m_terminal)
            return;
        std::fprintf(stderr, "\r%s %3d%%", qPrintable(m_step), value);
        std::fflush(stderr);
        m_line = true;
    }
    bool stopRequested() override { return g_stop; }
    void finished() override
    {
        if (m_line)
            std::fputc('\n', stderr);
        m_line = false;
    }

private:
    bool m_terminal;
    bool m_line = false;
    QString m_step;
};

} // namespace

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
        JobProgress progress;
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
