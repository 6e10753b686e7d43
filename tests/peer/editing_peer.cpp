// A second console on the same administration, for the tests of saving what another program
// changed meanwhile: it saves popups and code tables as a user would, answering every question
// with the answer it was given, or holds a record in edit as a user who left a screen open.
// It can also stop in the middle of a popup's save, when the record is written and its trail is
// not yet, to be killed there.
#include "core/context.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/registry/registryfile.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "editing/codetables/hulplist.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"
#include "finance/assets/assetmembers.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <iostream>
#include <string>

namespace {

class AnsweringDialogs : public kv::DialogService {
public:
    int MsgBox(const QString &prompt, int, const QString &) override
    {
        std::cout << "asked " << prompt.toStdString() << std::endl;
        return kv::mb::Yes;
    }
    void DisplayError(const QString &message, bool) override { std::cout << "error " << message.toStdString() << std::endl; }
    bool OpenDocument(const QString &) override { return false; }
};

// A popup on `key` (new when empty) with each field typed as its text (field, text, field,
// text...), then OK.
bool savePopup(kv::Context &ctx, const QString &screen, const QString &key, const QStringList &typed)
{
    ctx.EditMode = key.isEmpty() ? QStringLiteral("addnew") : QStringLiteral("edit");
    ctx.EditKey = key;
    const kv::listdetail::Member *member = kv::listdetail::findMember(screen);
    for (const kv::listdetail::Member *asset : {&kv::finance::assets::groupsMember(), &kv::finance::assets::registerMember()})
        if (asset->screen == screen)
            member = asset;
    kv::listdetail::DetailLogic popup(ctx, *member);
    for (qsizetype i = 0; i + 1 < typed.size(); i += 2)
        popup.setText(typed[i], typed[i + 1]);
    return popup.save();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 64;
    const QString &command = args[0];
    QTemporaryDir home;
    kv::RegistryFile registry(home.filePath(QStringLiteral("registry.reg")));
    AnsweringDialogs dialogs;
    kv::Session session;
    kv::Context ctx;
    ctx.dialogs = &dialogs;
    ctx.registry = &registry;
    ctx.session = &session;
    ctx.DataPad = args[1];
    if (!session.OpenAdministratie(args[1]))
        return 2;
    bool done = true;
    if (command == u"set" && args.size() >= 6 && args.size() % 2 == 0) { // screen key field text [field text...]
        done = savePopup(ctx, args[2], args[3], args.mid(4));
    } else if (command == u"held" && args.size() >= 6 && args.size() % 2 == 0) { // table screen field text [...]
        // The trail asks the time of the save after the record is written: it stops there,
        // telling how many records the table holds inside the transaction.
        ctx.clock = [&] {
            kv::db::Statement count = session.DBAdmin().prepareOnce(u"SELECT COUNT(*) FROM " + args[2]);
            count.step();
            std::cout << "held " << count.column(0).toString().toStdString() << std::endl;
            std::string line;
            std::getline(std::cin, line);
            return QDateTime::currentDateTime();
        };
        done = savePopup(ctx, args[3], {}, args.mid(4));
    } else if (command == u"add" && args.size() == 6) { // screen times field text
        for (int i = 0; i < args[3].toInt() && done; ++i)
            done = savePopup(ctx, args[2], {}, {args[4], args[5] + QString::number(i)});
    } else if (command == u"delete" && args.size() == 4) { // table key
        kv::db::Recordset &rs = session.table(args[2]);
        rs.setIndex(QStringLiteral("PrimaryKey"));
        rs.Seek(u"=", args[3]);
        rs.Delete();
    } else if (command == u"hulp" && args.size() == 5) { // table entry text
        ctx.EditKey = args[2];
        kv::codetables::HulpList list(ctx);
        list.beginEdit(args[3].toInt());
        ctx.EditMode = QStringLiteral("update");
        ctx.EditKey = args[4];
        list.endEdit(args[3].toInt());
        done = list.save() == kv::codetables::HulpList::Saved::Written;
    } else if (command == u"lock" && args.size() == 3) { // table: its first record, until killed or input ends
        kv::db::Recordset &rs = session.table(args[2]);
        rs.MoveFirst();
        rs.Edit();
        std::cout << "locked" << std::endl;
        std::string line;
        std::getline(std::cin, line);
        rs.CancelUpdate();
    } else {
        return 64;
    }
    std::cout << (done ? "done" : "refused") << std::endl;
    return done ? 0 : 1;
}
