#include "export/exportwindow.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "editing/busycursor.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::exporting {

QString proposedFile(const Context &ctx, const QString &title, SheetFormat format)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(title + u'-' + ctx.today().toString(u"yyyyMMdd"_s)
                                 + (format == SheetFormat::Xlsx ? u".xlsx"_s : u".csv"_s));
}

void startExport(Context &ctx, const ListSource &source, SheetFormat format, Progress *progress)
{
    const QString filter = format == SheetFormat::Xlsx ? u"Excel-werkmap (*.xlsx) | *.xlsx"_s : u"CSV-bestand (*.csv) | *.csv"_s;
    const QString path = ctx.dialogs->SaveFile(u"Exporteren "_s + source.title, filter, proposedFile(ctx, source.title, format));
    if (path.isEmpty())
        return;
    ExportResult result;
    {
        BusyCursor busy;
        result = exportList(ctx, source, path, progress);
    }
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        if (!ctx.dialogs->OpenDocument(path))
            ctx.dialogs->MsgBox(u"U heeft Microsoft Excel nodig voor deze functie"_s, mb::Exclamation, u"Printen naar Excel"_s);
        return;
    case ExportResult::Outcome::Refused:
    case ExportResult::Outcome::Failed:
        ctx.dialogs->MsgBox(result.message, mb::Exclamation);
        return;
    case ExportResult::Outcome::Stopped:
        return;
    }
}

FrmSelectieExporteren::FrmSelectieExporteren(Context &ctx, ListSource source, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_source(std::move(source)), m_types(new QListWidget(this)),
      m_progress(new QProgressBar(this)), m_start(new QPushButton(u"Exporteren starten..."_s, this)),
      m_stop(new QPushButton(u"Stoppen"_s, this))
{
    setObjectName(u"frmSelectieExporteren"_s);
    setWindowTitle(u"Exporteren - "_s + m_source.title);
    setModal(true);
    m_types->setObjectName(u"lvwExport"_s);
    m_types->setViewMode(QListView::IconMode);
    m_types->setIconSize({32, 32});
    m_types->setMovement(QListView::Static);
    m_types->setGridSize({96, 72});
    const std::pair<QString, SheetFormat> types[] = {{u"Excel"_s, SheetFormat::Xlsx}, {u"CSV"_s, SheetFormat::Csv}};
    for (const auto &[text, format] : types) {
        auto *item = new QListWidgetItem(style()->standardIcon(format == SheetFormat::Xlsx ? QStyle::SP_FileDialogDetailedView
                                                                                             : QStyle::SP_FileIcon),
                                         text, m_types);
        item->setData(Qt::UserRole, int(format));
    }
    m_types->setCurrentRow(0);
    m_start->setObjectName(u"cmdStart"_s);
    m_start->setToolTip(u"Klik hier om het exporteren te starten..."_s);
    m_stop->setObjectName(u"cmdStop"_s);
    m_stop->setVisible(false);
    m_progress->setObjectName(u"prbVoortgang"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_start);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Exporteren naar:"_s, this));
    layout->addWidget(m_types, 1);
    layout->addLayout(buttons);
    resize(420, 240);

    connect(m_start, &QPushButton::clicked, this, &FrmSelectieExporteren::start);
    connect(m_types, &QListWidget::itemDoubleClicked, this, &FrmSelectieExporteren::start);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopping = true; });
}

void FrmSelectieExporteren::start()
{
    const QListWidgetItem *type = m_types->currentItem();
    if (!type || m_running)
        return;
    m_running = true;
    m_stopping = false;
    m_start->setEnabled(false);
    m_stop->setVisible(true);
    startExport(m_ctx, m_source, SheetFormat(type->data(Qt::UserRole).toInt()), this);
    m_running = false;
    m_start->setEnabled(true);
    m_stop->setVisible(false);
}

void FrmSelectieExporteren::reject()
{
    if (m_running)
        m_stopping = true; // Escape stops the export, the window stays
    else
        QDialog::reject();
}

void FrmSelectieExporteren::percent(int value)
{
    m_progress->setValue(value);
    QApplication::processEvents(); // the "Stoppen" button and Escape are heard between rows
}

bool FrmSelectieExporteren::stopRequested()
{
    return m_stopping;
}

void FrmSelectieExporteren::finished()
{
    m_progress->setValue(0);
}

void showExportWindow(Context &ctx, const ListSource &list, QWidget *parent)
{
    FrmSelectieExporteren window(ctx, list, parent);
    window.exec();
}

} // namespace kv::exporting
