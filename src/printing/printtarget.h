#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;

namespace kv {

// The surface report code draws on, the printer or the preview alike. Every measure is in
// twips (1440 to the inch) from the printable corner of the page. Text is measured with one
// font metric at 1440 dpi without hinting, so every target breaks its pages at the same lines.
class PrintTarget {
public:
    virtual ~PrintTarget();
    PrintTarget(const PrintTarget &) = delete;
    PrintTarget &operator=(const PrintTarget &) = delete;

    double CurrentX = 0, CurrentY = 0;

    QString FontName() const { return m_font.family(); }
    void FontName(const QString &name);
    double FontSize() const { return m_fontSize; }
    void FontSize(double points);
    bool FontBold() const { return m_font.bold(); }
    void FontBold(bool bold);
    bool FontItalic() const { return m_font.italic(); }
    void FontItalic(bool italic);

    // Prints at the current position and moves to the start of the next line.
    void Print(const QString &text);
    void Line(double x1, double y1, double x2, double y2);
    double TextHeight(const QString &text) const;
    double TextWidth(const QString &text) const;
    // `text` cut with "…" to fit `width`.
    QString ElidedText(const QString &text, double width) const;
    int ScaleWidth() const { return m_printable.width(); }
    // False on a page that is laid out and not painted (past the last the preview keeps).
    bool painting() const { return m_painter.isActive(); }
    int ScaleHeight() const { return m_printable.height(); }

    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void KillDoc() = 0;

protected:
    // `printable` is the printable part of the page in twips.
    explicit PrintTarget(QSize printable);
    // The painter of the page being drawn, set to twips (the scale is device units per twip).
    void beginPainting(QPaintDevice *device, double scale);

    QPainter m_painter;

private:
    // The metric of the current font, made once per font: a report measures every cell.
    const QFontMetricsF &metrics() const;
    void fontChanged() { m_metrics.reset(); }

    QFont m_font;
    mutable std::optional<QFontMetricsF> m_metrics;
    double m_fontSize = 8;
    QSize m_printable;
};

// A printer job: every page goes into one PDF laid out on the printer's page; `EndDoc` closes
// it and hands the file to `finished`, `KillDoc` throws it away.
class PdfTarget : public PrintTarget {
public:
    PdfTarget(const QString &file, const QPageLayout &layout, std::function<void(const QString &)> finished);
    ~PdfTarget() override;

    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_file;
    std::function<void(const QString &)> m_finished;
};

// The preview: each finished page is kept as a picture in twips. Pages past the 40th (or past
// `keep`) are laid out and not painted.
class PreviewTarget : public PrintTarget {
public:
    static constexpr int MaxPages = 40;

    explicit PreviewTarget(const QPageLayout &layout, int keep = MaxPages);
    ~PreviewTarget() override;

    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override { EndDoc(); }

    const std::vector<QPicture> &pages() const { return m_pages; }
    int pagesBegun() const { return m_begun; }
    const QPageLayout &layout() const { return m_layout; }

private:
    void finishPage();

    QPageLayout m_layout;
    std::vector<QPicture> m_pages;
    QPicture m_page;
    int m_keep;
    int m_begun = 1; // pages begun
    bool m_done = false;
};

// The printable part of a layout in twips.
QSize printableTwips(const QPageLayout &layout);

} // namespace kv
