#include "printing/printtarget.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kv {

namespace {
constexpr double TwipsPerPoint = 20;
}

QSize printableTwips(const QPageLayout &layout)
{
    const QSizeF points = layout.paintRect(QPageLayout::Point).size();
    return {int(std::lround(points.width() * TwipsPerPoint)), int(std::lround(points.height() * TwipsPerPoint))};
}

PrintTarget::PrintTarget(QSize printable) : m_printable(printable)
{
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(false);
    FontSize(m_fontSize);
}

PrintTarget::~PrintTarget() = default;

void PrintTarget::FontName(const QString &name)
{
    m_font.setFamily(name); // fontconfig stands in for a family this machine lacks
    fontChanged();
}

void PrintTarget::FontBold(bool bold)
{
    if (bold != m_font.bold()) {
        m_font.setBold(bold);
        fontChanged();
    }
}

void PrintTarget::FontItalic(bool italic)
{
    if (italic != m_font.italic()) {
        m_font.setItalic(italic);
        fontChanged();
    }
}

const QFontMetricsF &PrintTarget::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_font);
    return *m_metrics;
}

// The font is sized in pixels of 1/1440 inch: the metric does not depend on the device.
void PrintTarget::FontSize(double points)
{
    m_fontSize = points;
    m_font.setPixelSize(std::max(1, int(std::lround(points * TwipsPerPoint))));
    fontChanged();
}

void PrintTarget::beginPainting(QPaintDevice *device, double scale)
{
    m_painter.begin(device);
    m_painter.scale(scale, scale);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

// A page that is not kept (past the preview's last) is laid out and not painted.
void PrintTarget::Print(const QString &text)
{
    if (m_painter.isActive()) {
        if (m_painter.font() != m_font)
            m_painter.setFont(m_font);
        m_painter.drawText(QPointF(CurrentX, CurrentY + metrics().ascent()), text);
    }
    CurrentX = 0;
    CurrentY += metrics().height();
}

void PrintTarget::Line(double x1, double y1, double x2, double y2)
{
    if (m_painter.isActive())
        m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

double PrintTarget::TextHeight(const QString &text) const
{
    return metrics().height() * std::max<qsizetype>(1, text.count(u'\n') + 1);
}

double PrintTarget::TextWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text);
}

QString PrintTarget::ElidedText(const QString &text, double width) const
{
    return metrics().elidedText(text, Qt::ElideRight, width);
}

PdfTarget::PdfTarget(const QString &file, const QPageLayout &layout, std::function<void(const QString &)> finished)
    : PrintTarget(printableTwips(layout)), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)), m_file(file),
      m_finished(std::move(finished))
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(file);
    m_printer->setPageLayout(layout);
    beginPainting(m_printer.get(), m_printer->resolution() / 1440.0);
    if (!m_painter.isActive())
        throw std::runtime_error(QStringLiteral("Het bestand %1 kan niet worden geschreven.").arg(file).toStdString());
}

PdfTarget::~PdfTarget()
{
    if (m_painter.isActive())
        KillDoc();
}

void PdfTarget::NewPage()
{
    m_printer->newPage();
    CurrentX = CurrentY = 0;
}

void PdfTarget::EndDoc()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_finished(m_file);
}

void PdfTarget::KillDoc()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    QFile::remove(m_file);
}

PreviewTarget::PreviewTarget(const QPageLayout &layout, int keep)
    : PrintTarget(printableTwips(layout)), m_layout(layout), m_keep(keep)
{
    beginPainting(&m_page, 1);
}

// The painter belongs to the base, the page it paints on to us: it stops before the page goes.
PreviewTarget::~PreviewTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

void PreviewTarget::NewPage()
{
    if (m_done)
        return;
    finishPage();
    m_page = QPicture();
    ++m_begun;
    if (m_begun <= m_keep)
        beginPainting(&m_page, 1);
    CurrentX = CurrentY = 0;
}

void PreviewTarget::EndDoc()
{
    if (m_done)
        return;
    finishPage();
    m_done = true;
}

void PreviewTarget::finishPage()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_pages.push_back(m_page);
}

} // namespace kv
