#include "largeadministration.h"

#include "demo/demoadministration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

const QString &largeAdministration()
{
    static const QString folder = [] {
        QString root = qEnvironmentVariable("BEHEER_BENCH_DIR");
        if (root.isEmpty())
            root = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-data");
        const QString path = QDir(root).absoluteFilePath(QStringLiteral("Groot012026")) + u'/';
        if (!QFile::exists(path + QStringLiteral("KorvenalDB.sqlite"))) {
            std::fprintf(stderr, "Generating the large administration in %s ...\n", qPrintable(path));
            kv::demo::generateAdministratie(path, kv::demo::Scale::large(), [](int percent) {
                std::fprintf(stderr, "\r%3d%%", percent);
            });
            std::fprintf(stderr, "\n");
        }
        return path;
    }();
    return folder;
}
