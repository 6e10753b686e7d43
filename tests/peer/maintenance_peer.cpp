// A console that archives orders and dies at a chosen commit, as a power cut would: the tests
// of the order moves start it at every commit of a run in turn and look at what is left.
//   maintenance_peer <folder> <yyyymmdd> archiveren|opschonen|relaties <units per group> <commit to die at, 0: none>
#include "core/context.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "maintenance/deletion.h"
#include "maintenance/ordermove.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <csignal>
#include <iostream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 5)
        return 64;
    QTemporaryDir home;
    kv::RegistryFile registry(home.filePath(QStringLiteral("registry.reg")));
    kv::Session session;
    kv::Context ctx;
    ctx.registry = &registry;
    ctx.session = &session;
    ctx.DataPad = args[0];
    if (!session.OpenAdministratie(args[0]))
        return 2;
    const int dieAt = args[4].toInt();
    int commits = 0;
    const auto afterCommit = [&](QStringView step) {
        if (++commits == dieAt) {
            std::cout << "killed " << step.toString().toStdString() << std::endl;
            std::raise(SIGKILL);
        }
    };
    if (args[2] == u"relaties") {
        ctx.AdminJaar = QStringLiteral("2026");
        kv::maintenance::Deletion deletion(ctx, {kv::maintenance::DeletionRequest::Job::Relaties});
        deletion.groupUnits = args[3].toInt();
        deletion.afterCommit = afterCommit;
        deletion.perform(nullptr);
    } else {
        using Job = kv::maintenance::OrderSelection::Job;
        kv::maintenance::OrderMove move(ctx, {args[2] == u"opschonen" ? Job::Opschonen : Job::Archiveren, args[1], false});
        move.groupOrders = args[3].toInt();
        move.afterCommit = afterCommit;
        move.perform(nullptr);
    }
    std::cout << "commits " << commits << std::endl;
    return 0;
}
