#include "printing/frmprinters.h"

#include "editing/widgets/yesno.h"
#include "printing/printersetting.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

namespace {

// The document kinds side by side, two to a row.
constexpr int Columns = 2;

QComboBox *list(QWidget *parent, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setMinimumWidth(220);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// A list with the line that says what it lacks under it.
QWidget *withRemark(QWidget *parent, QComboBox *combo, QLabel *&remark)
{
    auto *box = new QWidget(parent);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    remark = new QLabel(box);
    remark->setObjectName(u"lblNietBeschikbaar" + combo->objectName().mid(3));
    remark->setStyleSheet(QStringLiteral("color: #a33;"));
    remark->hide();
    column->addWidget(combo);
    column->addWidget(remark);
    return box;
}

void showRemark(QLabel *remark, const QString &text)
{
    remark->setText(text);
    remark->setVisible(!text.isEmpty());
}

} // namespace

frmPrinters::frmPrinters(Context &ctx, QWidget *parent) : ChildScreen(parent), m_setup(ctx)
{
    setObjectName(QStringLiteral("frmPrinters"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);

    auto *header = new QLabel(QStringLiteral("Printers"), this);
    QFont big = header->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    header->setFont(big);
    layout->addWidget(header);
    auto *intro = new QLabel(QStringLiteral("Gebruik standaard onderstaande printerinstellingen voor de verschillende documenten"), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    for (int kind = 0; kind < int(PrinterSetup::kinds().size()); ++kind)
        grid->addWidget(kindGroup(kind), kind / Columns, kind % Columns);
    for (int column = 0; column < Columns; ++column)
        grid->setColumnStretch(column, 1);
    layout->addLayout(grid);

    auto *switches = new QVBoxLayout;
    switches->setSpacing(8);
    for (size_t i = 0; i < PrinterSetup::switches().size(); ++i) {
        const PrinterSetup::Switch &option = PrinterSetup::switches()[i];
        auto *toggle = new YesNo(this);
        toggle->setObjectName(option.name);
        toggle->setState(m_setup.on[i] ? QStringLiteral("on") : QStringLiteral("off"));
        connect(toggle, &YesNo::stateChanged, this, [this, i](const QString &state) { m_setup.on[i] = state == u"on"; });
        auto *row = new QHBoxLayout;
        row->setSpacing(12);
        row->addWidget(toggle);
        row->addWidget(new QLabel(option.caption, this));
        row->addStretch();
        switches->addLayout(row);
    }
    layout->addSpacing(4);
    layout->addLayout(switches);

    auto *save = new QPushButton(QStringLiteral("&Opslaan"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    save->setMinimumWidth(120);
    connect(save, &QPushButton::clicked, this, &frmPrinters::cmdSave_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();
}

QWidget *frmPrinters::kindGroup(int kind)
{
    const PrinterSetup::Kind &table = PrinterSetup::kinds()[size_t(kind)];
    const PrinterSetup::Section &section = m_setup.sections[size_t(kind)];
    Lists &lists = m_lists[size_t(kind)];
    auto *group = new QGroupBox(table.caption, this);
    group->setObjectName(u"fra" + table.key);
    group->setToolTip(table.toolTip);
    auto *form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft);

    lists.printer = list(group, u"cboPrinter" + table.key);
    lists.orientation = list(group, u"cboOrientatie" + table.key);
    lists.size = list(group, u"cboFormaat" + table.key);
    lists.tray = list(group, u"cboLade" + table.key);
    form->addRow(QStringLiteral("Gebruik printer:"), withRemark(group, lists.printer, lists.notAvailable[0]));
    form->addRow(QStringLiteral("Papier orientatie:"), lists.orientation);
    form->addRow(QStringLiteral("Papierformaat:"), withRemark(group, lists.size, lists.notAvailable[1]));
    form->addRow(QStringLiteral("Papierlade:"), withRemark(group, lists.tray, lists.notAvailable[2]));
    if (table.key == u"VDM") { // the VDM documents' own shift of the print position, both on one row
        auto *corrections = new QHBoxLayout;
        corrections->addWidget(correctionField(0));
        corrections->addSpacing(16);
        corrections->addWidget(new QLabel(QStringLiteral("Correctie boven:"), group));
        corrections->addWidget(correctionField(1));
        corrections->addStretch();
        form->addRow(QStringLiteral("Correctie links:"), corrections);
    }

    if (!m_setup.printers().isEmpty()) { // without printers the lists stay empty
        lists.printer->addItems(m_setup.printers());
        lists.printer->setCurrentText(section.printer);
        lists.orientation->addItems(orientationEntries());
        lists.orientation->setCurrentIndex(section.orientation);
    }
    showSizesAndTrays(kind);

    connect(lists.printer, &QComboBox::currentTextChanged, this, [this, kind](const QString &printer) {
        m_setup.choosePrinter(kind, printer);
        showSizesAndTrays(kind);
    });
    connect(lists.orientation, &QComboBox::currentIndexChanged, this,
            [this, kind](int index) { m_setup.sections[size_t(kind)].orientation = index; });
    connect(lists.size, &QComboBox::currentIndexChanged, this, [this, kind](int index) { m_setup.sections[size_t(kind)].size = index; });
    connect(lists.tray, &QComboBox::currentIndexChanged, this, [this, kind](int index) { m_setup.sections[size_t(kind)].tray = index; });
    return group;
}

// `VDMx` (0) or `VDMy` (1).
QLineEdit *frmPrinters::correctionField(int which)
{
    QString &value = which == 0 ? m_setup.correctionLeft : m_setup.correctionTop;
    auto *field = new QLineEdit(value, this);
    field->setObjectName(which == 0 ? QStringLiteral("txtVDMx") : QStringLiteral("txtVDMy"));
    field->setMaximumWidth(90);
    connect(field, &QLineEdit::textEdited, this, [&value](const QString &text) { value = text; });
    m_corrections[which] = field;
    return field;
}

// The chosen printer's sizes and trays, each entry carrying the printer's number, and what the
// lists lack.
void frmPrinters::showSizesAndTrays(int kind)
{
    const PrinterSetup::Section &section = m_setup.sections[size_t(kind)];
    Lists &lists = m_lists[size_t(kind)];
    const QSignalBlocker sizes(lists.size), trays(lists.tray);
    lists.size->clear();
    for (const PaperSize &size : section.capabilities.sizes)
        lists.size->addItem(size.name, size.number);
    lists.size->setCurrentIndex(section.size);
    lists.tray->clear();
    for (const PaperTray &tray : section.capabilities.trays)
        lists.tray->addItem(tray.name, tray.number);
    lists.tray->setCurrentIndex(section.tray);
    for (int i = 0; i < 3; ++i)
        showRemark(lists.notAvailable[i], section.notAvailable[i]);
}

void frmPrinters::cmdSave_Click()
{
    if (m_setup.save()) {
        Q_EMIT saved();
        return;
    }
    if (const int bad = m_setup.badCorrection(); bad >= 0)
        m_corrections[bad]->setFocus();
}

} // namespace kv
