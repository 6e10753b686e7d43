#pragma once

#include "core/jobs/progress.h"
#include "export/exporter.h"
#include "export/sheetwriter.h"

#include <QDialog>

class QListWidget;
class QProgressBar;
class QPushButton;

namespace kv {
class Context;
} // namespace kv

namespace kv::exporting {

// The file proposed for a list: "<title>-yyyymmdd" in the user's documents folder.
QString proposedFile(const Context &ctx, const QString &title, SheetFormat format);

// Asks where to write the list, writes it and opens it with the program it belongs to; says
// so when no program takes it (the file stays). Nothing happens when the user cancels.
void startExport(Context &ctx, const ListSource &source, SheetFormat format, Progress *progress);

// `frmSelectieExporteren`: the export types of the list a screen hands over, started with a
// button, with progress; "Stoppen" or Escape stops a running export.
class FrmSelectieExporteren : public QDialog, private Progress {
    Q_OBJECT
public:
    FrmSelectieExporteren(Context &ctx, ListSource source, QWidget *parent = nullptr);

    void reject() override;

private:
    void start();
    void step(const QString &) override {}
    void percent(int value) override;
    bool stopRequested() override;
    void finished() override;

    Context &m_ctx;
    ListSource m_source;
    QListWidget *m_types;
    QProgressBar *m_progress;
    QPushButton *m_start, *m_stop;
    bool m_running = false, m_stopping = false;
};

// What "Exporteren..." opens over the list of a screen.
void showExportWindow(Context &ctx, const ListSource &list, QWidget *parent);

} // namespace kv::exporting
