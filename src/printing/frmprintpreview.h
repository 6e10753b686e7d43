#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QScrollBar;

namespace kv {

class Context;
class PreviewTarget;

// The offset of the page for scroll value `value` (0 to 100) when it is `overflow` larger than
// what shows.
int scrollOffset(int value, int overflow);

// The preview window (`frmPrintPreview`): one recorded page at a time, in twips at 15 to the
// pixel, with navigation, scroll bars and the print button that hands the job back to the
// print manager (`PrintFromPreview`).
class frmPrintPreview : public QDialog {
    Q_OBJECT
public:
    frmPrintPreview(Context &ctx, const PreviewTarget &pages, QWidget *parent = nullptr);

    int page() const { return m_page; }
    int zoom() const { return m_zoom; } // percent
    void SetButtons(int page);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    class PageView;

    void close(bool print);
    void placePage();

    Context &m_ctx;
    const PreviewTarget &m_pages;
    int m_page = 1;
    int m_zoom = 100;
    int m_total = 0;
    PageView *m_view;
    QScrollBar *m_vertical, *m_horizontal;
    QAction *m_first, *m_previous, *m_next, *m_last;
    QLabel *m_pageText, *m_totalText;
};

// Shows the preview of the report drawn on `PrintTarget` (after its `EndDoc`); more than 40
// pages are announced first. Sets `PrintFromPreview` when the user prints from it.
void ShowPreview(Context &ctx, QWidget *parent = nullptr);

} // namespace kv
