#include "editing/listdetail/printers/printerpopup.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::listdetail {

std::function<QStringList()> PrinterPopup::installedPrinters = [] { return QPrinterInfo::availablePrinterNames(); };

PrinterPopup::PrinterPopup(LinePrinters &printers, const LinePrinter &printer, QWidget *parent)
    : QDialog(parent), m_printers(printers), m_printer(printer)
{
    setObjectName(QStringLiteral("frmProductieLijnenPopUpPrinter"));
    setWindowTitle(tr("Printer"));
    setModal(true);

    m_name = pickList(QStringLiteral("cboPrinter"), installedPrinters(), printer.printer);
    m_type = pickList(QStringLiteral("cboType"), {PalletLabel.toString(), LintLabel.toString()}, printer.type);
    m_orientation = pickList(QStringLiteral("cboOrientatie"), {Staand.toString(), Liggend.toString()}, printer.orientation);
    m_format = pickList(QStringLiteral("cboFormaat"), {}, {});
    m_tray = pickList(QStringLiteral("cboLade"), LinePrinters::trays(), printer.tray);
    offerPageSizes();
    connect(m_name, &QComboBox::currentTextChanged, this, &PrinterPopup::offerPageSizes);

    auto *form = new QFormLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);
    form->addRow(tr("Printer"), m_name);
    form->addRow(tr("Soort label"), m_type);
    form->addRow(tr("Pallet pollbestand"), pollFileRow());
    form->addRow(tr("Oriëntatie"), m_orientation);
    form->addRow(tr("Formaat"), m_format);
    form->addRow(tr("Lade"), m_tray);

    auto *ok = new QPushButton(tr("OK"), this);
    auto *close = new QPushButton(tr("Sluiten"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    close->setObjectName(QStringLiteral("cmdClose"));
    ok->setDefault(true);
    for (QPushButton *button : {ok, close})
        button->setMinimumWidth(100);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_printers.save(typed()))
            accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
}

// A stored choice this workstation does not offer (a printer installed elsewhere) stays
// choosable, so changing another setting does not lose it.
QComboBox *PrinterPopup::pickList(const QString &name, const QStringList &items, const QString &current)
{
    auto *pick = new QComboBox(this);
    pick->setObjectName(name);
    pick->setMinimumWidth(300);
    pick->addItems(items);
    if (!current.isEmpty() && pick->findText(current) < 0)
        pick->addItem(current);
    pick->setCurrentIndex(std::max(0, pick->findText(current)));
    return pick;
}

QWidget *PrinterPopup::pollFileRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pollFile = new QLineEdit(m_printer.pollFile, row);
    m_pollFile->setObjectName(QStringLiteral("txtPalletPollBestand"));
    auto *browse = new QToolButton(row);
    browse->setText(QStringLiteral("…"));
    browse->setToolTip(tr("Bestand kiezen"));
    connect(browse, &QToolButton::clicked, this, &PrinterPopup::choosePollFile);
    layout->addWidget(m_pollFile, 1);
    layout->addWidget(browse);
    return row;
}

// The paper sizes of the chosen printer; the common ones for a printer this workstation does
// not know.
void PrinterPopup::offerPageSizes()
{
    const bool first = m_format->count() == 0;
    const QString current = first ? m_printer.format : m_format->currentText();
    const QVariant currentSize = first ? QVariant(m_printer.paperSize) : m_format->currentData();
    QList<QPageSize> sizes = QPrinterInfo::printerInfo(m_name->currentText()).supportedPageSizes();
    if (sizes.isEmpty())
        for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A5, QPageSize::A6, QPageSize::Letter, QPageSize::Legal})
            sizes += QPageSize(id);
    m_format->clear();
    for (const QPageSize &size : sizes)
        m_format->addItem(size.name(), size.windowsId());
    if (!current.isEmpty() && m_format->findText(current) < 0)
        m_format->addItem(current, currentSize);
    m_format->setCurrentIndex(std::max(0, m_format->findText(current)));
}

// The file the pallet labels are polled from need not exist yet.
void PrinterPopup::choosePollFile()
{
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Pallet pollbestand"), m_pollFile->text(), {}, nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        m_pollFile->setText(QDir::toNativeSeparators(chosen));
}

LinePrinter PrinterPopup::typed() const
{
    return {
        .number = m_printer.number,
        .printer = m_name->currentText(),
        .type = m_type->currentText(),
        .pollFile = m_pollFile->text(),
        .orientation = m_orientation->currentText(),
        .format = m_format->currentText(),
        .paperSize = m_format->currentData().toInt(),
        .tray = m_tray->currentText(),
    };
}

} // namespace kv::listdetail
