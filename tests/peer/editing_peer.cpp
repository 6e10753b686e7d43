// A second console on the same administration, for the tests of saving what another program
// changed meanwhile: it saves popups and code tables as a user would, answering every question
// with the answer it was given, or holds a record in edit as a user who left a screen open.
#include "core/context.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "editing/codetables/hulplist.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/members/members.h"

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
    void OpenDocument(const QString &) override {}
};

// A popup on `key` (new when empty) with `field` typed as `text`, then OK.
bool savePopup(kv::Context &ctx, const QString &screen, const QString &key, const QString &field, const QString &text)
{
    ctx.EditMode = key.isEmpty() ? QStringLiteral("addnew") : QStringLiteral("edit");
    ctx.EditKey = key;
    kv::listdetail::DetailLogic popup(ctx, *kv::listdetail::findMember(screen));
    popup.setText(field, text);
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
    if (command == u"set" && args.size() == 6) { // screen key field text
        done = savePopup(ctx, args[2], args[3], args[4], args[5]);
    } else if (command == u"add" && args.size() == 6) { // screen times field text
        for (int i = 0; i < args[3].toInt() && done; ++i)
            done = savePopup(ctx, args[2], {}, args[4], args[5] + QString::number(i));
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
