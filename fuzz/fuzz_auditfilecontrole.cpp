// The audit-file check on any file: a verdict, never a crash, and the same verdict each time.
#include "finance/auditfile/schemacheck.h"
#include "fuzzing.h"

#include <QFile>

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzz::scratchFolder() + QStringLiteral("auditfile.xaf");
    QFile file(path);
    fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file can be written", path);
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    // The second check of the same file finds the same: nothing of one check stays behind for
    // the next.
    const finance::auditfile::Schemacontrole found = finance::auditfile::controleerBestand(path);
    const finance::auditfile::Schemacontrole again = finance::auditfile::controleerBestand(path);
    fuzz::require(found.meldingen == again.meldingen, "the same verdict twice", found.meldingen + u" <> " + again.meldingen);
    fuzz::require(found.geldig() || !found.meldingen.trimmed().isEmpty(), "a fault says something", found.meldingen);
    return 0;
}
