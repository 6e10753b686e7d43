#include "finance/auditfile/auditfilejob.h"

#include "core/jobs/jobsession.h"
#include "core/jobs/terminalprogress.h"
#include "finance/auditfile/auditfile.h"
#include "finance/auditfile/schemacheck.h"

#include <QFileInfo>

#include <cstdio>

namespace kv::finance::auditfile {

int runAuditfileJob(const QStringList &arguments, const Opties &opties)
{
    if (arguments.size() != 2)
        return 64;
    JobSession job(false);
    if (!job.open(QFileInfo(arguments[0]).absoluteFilePath()))
        return 2;
    // The session makes the data folder the current one: the file's name is taken before.
    const QString pad = QFileInfo(arguments[1]).absoluteFilePath();
    Uitkomst uitkomst;
    {
        TerminalProgress voortgang;
        uitkomst = voerUit(job.ctx, pad, opties, &voortgang);
    }
    switch (uitkomst.soort) {
    case Uitkomst::Soort::Gemaakt:
        std::printf("%s\n", qPrintable(uitkomst.melding));
        for (const QString &opmerking : uitkomst.resultaat.opmerkingen)
            std::fprintf(stderr, "%s\n", qPrintable(opmerking));
        return 0;
    case Uitkomst::Soort::Fout:
        std::fprintf(stderr, "%s\n", qPrintable(uitkomst.melding));
        return 1;
    case Uitkomst::Soort::Afgebroken:
        std::fprintf(stderr, "%s\n", qPrintable(uitkomst.melding));
        return 130;
    case Uitkomst::Soort::Mislukt:
        if (!uitkomst.melding.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(uitkomst.melding));
        return 2;
    }
    return 2;
}

int runAuditfileCheckJob(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return 64;
    Schemacontrole controle;
    {
        TerminalProgress voortgang;
        voortgang.step(kControleren.toString());
        try {
            controle = controleerBestand(arguments[0], &voortgang);
        } catch (const Afgebroken &) {
            return 130;
        }
    }
    if (!controle.geldig()) {
        std::fprintf(stderr, "%s\n", qPrintable(controle.meldingen));
        return 1;
    }
    std::printf("Het bestand voldoet aan het schema van de XML auditfile 3.2.\n");
    return 0;
}

} // namespace kv::finance::auditfile
