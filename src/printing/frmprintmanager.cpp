#include "printing/frmprintmanager.h"

#include "core/context.h"
#include "printing/printersetting.h"
#include "printing/printjob.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace kv {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(100);
    return b;
}

QLabel *value(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmPrintManager::frmPrintManager(Context &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx), m_manager(ctx)
{
    setObjectName(QStringLiteral("frmPrintManager"));
    setWindowTitle(QStringLiteral("Beheer - Afdrukbeheer"));
    setModal(true);

    auto *header = new QLabel(QStringLiteral("Afdrukbeheer"), this);
    QFont bold = header->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    header->setFont(bold);

    m_documents = new QListWidget(this);
    m_documents->setObjectName(QStringLiteral("lstAfdrukken"));
    for (const PrintManager::Entry &entry : m_manager.entries()) {
        auto *item = new QListWidgetItem(entry.text, m_documents);
        item->setData(Qt::UserRole, entry.slot);
    }
    connect(m_documents, &QListWidget::currentRowChanged, this, &frmPrintManager::documentChosen);

    const QString tooltips[5] = {QStringLiteral(" Geselecteerde printer"), QStringLiteral(" Formaat van het papier..."),
                                 QStringLiteral(" De te gebruiken printerlade..."), QStringLiteral(" Orientatie van het papier..."),
                                 QString()};
    for (int i = 0; i < 5; ++i) {
        m_lists[i] = new QComboBox(this);
        m_lists[i]->setObjectName(QStringLiteral("cboPrinterSelect%1").arg(i));
        m_lists[i]->setToolTip(tooltips[i]);
        m_lists[i]->setMinimumWidth(260);
    }
    m_lists[3]->addItems(orientationEntries());
    m_lists[4]->addItems({QStringLiteral("Enkelzijdig"), QStringLiteral("Dubbelzijdig, horizontaal"), QStringLiteral("Dubbelzijdig, verticaal")});
    m_lists[0]->addItems(m_manager.printers());
    m_lists[0]->setCurrentText(m_manager.printer());
    m_lists[0]->setEnabled(!m_manager.printers().isEmpty());

    m_copies = new QLineEdit(m_manager.copies, this);
    m_copies->setObjectName(QStringLiteral("UserText"));
    m_copies->setMaximumWidth(60);

    auto *form = new QFormLayout;
    const QString captions[3] = {QStringLiteral("Printer:"), QStringLiteral("Papierformaat:"), QStringLiteral("Papierlade:")};
    for (int i = 0; i < 3; ++i) {
        m_notAvailable[i] = new QLabel(this);
        m_notAvailable[i]->setObjectName(QStringLiteral("lblNietBeschikbaar%1").arg(i));
        m_notAvailable[i]->hide();
        auto *column = new QVBoxLayout;
        column->setSpacing(2);
        column->addWidget(m_lists[i]);
        column->addWidget(m_notAvailable[i]);
        form->addRow(captions[i], column);
    }
    form->addRow(QStringLiteral("Orientatie:"), m_lists[3]);
    form->addRow(QStringLiteral("Enkel/dubbelzijdig:"), m_lists[4]);
    form->addRow(QStringLiteral("Aantal kopieën afdrukken:"), m_copies);
    m_matrix = new QCheckBox(QStringLiteral("Deze printer is een matrix printer."), this);
    m_matrix->setObjectName(QStringLiteral("chkMatrixPrinter"));
    m_matrix->setVisible(m_manager.matrixSupport);
    m_matrix->setEnabled(!m_manager.printers().isEmpty());
    connect(m_matrix, &QCheckBox::toggled, this, [this](bool on) { m_manager.matrix = on; });
    form->addRow(QString(), m_matrix);

    m_detailsPanel = new QWidget(this);
    auto *details = new QFormLayout(m_detailsPanel);
    details->setContentsMargins(0, 0, 0, 0);
    m_status = value(m_detailsPanel, QStringLiteral("Geen verbinding mogelijk"));
    m_printer = value(m_detailsPanel, QStringLiteral("n/a"));
    m_location = value(m_detailsPanel, QStringLiteral("n/a"));
    m_comment = value(m_detailsPanel, QStringLiteral("n/a"));
    m_paperSize = value(m_detailsPanel, QStringLiteral("n/a"));
    m_tray = value(m_detailsPanel, QStringLiteral("n/a"));
    m_status->setObjectName(QStringLiteral("lblStatus"));
    // The error picture of a printer that cannot be reached.
    m_noConnection = new QLabel(m_detailsPanel);
    m_noConnection->setObjectName(QStringLiteral("imgGeenVerbinding"));
    m_noConnection->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(16, 16));
    m_noConnection->setToolTip(QStringLiteral(" Geen verbinding met deze printer..."));
    m_noConnection->hide();
    auto *status = new QHBoxLayout;
    status->addWidget(m_status);
    status->addWidget(m_noConnection);
    status->addStretch();
    details->addRow(QStringLiteral("Status:"), status);
    details->addRow(QStringLiteral("Printer:"), m_printer);
    details->addRow(QStringLiteral("Locatie:"), m_location);
    details->addRow(QStringLiteral("Commentaar:"), m_comment);
    details->addRow(QStringLiteral("Papierformaat:"), m_paperSize);
    details->addRow(QStringLiteral("Papierlade:"), m_tray);
    m_detailsPanel->hide();
    fillPrinterLists();
    connect(m_lists[0], &QComboBox::currentTextChanged, this, [this](const QString &printer) {
        m_manager.selectPrinter(printer);
        fillPrinterLists();
    });

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progressSort = new QProgressBar(this);
    m_progressSort->setObjectName(QStringLiteral("ProgressBarSort"));
    for (QProgressBar *bar : {m_progress, m_progressSort}) {
        bar->setRange(0, 100);
        bar->setValue(0);
    }
    auto *progress = new QFormLayout;
    auto *progressLabel = new QLabel(QStringLiteral("Progressie:"), this);
    progressLabel->setObjectName(QStringLiteral("lblProgressie"));
    progress->addRow(progressLabel, m_progress);
    progress->addRow(new QLabel(QStringLiteral("De gegevens worden gesorteerd..."), this));
    progress->addRow(m_progressSort);

    m_ctx.print.UpdatePercentage = [this](int value) { UpdatePercentage(value); };

    m_print = button(this, "cmdPrint", QStringLiteral("&Afdrukken"));
    m_preview = button(this, "cmdPrintVoorbeeld", QStringLiteral("&Voorbeeld"));
    m_pdf = button(this, "cmdPdf", QStringLiteral("Opslaan als &PDF..."));
    m_details = button(this, "cmdDetails", QStringLiteral("De&tails >>"));
    m_setup = button(this, "cmdSetup", QStringLiteral("&Instellen..."));
    m_setup->setToolTip(QStringLiteral(" Opmaak instellingen..."));
    auto *close = button(this, "cmdAnnuleren", QStringLiteral("&Sluiten"));
    connect(m_print, &QPushButton::clicked, this, [this] { start(false); });
    connect(m_preview, &QPushButton::clicked, this, [this] { start(true); });
    connect(m_pdf, &QPushButton::clicked, this, &frmPrintManager::savePdf);
    connect(m_details, &QPushButton::clicked, this, [this] {
        const bool open = m_detailsPanel->isHidden();
        m_detailsPanel->setVisible(open);
        m_details->setText(open ? QStringLiteral("De&tails <<") : QStringLiteral("De&tails >>"));
        SetStatus();
    });
    connect(close, &QPushButton::clicked, this, &frmPrintManager::reject);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_print, m_preview, m_pdf, m_details, m_setup})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(12);
    layout->addWidget(header);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_documents, 1);
    middle->addLayout(form);
    layout->addLayout(middle);
    layout->addWidget(m_detailsPanel);
    layout->addLayout(progress);
    layout->addLayout(buttons);

    // Only the chart of accounts has layout settings; cash sales and invoicing print without preview.
    const QString caller = m_ctx.print.PrintCaller.toLower();
    m_setup->setEnabled(caller == u"frmrekeningschema");
    m_previewAllowed = caller != u"frmcontantverkopen" && caller != u"frmfactureringorders";
    if (m_documents->count() > 0)
        m_documents->setCurrentRow(0);
    else
        documentChosen();
}

