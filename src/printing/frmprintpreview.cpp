#include "printing/frmprintpreview.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "printing/printjob.h"
#include "printing/printtarget.h"

#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kv {

namespace {
constexpr int TwipsPerPixel = 15;
constexpr int PageTop = 1020, PageLeft = 1020, Shadow = 30; // twips
} // namespace

int scrollOffset(int value, int overflow)
{
    return overflow - int((1 - value / 100.0) * overflow);
}

// The white page with its shadow, moved by the scroll bars.
class frmPrintPreview::PageView : public QWidget {
public:
    PageView(const PreviewTarget &pages, QWidget *parent) : QWidget(parent), m_pages(pages)
    {
        setObjectName(QStringLiteral("pictPageContainer"));
        const QSizeF page = pages.layout().fullRectPoints().size() * 20;
        m_page = QSize(int(page.width()), int(page.height()));
    }

    QSize pageTwips() const { return m_page + QSize(240, 240); }
    int page = 1;
    QPoint offset;      // twips
    double zoom = 1.0; // 0.5 to 2

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        painter.scale(zoom / TwipsPerPixel, zoom / TwipsPerPixel);
        const QPoint corner(PageLeft - offset.x(), PageTop - offset.y());
        painter.fillRect(QRect(corner + QPoint(Shadow, Shadow), m_page), Qt::darkGray);
        painter.fillRect(QRect(corner, m_page), Qt::white);
        if (page < 1 || page > int(m_pages.pages().size()))
            return;
        const QMarginsF margins = m_pages.layout().marginsPoints() * 20;
        painter.translate(corner + QPoint(int(margins.left()), int(margins.top())));
        QPicture picture = m_pages.pages()[size_t(page - 1)]; // shared, and play() is not const
        picture.play(&painter);
    }

private:
    const PreviewTarget &m_pages;
    QSize m_page;
};

