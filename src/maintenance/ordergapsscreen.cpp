#include "maintenance/ordergapsscreen.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/busycursor.h"
#include "editing/dates.h"
#include "editing/widgets/taskform.h"
#include "maintenance/ordergaps.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

const QStringList kColumns = {u"Van"_s, u"T/m"_s, u"Aantal"_s, u"Vorige order"_s, u"Datum"_s};

} // namespace

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
    m_list->setHeaderLabels(kColumns);
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
    cmdVernieuwen_Click();
}

void OrderGapsScreen::cmdVernieuwen_Click()
{
    BusyCursor busy;
    tryOperation(m_ctx, objectName() + u": Lezen"_s, [this] { fill(findOrderGaps(*m_ctx.session)); });
}

void OrderGapsScreen::fill(const OrderGaps &found)
{
    m_list->clear();
    m_summary->clear();
    m_skipped->clear();
    if (!found.tellerGeldig) {
        m_ctx.dialogs->MsgBox(u"Het volgende ordernummer in de bedrijfsgegevens (\"%1\") is geen getal.\n"
                              u"Er is geen overzicht te maken."_s.arg(found.teller),
                              mb::OKOnly | mb::Exclamation);
        return;
    }
    // Numbers in the width the counter hands them out in.
    const auto shown = [&](qint64 n) { return QString::number(n).rightJustified(found.teller.size(), u'0'); };
    qint64 total = 0;
    QList<QTreeWidgetItem *> rows;
    for (const OrderGap &gap : found.gaps) {
        auto *row = new QTreeWidgetItem(QStringList{shown(gap.van), shown(gap.tm), QString::number(gap.aantal()),
                                                    gap.vorigeOrder, DatumWeergave(gap.datum)});
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
        total += gap.aantal();
    }
    m_list->addTopLevelItems(rows);
    m_summary->setText(u"Niet gebruikte ordernummers: %1, in %2 reeks(en). Volgend ordernummer: %3"_s
                           .arg(total)
                           .arg(found.gaps.size())
                           .arg(found.teller));
    m_skipped->setText(u"Overgeslagen ordernummers (geen getal): %1"_s.arg(found.overgeslagen));
}

void registerOrderGapsScreen(ScreenRegistry &screens)
{
    screens.add(u"frmOverzicht_NietGebruikteOrdernummers"_s,
                [](Context &ctx) { return std::make_unique<OrderGapsScreen>(ctx); });
}

} // namespace kv::maintenance