void frmPrintManager::fillPrinterLists()
{
    const PrinterCapabilities &capabilities = m_manager.capabilities();
    const QSignalBlocker sizes(m_lists[1]), trays(m_lists[2]);
    m_lists[1]->clear();
    for (const PaperSize &size : capabilities.sizes)
        m_lists[1]->addItem(size.name, size.number);
    m_lists[1]->setCurrentIndex(std::max(0, m_lists[1]->findData(m_manager.paperSize)));
    m_lists[2]->clear();
    for (const PaperTray &tray : capabilities.trays)
        m_lists[2]->addItem(tray.name, tray.number);
    m_lists[2]->setCurrentIndex(std::max(0, m_lists[2]->findData(m_manager.tray)));
    for (int i = 0; i < 3; ++i) {
        m_notAvailable[i]->setText(m_manager.notAvailable[i]);
        m_notAvailable[i]->setVisible(!m_manager.notAvailable[i].isEmpty());
    }
    m_lists[3]->setCurrentIndex(m_manager.orientation - 1);
    m_lists[4]->setCurrentIndex(m_manager.duplex - 1);
    m_matrix->setChecked(m_manager.matrix && !m_manager.printers().isEmpty());
    SetStatus();
}

void frmPrintManager::documentChosen()
{
    if (m_manager.running())
        return;
    if (!m_manager.chooseDocument(m_documents->currentRow()) && m_detailsPanel->isHidden())
        m_details->click();
    {
        const QSignalBlocker blocker(m_lists[0]);
        m_lists[0]->setCurrentText(m_manager.printer());
    }
    fillPrinterLists();
    const QListWidgetItem *item = m_documents->currentItem();
    const bool document = item && item->text() != u"-";
    const bool printers = !m_manager.printers().isEmpty();
    m_print->setEnabled(document && printers);
    m_preview->setEnabled(document && printers && m_previewAllowed);
    m_pdf->setEnabled(document);
    if (!document)
        m_setup->setEnabled(false);
}

