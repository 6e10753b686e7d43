// The password and lock files of a data folder: any bytes read as a password without harm, and
// any password the file can hold comes back from it unchanged.
#include "core/db/dberror.h"
#include "core/session/session.h"
#include "fuzzing.h"

#include <QFile>

using namespace kv;

namespace {

void writeFile(const QString &name, QByteArrayView bytes)
{
    QFile file(fuzz::scratchFolder() + name);
    fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file can be written", name);
    file.write(bytes.data(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));

    // As a password file: the first line, each byte a character code, decoded.
    writeFile(QStringLiteral("korvenal.pwd"), bytes);
    QString password;
    try {
        password = folderPassword(fuzz::scratchFolder());
    } catch (const db::DbError &error) {
        fuzz::require(size == 0, "only an empty password file is unreadable", error.description());
    }
    fuzz::require(password.size() <= qsizetype(size), "no longer than the line", password);

    // As a lock file.
    writeFile(QStringLiteral("korvenal.lock"), bytes);
    try {
        lockingOnEdit(fuzz::scratchFolder());
    } catch (const db::DbError &error) {
        fuzz::require(size == 0, "only an empty lock file is unreadable", error.description());
    }

    // As a password: refused, or written so that it reads back whole.
    const QString typed = QString::fromLatin1(bytes);
    QString line;
    try {
        line = EncodeerWachtwoord(typed);
    } catch (const db::DbError &) {
        fuzz::require(std::any_of(typed.begin(), typed.end(), [](QChar c) { return c < u' ' || c > u'~'; }),
                      "only characters outside printable ASCII are refused", typed);
        return 0;
    }
    fuzz::require(DecodeerWachtwoord(line) == typed, "the password reads back", typed);
    writeFile(QStringLiteral("korvenal.pwd"), line.toLatin1());
    fuzz::require(typed.isEmpty() || folderPassword(fuzz::scratchFolder()) == typed, "the password file reads back", typed);
    return 0;
}
