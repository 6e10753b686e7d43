#include "maintenance/ordergapsscreen.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/jobs/listsource.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/busycursor.h"
#include "editing/widgets/exportbutton.h"
#include "editing/widgets/taskform.h"
#include "maintenance/ordergaps.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
OrderGapsScreen::OrderGapsScreen(Context &ctx) : m_ctx(ctx)
{
    setObjectName(u"frmOverzicht_NietGebruikteOrdernummers"_s);
    TaskForm form(this, 8);
    form.caption(u"Overzicht niet gebruikte ordernummers"_s);
    form.text(u"Ordernummers vanaf het laagste ordernummer tot het volgende ordernummer dat wordt uitgegeven, "
              u"die niet voorkomen bij de orders en niet in het orderarchief."_s,
              "lblUitleg");

    m_list = new QTreeWidget(this);
    m_list->setObjectName(u"lstOrdernummers"_s);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(orderGapsList(m_found).headers);
    m_list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->setColumnWidth(0, 110);
    m_list->setColumnWidth(1, 110);
    m_list->setColumnWidth(2, 80);
    m_list->setColumnWidth(3, 120);
    form.layout()->addWidget(m_list, 1);

    m_summary = form.text({}, "lblTotaal");
    m_skipped = form.text({}, "lblOvergeslagen");
    QPushButton *refresh = form.button(u"Vernieuwen"_s, "cmdVernieuwen");
    connect(refresh, &QPushButton::clicked, this, &OrderGapsScreen::cmdVernieuwen_Click);
    form.beside(exportButton(ctx, this, [this] { return orderGapsList(m_found); }));
    cmdVernieuwen_Click();
}

void OrderGapsScreen::cmdVernieuwen_Click()
{
    BusyCursor busy;
    tryOperation(m_ctx, objectName() + u": Lezen"_s, [this] { fill(findOrderGaps(*m_ctx.session)); });
}

void OrderGapsScreen::fill(OrderGaps found)
{
    m_found = std::move(found);
    m_list->clear();
    m_summary->clear();
    m_skipped->clear();
    if (!m_found.tellerGeldig) {
        m_ctx.dialogs->MsgBox(counterRefusal(m_found), mb::OKOnly | mb::Exclamation);
        m_found.gaps.clear();
        return;
    }
    qint64 total = 0;
    QList<QTreeWidgetItem *> rows;
    orderGapsList(m_found).visitRows([&](const QStringList &cells) {
        auto *row = new QTreeWidgetItem(cells);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
        total += cells[2].toLongLong();
        return true;
    });
    m_list->addTopLevelItems(rows);
    m_summary->setText(u"Niet gebruikte ordernummers: %1, in %2 reeks(en). Volgend ordernummer: %3"_s
                           .arg(total)
                           .arg(m_found.gaps.size())
                           .arg(m_found.teller));
    m_skipped->setText(u"Overgeslagen ordernummers (geen getal): %1"_s.arg(m_found.overgeslagen));
}

void registerOrderGapsScreen(ScreenRegistry &screens)
{
    screens.add(u"frmOverzicht_NietGebruikteOrdernummers"_s,
                [](Context &ctx) { return std::make_unique<OrderGapsScreen>(ctx); });
}

} // namespace kv::maintenance