void frmPrintManager::SetStatus()
{
    const PrintManager::Details details = m_manager.details();
    m_printer->setText(details.printer);
    m_status->setText(details.status.trimmed());
    m_noConnection->setVisible(!details.found);
    m_location->setText(details.location);
    m_comment->setText(details.comment);
    m_paperSize->setText(m_lists[1]->currentText());
    m_tray->setText(m_lists[2]->currentText());
}

frmPrintManager::~frmPrintManager()
{
    m_ctx.print.UpdatePercentage = nullptr;
}

// Drawing runs on this thread, so the bar is painted at once.
void frmPrintManager::UpdatePercentage(int value)
{
    if (m_progress->value() != value) {
        m_progress->setValue(value);
        m_progress->repaint();
    }
}

void frmPrintManager::UpdatePercentageSort(int value)
{
    if (m_progressSort->value() != value)
        m_progressSort->setValue(value);
}

void frmPrintManager::start(bool preview)
{
    m_manager.paperSize = m_lists[1]->currentData().toInt();
    m_manager.tray = m_lists[2]->currentData().toInt();
    m_manager.orientation = m_lists[3]->currentIndex() + 1;
    m_manager.duplex = m_lists[4]->currentIndex() + 1;
    m_manager.copies = m_copies->text();
    m_previewing = preview;
    bool ran = m_manager.run(m_documents->currentRow(), preview);
    m_previewing = false;
    if (ran && preview && m_ctx.print.PrintFromPreview) { // printed from the preview: the same document, now
        const QString pdf = std::exchange(m_ctx.print.PdfFile, QString());
        ran = pdf.isEmpty() ? m_manager.run(m_documents->currentRow(), false) : m_manager.savePdf(m_documents->currentRow(), pdf);
        preview = false;
    }
    if (ran && !preview) // after a preview the manager stays for the next run
        accept();
}

void frmPrintManager::savePdf()
{
    const QListWidgetItem *item = m_documents->currentItem();
    if (!item)
        return;
    const QString file = AskPdfFile(m_ctx, item->text());
    if (!file.isEmpty() && m_manager.savePdf(m_documents->currentRow(), file))
        accept();
}

// No closing while a run is under way.
void frmPrintManager::reject()
{
    if (!m_manager.running())
        QDialog::reject();
}

void OpenPrintManager(Context &ctx, const QString &caller, const QStringList &documents, QWidget *parent)
{
    if (ctx.print.PrintManagerOpen)
        return;
    for (qsizetype i = 0; i < documents.size() && i + 1 < qsizetype(ctx.print.PrintDocuments.size()); ++i)
        ctx.print.PrintDocuments[size_t(i + 1)] = documents[i];
    ctx.print.PrintCaller = caller;
    frmPrintManager window(ctx, parent);
    window.exec();
}

} // namespace kv
