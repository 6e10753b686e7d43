// A console that runs a maintenance job and dies at a chosen commit, as a power cut would: the
// tests of the jobs start it at every commit of a run in turn and look at what is left.
//   maintenance_peer <folder> <units per group> <commit to die at, 0: none> <job> [job arguments]
// The job and its arguments as korvenal-admin takes them after the folder, dates as dd-mm-yyyy.
// Or a user who saves an order's lines again and again while a job runs:
//   maintenance_peer <folder> bijwerken <order number> pessimistisch|optimistisch
#include "core/context.h"
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "maintenance/deletion.h"
#include "maintenance/ordermove.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <iostream>
#include <poll.h>

using namespace kv::maintenance;

namespace {

// Until the order's lines are gone or the test closes our input: each line in turn gets the
// round's text in Omschrijving, each save its own transaction, and each save that landed is
// told ("bewaard <line> <text>"). Pessimistic edits hold the line's record lock a moment
// before saving, as a user typing would.
int saveAgainAndAgain(kv::Session &session, const QString &orderNr, bool lockEdits)
{
    kv::db::Database &db = session.DBAdmin();
    QList<int> lines;
    kv::db::Statement numbers = db.prepareOnce(QStringLiteral("SELECT RegelNr FROM Ordergegevens WHERE OrderNr = ?1 ORDER BY 1"));
    numbers.bind(1, orderNr);
    while (numbers.step())
        lines << numbers.column(0).toInt();
    auto rs = db.OpenTable(QStringLiteral("Ordergegevens"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->setLockEdits(lockEdits);
    const auto inputClosed = [] {
        pollfd in{0, POLLIN, 0};
        return ::poll(&in, 1, 0) > 0;
    };
    for (int round = 1; !inputClosed(); ++round)
        for (const int line : std::as_const(lines)) {
            const QString text = QStringLiteral("ronde %1").arg(round);
            try {
                rs->Seek(u"=", QVariantList{orderNr, line});
                if (rs->NoMatch()) {
                    std::cout << "weg" << std::endl;
                    return 0;
                }
                rs->Edit();
                rs->setValue(u"Omschrijving", text);
                QThread::usleep(300);
                rs->Update();
                std::cout << "bewaard " << line << ' ' << text.toStdString() << std::endl;
            } catch (const kv::db::DbError &e) {
                rs->CancelUpdate();
                if (e.number() == kv::db::ErrRecordDeleted || e.number() == kv::db::ErrNoCurrentRecord) {
                    std::cout << "weg" << std::endl;
                    return 0;
                }
                if (e.number() != kv::db::ErrLocked && e.number() != kv::db::ErrDatabaseLocked)
                    throw;
            }
        }
    std::cout << "gestopt" << std::endl;
    return 0;
}

QString stored(const QString &date)
{
    return QDate::fromString(date, QStringLiteral("dd-MM-yyyy")).toString(QStringLiteral("yyyyMMdd"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 4)
        return 64;
    QTemporaryDir home;
    kv::RegistryFile registry(home.filePath(QStringLiteral("registry.reg")));
    kv::Session session;
    kv::Context ctx;
    ctx.registry = &registry;
    ctx.session = &session;
    ctx.DataPad = args[0];
    ctx.AdminJaar = QStringLiteral("2026");
    if (!session.OpenAdministratie(args[0]))
        return 2;
    if (args[1] == u"bijwerken")
        return saveAgainAndAgain(session, args[2], args[3] == u"pessimistisch");
    const int units = args[1].toInt(), dieAt = args[2].toInt();
    const QString &job = args[3];
    const QString limit = args.value(4);
    int commits = 0;
    const auto afterCommit = [&](QStringView step) {
        if (++commits == dieAt) {
            std::cout << "killed " << step.toString().toStdString() << std::endl;
            std::raise(SIGKILL);
        }
    };
    if (job == u"archiveren" || job == u"opschonen" || job == u"archief-verwijderen") {
        OrderMove move(ctx, {job == u"opschonen" ? OrderSelection::Job::Opschonen : OrderSelection::Job::Archiveren, stored(limit), false});
        move.groupOrders = units;
        move.afterCommit = afterCommit;
        if (job == u"archief-verwijderen")
            move.purge(nullptr);
        else
            move.perform(nullptr);
    } else {
        DeletionRequest request;
        if (job == u"relaties-verwijderen") {
            request.job = DeletionRequest::Job::Relaties;
        } else if (job == u"facturen-verwijderen") {
            request = {DeletionRequest::Job::Facturen, stored(limit), false, nullptr, 0};
        } else if (job == u"alle-facturen-verwijderen") {
            request.job = DeletionRequest::Job::AlleFacturen;
        } else if (job == u"jaar-verwijderen") {
            request = {DeletionRequest::Job::Jaar, {}, false, nullptr, args.value(5).toInt()};
            for (const YearTable &table : yearTables())
                if (QString::fromLatin1(table.screen).contains(limit, Qt::CaseInsensitive))
                    request.jaarTabel = &table;
        } else {
            return 64;
        }
        Deletion deletion(ctx, request);
        deletion.groupUnits = units;
        deletion.afterCommit = afterCommit;
        deletion.perform(nullptr);
    }
    std::cout << "commits " << commits << std::endl;
    return 0;
}
