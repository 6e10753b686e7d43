#pragma once

// A fresh copy of the large administration for benchmarks that change it, opened as the
// console opens it, and a raw sqlite3 connection to the same file for the comparison.
#include "core/db/jetfunctions.h"
#include "core/dialogs.h"
#include "largeadministration.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

// Messages go to stderr; every question is answered OK.
class QuietDialogs : public kv::DialogService {
public:
    int MsgBox(const QString &, int, const QString &) override { return kv::mb::OK; }
    void DisplayError(const QString &message, bool) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
    bool OpenDocument(const QString &) override { return true; }
};

// The copy named `name` every iteration works on: beside the large administration (the same
// disk), or in the folder $BEHEER_BENCH_SCRATCH names (/dev/shm: commits that wait on no disk).
inline QString scratchFolder(const QString &name)
{
    const QString chosen = qEnvironmentVariable("BEHEER_BENCH_SCRATCH");
    const QString parent = chosen.isEmpty() ? largeAdministration() + QStringLiteral("..") : chosen;
    return QDir(parent + u'/' + name).absolutePath() + u'/';
}

// A copy of the large administration, or of `from`, a folder made from it.
inline void freshCopy(const QString &folder, const QString &from = largeAdministration())
{
    QDir().mkpath(folder);
    for (const QString &file : QDir(folder).entryList(QDir::Files))
        QFile::remove(folder + file);
    for (const QString &file : QDir(from).entryList({QStringLiteral("*.sqlite")}, QDir::Files))
        if (!QFile::copy(from + file, folder + file))
            std::abort();
}

// A raw connection to `file`, as the engine opens its files: the Jet collation (part of the file
// format), WAL, a full sync at every commit, the same cache and mapping.
inline sqlite3 *openRaw(const QString &file)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        std::abort();
    kv::db::registerJetFunctions(db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA busy_timeout = 10000; "
                     "PRAGMA cache_size = -16384; PRAGMA temp_store = MEMORY; PRAGMA mmap_size = 268435456",
                 nullptr, nullptr, nullptr);
    return db;
}
