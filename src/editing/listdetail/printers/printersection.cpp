#include "editing/listdetail/printers/printersection.h"

#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/printers/printerpopup.h"
#include "editing/widgets/listledger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kv::listdetail {

PrinterSection::PrinterSection(DetailPopup &popup)
    : QGroupBox(tr("Printers"), &popup), m_printers(popup.logic()), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("fraPrinters"));
    m_list->setObjectName(QStringLiteral("lstPrinters"));
    m_list->setHeaderLabels({tr("Printer"), tr("Soort")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    SetListLedger(m_list);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 6px; }"));
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->setColumnWidth(1, 120);
    m_list->setMinimumSize(380, 130);

    auto *add = new QPushButton(tr("Toevoegen"), this);
    auto *edit = new QPushButton(tr("Wijzigen"), this);
    auto *remove = new QPushButton(tr("Verwijderen"), this);
    add->setObjectName(QStringLiteral("cmdPrinterAdd"));
    edit->setObjectName(QStringLiteral("cmdPrinterEdit"));
    remove->setObjectName(QStringLiteral("cmdPrinterDelete"));
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {add, edit, remove}) {
        button->setMinimumWidth(110);
        button->setFocusPolicy(Qt::TabFocus); // a click leaves the field being typed in checked once
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] {
        if (const auto printer = m_printers.add())
            open(*printer);
    });
    connect(edit, &QPushButton::clicked, this, [this] {
        if (const int number = selectedNumber())
            open(m_printers.read(number));
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (const int number = selectedNumber(); number && m_printers.remove(number))
            refresh();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, edit, &QPushButton::click);
    refresh();
}

void PrinterSection::refresh()
{
    m_list->clear();
    for (const LinePrinter &printer : m_printers.printers()) {
        auto *item = new QTreeWidgetItem(m_list, {printer.printer, printer.type});
        item->setData(0, Qt::UserRole, printer.number);
    }
}

int PrinterSection::selectedNumber() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toInt() : 0;
}

void PrinterSection::open(const LinePrinter &printer)
{
    PrinterPopup popup(m_printers, printer, window());
    popup.exec();
    refresh();
}

} // namespace kv::listdetail
