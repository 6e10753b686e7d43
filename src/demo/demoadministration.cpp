#include "demo/demoadministration.h"

#include "core/session/administration.h"
#include "core/session/datafiles.h"
#include "demo/steps.h"

#include <QDir>
#include <QFileInfo>

namespace kv::demo {
namespace {

// The financial year is the folder name's last four digits, as the console reads it.
int yearOf(const QString &folder)
{
    const QString name = QFileInfo(QDir::cleanPath(folder)).fileName();
    bool ok = false;
    const int year = name.right(4).toInt(&ok);
    return ok && year >= 1990 && year <= 2099 ? year : 2026;
}

} // namespace

void generateAdministratie(const QString &folder, const Scale &scale, const std::function<void(int)> &progress,
                           const QString &password)
{
    createAdministratie(folder, password, true);
    auto main = db::Database::open(databasePath(folder, QStringLiteral("KorvenalDB.mdb")), password);
    auto archive = db::Database::open(databasePath(folder, QStringLiteral("Archief.mdb")), password);
    Generator gen(*main, *archive, scale, yearOf(folder), progress);
    for (auto step : {writeCodeTables, writeReferenceData, writeChartOfAccounts, planRelations, writeArticles,
                      writeOrders, planInvoices, writeLedger, writeOpenItems, writeRelations, writeCompany,
                      writeEquipment, writeRegisters})
        step(gen);
    writeNutrients(*db::Database::open(databasePath(folder, QStringLiteral("Grondstof.mdb")), password));
    gen.finished();
}

void createDemoAdministratie(const QString &folder, const QString &password)
{
    generateAdministratie(folder, Scale::demo(), {}, password);
    writeMailFiles(folder);
}

} // namespace kv::demo
