#pragma once

#include "printing/printmanager.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kv {

// The print manager's window (`frmPrintManager`) over `PrintManager`: the documents, the
// printer and its lists, the copies, the details panel and the progress of a run.
class frmPrintManager : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintManager(Context &ctx, QWidget *parent = nullptr);
    ~frmPrintManager() override;

    // Driven by the caller's `Afdrukken` while it runs, 0 to 100.
    void UpdatePercentage(int value);
    void UpdatePercentageSort(int value);
    bool IsPrintPreview() const { return m_previewing; }
    void SetStatus();

private:
    void fillPrinterLists();
    void documentChosen();
    void start(bool preview);
    void savePdf();
    void reject() override;

    Context &m_ctx;
    PrintManager m_manager;
    bool m_previewing = false;
    bool m_previewAllowed = true;
    QListWidget *m_documents;
    QComboBox *m_lists[5];
    QLineEdit *m_copies;
    QCheckBox *m_matrix;
    QPushButton *m_print, *m_preview, *m_pdf, *m_details, *m_setup;
    QWidget *m_detailsPanel;
    QLabel *m_notAvailable[3];
    QLabel *m_noConnection;
    QLabel *m_status, *m_printer, *m_location, *m_comment, *m_paperSize, *m_tray;
    QProgressBar *m_progress, *m_progressSort;
};

// The caller's side of a job: offers `documents` from slot 1 ("-" a separator) under the
// caller's form name and opens the print manager modally; nothing while one is open.
void OpenPrintManager(Context &ctx, const QString &caller, const QStringList &documents, QWidget *parent = nullptr);

} // namespace kv
