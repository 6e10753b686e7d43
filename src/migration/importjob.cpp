#include "migration/importjob.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/jobs/targetfile.h"
#include "core/jobs/terminalprogress.h"
#include "core/log/schrijflog.h"
#include "core/session/administration.h"
#include "core/session/session.h"
#include "migration/importer.h"
#include "migration/jetreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

// The files beside the databases that the suite's programs read, copied as they are.
const char *const markerFiles[] = {"korvenal.pwd",  "korvenal.lock", "doorboeken.ini", "creditfact.ini",
                                   "sorteren.ini",  "*.client",      "korvenaldb.close", "access.dat"};

// The source folder's files named `pattern`, without regard to case.
QStringList filesNamed(const QDir &folder, const QString &pattern)
{
    QStringList found;
    const QRegularExpression wanted(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        if (wanted.match(name).hasMatch())
            found << name;
    return found;
}

struct SourceFile {
    schema::Db db;
    QString path;
};

std::vector<SourceFile> sourceDatabases(const QDir &folder)
{
    std::vector<SourceFile> found;
    for (schema::Db db : {schema::Db::Main, schema::Db::Archive, schema::Db::Nutrient})
        for (const QString &name : filesNamed(folder, QLatin1StringView(schema::databaseName(db)) + u".mdb"_s))
            found.push_back({db, folder.filePath(name)});
    return found;
}

void copyMarkers(const QDir &from, const QDir &to)
{
    for (const char *pattern : markerFiles)
        for (const QString &name : filesNamed(from, QLatin1StringView(pattern))) {
            QFile::remove(to.filePath(name)); // the new administration's own password file
            if (!QFile::copy(from.filePath(name), to.filePath(name)))
                db::raise(db::ErrFileInUse, u"Het bestand %1 kan niet worden gekopieerd."_s.arg(from.filePath(name)));
        }
}

void writeReport(const QString &path, const QString &source, const Report &report)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        db::raise(db::ErrFileInUse, u"Het importverslag %1 kan niet worden geschreven."_s.arg(path));
    QStringList lines{u"Importverslag van "_s + source, QString()};
    if (report.lines().isEmpty())
        lines << u"Alle rijen zijn overgezet."_s;
    lines << report.lines();
    file.write((lines.join(u'\n') + u'\n').toUtf8());
}

// Whether the file holds a table of the nutrient database: an administration whose Grondstof
// tables were kept in its main file still gets that database.
bool holdsNutrientTables(SourceReader &reader)
{
    const std::vector<SourceTable> tables = reader.tables();
    return std::any_of(tables.begin(), tables.end(), [](const SourceTable &table) {
        const schema::Table *layout = schema::findTable(table.name);
        return layout && layout->db == schema::Db::Nutrient;
    });
}

enum class Outcome { Done, Stopped };

Outcome importInto(const QString &source, const std::vector<SourceFile> &files, const QString &folder, Report &report,
                   const OpenSource &open, Progress &progress)
{
    std::vector<std::unique_ptr<SourceReader>> readers;
    bool nutrients = false;
    for (const SourceFile &file : files) {
        readers.push_back(open(file.path));
        nutrients = nutrients || file.db == schema::Db::Nutrient || holdsNutrientTables(*readers.back());
    }
    const QString password = folderPassword(source + u'/');
    // The temp folder is thrown away when the import fails and put on disk whole when it is
    // complete: no commit before that needs to wait for the disk.
    createAdministratie(folder, password, nutrients, db::Durability::AtTheEnd);
    copyMarkers(QDir(source), QDir(folder));

    Context ctx;
    ctx.DataPad = folder + u'/';
    const QString tag = PadRechts(u"SYSTEEM"_s, 10);
    SchrijfLog(ctx, tag + u": Formulier       : Importeren"_s);
    SchrijfLog(ctx, tag + u": + Actie         : "_s + source);

    std::map<schema::Db, std::unique_ptr<db::Database>> opened;
    std::map<schema::Db, db::Database *> databases;
    for (schema::Db db : {schema::Db::Main, schema::Db::Archive, schema::Db::Nutrient})
        if (db != schema::Db::Nutrient || nutrients) {
            opened[db] = db::Database::open(QDir(folder).filePath(QLatin1StringView(schema::databaseName(db)) + u".sqlite"_s),
                                            password, db::Durability::AtTheEnd);
            databases[db] = opened[db].get();
        }
    Importer importer(databases, folder, password, report, &progress);
    bool complete = !progress.stopRequested();
    for (auto &reader : readers)
        if (complete)
            complete = importer.copy(*reader);
    progress.finished();
    for (const TableCount &count : importer.counts())
        SchrijfLog(ctx, tag + u": + Tabel         : %1 %2/%3%4"_s.arg(count.table).arg(count.written).arg(count.read)
                                  .arg(count.unknown ? u" (Onbekend)"_s : QString()));
    if (!complete) {
        SchrijfLog(ctx, tag + u": + Afgebroken    : "_s + source);
        return Outcome::Stopped;
    }
    writeReport(QDir(folder).filePath(u"importverslag.txt"_s), source, report);
    return Outcome::Done;
}

} // namespace

int runImportJob(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return 64;
    return importAdministration(QFileInfo(arguments[0]).absoluteFilePath(), QFileInfo(arguments[1]).absoluteFilePath(),
                                [](const QString &path) { return std::make_unique<JetReader>(path); });
}

int importAdministration(const QString &source, const QString &target, const OpenSource &open)
{
    if (!QFileInfo(source).isDir()) {
        std::fprintf(stderr, "De bronmap %s bestaat niet.\n", qPrintable(source));
        return 1;
    }
    if (QFileInfo::exists(target)) {
        std::fprintf(stderr, "De doelmap %s bestaat al; kies een nieuwe map.\n", qPrintable(target));
        return 1;
    }
    const std::vector<SourceFile> files = sourceDatabases(QDir(source));
    if (files.empty()) {
        std::fprintf(stderr, "In %s staat geen Access-database van KorvenalPro (KorvenalDB.mdb, Archief.mdb, Grondstof.mdb).\n",
                     qPrintable(source));
        return 1;
    }
    Report report;
    Outcome outcome = Outcome::Done;
    {
        TerminalProgress progress; // from here SIGINT and SIGTERM stop the job between rows
        TargetFile folder(target);
        try {
            outcome = importInto(source, files, folder.tempPath(), report, open, progress);
        } catch (const SourceError &e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message));
            return 2;
        } catch (const db::DbError &e) {
            std::fprintf(stderr, "Fout %d: %s\n", e.number(), qPrintable(e.description()));
            return e.number() == db::ErrInvalidPassword ? 1 : 2;
        }
        if (outcome == Outcome::Stopped) {
            std::fprintf(stderr, "Afgebroken: de administratie is NIET aangemaakt.\n");
            return 130;
        }
        if (!folder.commit()) {
            std::fprintf(stderr, "De map %s kan niet worden gemaakt: %s\n", qPrintable(target), qPrintable(folder.error()));
            return 2;
        }
    }
    std::printf("%s\t%lld\n", qPrintable(target), static_cast<long long>(report.lines().size()));
    return report.lines().isEmpty() ? 0 : 3;
}

} // namespace kv::migration
