// A second program on the same database, for the tests that need two processes: it edits,
// holds locks and dies half-way through transactions on command.
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"

#include <QCoreApplication>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

using kv::db::Database;
using kv::db::DbError;

namespace {

// Adds one to Groep of the article, retrying while another program holds or changed it.
void increment(Database &db, const QString &key, bool lockEdits)
{
    auto rs = db.OpenTable(QStringLiteral("Artikelen"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->setLockEdits(lockEdits);
    for (;;) {
        try {
            rs->Seek(u"=", key);
            rs->Edit();
            rs->setValue(u"Groep", rs->value(u"Groep").toInt() + 1);
            rs->Update();
            return;
        } catch (const DbError &e) {
            rs->CancelUpdate();
            if (e.number() != kv::db::ErrLocked && e.number() != kv::db::ErrChangedByOtherUser
                && e.number() != kv::db::ErrDatabaseLocked)
                throw;
            QThread::usleep(200);
        }
    }
}

void addLine(Database &db, int order, int line)
{
    auto rs = db.OpenTable(QStringLiteral("Regels"));
    rs->AddNew();
    rs->setValue(u"OrderNr", QString::number(order));
    rs->setValue(u"Regel", line);
    rs->Update();
}

[[noreturn]] void die()
{
    ::kill(::getpid(), SIGKILL);
    std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return 64;
    const QString &command = args[0];
    try {
        auto db = Database::open(args[1], args[2]);
        if (command == u"increment") { // key times lockEdits
            for (int i = 0; i < args[4].toInt(); ++i)
                increment(*db, args[3], args[5] == u"1");
        } else if (command == u"hold") { // key: edit, wait for a line, then update
            auto rs = db->OpenTable(QStringLiteral("Artikelen"));
            rs->setIndex(QStringLiteral("PrimaryKey"));
            rs->Seek(u"=", args[3]);
            rs->Edit();
            std::cout << "editing" << std::endl;
            std::string line;
            std::getline(std::cin, line);
            rs->setValue(u"Omschrijving", QStringLiteral("peer"));
            rs->Update();
        } else if (command == u"try-edit") { // key: says whether the record could be edited
            auto rs = db->OpenTable(QStringLiteral("Artikelen"));
            rs->setIndex(QStringLiteral("PrimaryKey"));
            rs->Seek(u"=", args[3]);
            rs->Edit();
            rs->CancelUpdate();
        } else if (command == u"die-in-transaction") { // lines: all in one transaction, never committed
            db->BeginTrans();
            for (int i = 0; i < args[3].toInt(); ++i)
                addLine(*db, 1, i);
            die();
        } else if (command == u"die-between-units") { // orders: three lines each, one transaction per order
            const int orders = args[3].toInt();
            for (int order = 0;; ++order)
                db->write([&] {
                    for (int line = 0; line < 3; ++line) {
                        if (order == orders && line == 1)
                            die();
                        addLine(*db, order, line);
                    }
                });
        } else {
            return 64;
        }
    } catch (const DbError &e) {
        std::cout << "error " << e.number() << std::endl;
        return 2;
    }
    std::cout << "done" << std::endl;
    return 0;
}
