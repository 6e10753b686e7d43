#include "finance/vat/vatcheckjob.h"

#include "core/db/dberror.h"
#include "core/db/statement.h"
#include "core/jobs/jobsession.h"
#include "editing/listdetail/values.h"
#include "finance/vat/vatcheck.h"

#include <cstdio>

namespace kv::finance {

int runVatCheckJob(const QString &folder, const QString &from, const QString &to)
{
    JobSession job(false);
    if (!job.open(folder))
        return 2;
    try {
        std::pair<QString, QString> range;
        if (from.isEmpty() && to.isEmpty()) {
            db::Statement period = job.session.DBAdmin().prepare(QStringLiteral("SELECT BTWperiode FROM UserGegevens LIMIT 1"));
            range = lastReturnPeriod(period.step() ? period.column(0).toInt() : 1, job.ctx.today());
        } else {
            const auto first = listdetail::storedValue(job.ctx, listdetail::Kind::Date, from);
            const auto last = listdetail::storedValue(job.ctx, listdetail::Kind::Date, to);
            if (!first || !last || first->toString().isEmpty() || last->toString().isEmpty()) {
                std::fprintf(stderr, "Geef --van en --tot als geldige datums (ddmmjjjj).\n");
                return 1;
            }
            range = {first->toString(), last->toString()};
        }
        const std::vector<VatFinding> findings = checkVat(job.ctx, range.first, range.second);
        for (const VatFinding &finding : findings)
            std::printf("%d\t%s\n", finding.code, qPrintable(finding.text));
        return findings.empty() ? 0 : 1;
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
        return 2;
    }
}

} // namespace kv::finance
