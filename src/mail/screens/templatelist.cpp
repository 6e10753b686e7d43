#include "mail/screens/templatelist.h"

#include "core/context.h"
#include "editing/listdetail/listscreen.h"
#include "mail/screens/frmemailserverconfig.h"
#include "mail/screens/frmemailserverpopup.h"
#include "mail/serverform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

// "E-mail server adres (of IP):" with the stored server and the button that changes it.
QWidget *serverLine(listdetail::ListScreen &screen)
{
    Context &ctx = screen.context();
    auto *line = new QWidget(&screen);
    auto *address = new QLabel(line);
    address->setObjectName(u"lblServer"_s);
    const auto show = [&ctx, address] { address->setText(loadServerForm(*ctx.registry, ctx.AdminCode).server); };
    show();
    auto *change = new QPushButton(u"Wijzigen"_s, line);
    change->setObjectName(u"cmdEditServer"_s);
    QObject::connect(change, &QPushButton::clicked, line, [&ctx, line, show] {
        FrmEmailServerConfig dialog(ctx, line->window());
        dialog.exec();
        show();
    });
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(u"E-mail server adres (of IP):"_s, line));
    layout->addWidget(address, 1);
    layout->addWidget(change);
    return line;
}

} // namespace

const listdetail::Member &templatesMember()
{
    static const listdetail::Member member{
        .screen = u"frmEmailServer"_s,
        .popup = u"frmEmailServerPopup"_s,
        .caption = u"E-mail sjablonen"_s,
        .table = u"TabelEmailTemplate"_s,
        .key = u"CodeNr"_s,
        .columns = {{u"Omschrijving"_s, u"Omschrijving"_s}, {u"Verzender"_s, u"EmailSender"_s}, {u"Onderwerp"_s, u"Subject"_s}},
        .deleteQuestion = u"Weet u zeker dat u het geselecteerde sjabloon wilt verwijderen?"_s,
        .fields = {},
        .ownPopup = [](Context &ctx, QWidget *parent) { FrmEmailServerPopup(ctx, parent).exec(); },
        .header = serverLine,
        .deleteBreak = u"\n"_s,
        .buttonCaptions = {u"Toevoegen..."_s, u"Bewerken..."_s, u"Verwijderen"_s},
    };
    return member;
}

} // namespace kv