frmPrintPreview::frmPrintPreview(Context &ctx, const PreviewTarget &pages, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_pages(pages), m_total(int(pages.pages().size()))
{
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("Afdrukvoorbeeld"));
    resize(900, 700);

    auto *menu = new QMenuBar(this);
    QMenu *overview = menu->addMenu(QStringLiteral("&Overzicht"));
    overview->setObjectName(QStringLiteral("ID_Overzicht"));
    QAction *print = overview->addAction(QStringLiteral("Af&drukken"), this, [this] { close(true); });
    print->setObjectName(QStringLiteral("ID_Afdrukken"));
    overview->addAction(QStringLiteral("Opslaan als &PDF..."), this, [this] {
        const QString file = AskPdfFile(m_ctx, m_ctx.print.jobTitle);
        if (file.isEmpty())
            return;
        m_ctx.print.PdfFile = file;
        close(true);
    })->setObjectName(QStringLiteral("ID_Pdf"));
    overview->addSeparator();
    overview->addAction(QStringLiteral("&Afdrukvoorbeeld sluiten"), this, [this] { close(false); })
        ->setObjectName(QStringLiteral("ID_Sluiten"));

    auto *toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    const QString printer = SystemPrinter(ctx);
    QAction *printButton = toolbar->addAction(QStringLiteral("Afdrukken"), this, [this] { close(true); });
    printButton->setObjectName(QStringLiteral("Button1"));
    if (!printer.isEmpty())
        printButton->setToolTip(QStringLiteral("Afdrukken (") + printer + u')');
    printButton->setEnabled(!printer.isEmpty());
    print->setEnabled(!printer.isEmpty());
    toolbar->addSeparator();
    const auto go = [this](int page) {
        m_vertical->setValue(0);
        m_horizontal->setValue(0);
        SetButtons(page);
    };
    m_first = toolbar->addAction(QStringLiteral("Eerste pagina"), this, [go] { go(1); });
    m_previous = toolbar->addAction(QStringLiteral("Vorige pagina"), this, [this, go] { go(m_page - 1); });
    m_next = toolbar->addAction(QStringLiteral("Volgende pagina"), this, [this, go] { go(m_page + 1); });
    m_last = toolbar->addAction(QStringLiteral("Laatste pagina"), this, [this, go] { go(m_total); });
    toolbar->addSeparator();
    toolbar->addAction(QStringLiteral("Sluiten"), this, [this] { close(false); })->setObjectName(QStringLiteral("Button8"));
    for (auto [action, name] : {std::pair{m_first, "Button3"}, {m_previous, "Button4"}, {m_next, "Button5"}, {m_last, "Button6"}})
        action->setObjectName(QLatin1String(name));

    m_view = new PageView(pages, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_vertical->setObjectName(QStringLiteral("VScroll"));
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_horizontal->setObjectName(QStringLiteral("HScroll"));
    for (QScrollBar *bar : {m_vertical, m_horizontal}) {
        bar->setRange(0, 100);
        connect(bar, &QScrollBar::valueChanged, this, &frmPrintPreview::placePage);
    }

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_pageText = new QLabel(this);
    m_pageText->setObjectName(QStringLiteral("Panel1"));
    m_totalText = new QLabel(QStringLiteral("Totaal aantal pagina's : ") + QString::number(m_total), this);
    m_totalText->setObjectName(QStringLiteral("Panel2"));
    status->addWidget(m_pageText, 1);
    status->addWidget(m_totalText, 1);

    auto *grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(m_view, 0, 0);
    grid->addWidget(m_vertical, 0, 1);
    grid->addWidget(m_horizontal, 1, 0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);
    layout->addWidget(toolbar);
    layout->addLayout(grid, 1);
    layout->addWidget(status);
    SetButtons(1);
}

void frmPrintPreview::SetButtons(int page)
{
    m_page = std::clamp(page, 1, std::max(1, m_total));
    m_pageText->setText(QStringLiteral("Pagina: ") + QString::number(m_page));
    const bool several = m_total > 1;
    m_first->setEnabled(several && m_page > 1);
    m_previous->setEnabled(several && m_page > 1);
    m_next->setEnabled(several && m_page < m_total);
    m_last->setEnabled(several && m_page < m_total);
    m_view->page = m_page;
    placePage();
}

// The page moves up and left by the part of its overflow the scroll bars say.
void frmPrintPreview::placePage()
{
    const QSize visible = m_view->size() * (TwipsPerPixel / m_view->zoom);
    const QSize needed = m_view->pageTwips() + QSize(PageLeft, PageTop);
    m_view->offset = QPoint(scrollOffset(m_horizontal->value(), std::max(0, needed.width() - visible.width())),
                            scrollOffset(m_vertical->value(), std::max(0, needed.height() - visible.height())));
    m_view->update();
}

// Ctrl and the wheel zoom from 50 to 200 % in steps of 10; the wheel alone scrolls the page.
void frmPrintPreview::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        m_zoom = std::clamp(m_zoom + 10 * steps, 50, 200);
        m_view->zoom = m_zoom / 100.0;
        placePage();
    } else {
        m_vertical->setValue(m_vertical->value() - 10 * steps);
    }
    event->accept();
}

void frmPrintPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePage();
}

void frmPrintPreview::close(bool print)
{
    m_ctx.print.PrintFromPreview = print;
    accept();
}

void ShowPreview(Context &ctx, QWidget *parent)
{
    const auto *pages = dynamic_cast<const PreviewTarget *>(ctx.print.PrintTarget.get());
    if (!pages)
        return;
    if (pages->pagesBegun() > PreviewTarget::MaxPages && ctx.dialogs)
        ctx.dialogs->MsgBox(QStringLiteral("Er zijn meer dan 40 pagina's gevonden, in het afdrukvoorbeeld worden maximaal 40 pagina's getoond."),
                            mb::Information);
    frmPrintPreview window(ctx, *pages, parent);
    window.exec();
}

} // namespace kv
