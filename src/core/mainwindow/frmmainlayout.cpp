// The geometry of the main window: header above, and below it either the overview of
// section panels or the menu column beside the content area.
#include "core/mainwindow/frmmain.h"

#include "core/mainwindow/mainheader.h"
#include "core/mainwindow/sectionoverview.h"
#include "core/mainwindow/theme.h"
#include "core/navigation/menucolumn.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv {
namespace {

constexpr int menuWidth = 280;
constexpr int scrollStepTwips = 600;

QScrollArea *scrollArea(QWidget *content, QRgb background, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, QColor(background));
    area->setPalette(palette);
    area->viewport()->setAutoFillBackground(true);
    area->viewport()->setPalette(palette);
    if (content)
        area->setWidget(content);
    return area;
}

} // namespace

void frmMain::buildLayout()
{
    setMinimumSize(960, 600);
    if (const QScreen *s = screen())
        resize(QSize(1280, 800).boundedTo(s->availableGeometry().size()));

    m_header = new MainHeader(this);
    connect(m_header->backButton(), &QToolButton::clicked, this, &frmMain::imgBack_Click);

    m_overview = new SectionOverview;
    m_overviewPage = scrollArea(m_overview, theme::background, this);
    connect(m_overview, &SectionOverview::sectionChosen, this, &frmMain::ToonSectie);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_overviewPage);
    m_pages->addWidget(m_sectionPage = buildSectionPage());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_pages, 1);
}

QWidget *frmMain::buildSectionPage()
{
    auto *page = new QWidget(this);
    m_menu = new MenuColumn;
    connect(m_menu, &MenuColumn::rowClicked, this, &frmMain::menuRowClicked);
    QScrollArea *menuArea = scrollArea(m_menu, theme::rowNormal, page);
    menuArea->setFixedWidth(menuWidth);
    menuArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *divider = new QFrame(page);
    divider->setFrameShape(QFrame::VLine);
    divider->setFixedWidth(1);
    QPalette line = divider->palette();
    line.setColor(QPalette::WindowText, QColor(theme::border));
    divider->setPalette(line);

    // The content area scrolls the open screen in steps of 600 twips.
    m_content = scrollArea(nullptr, theme::card, page);
    m_content->verticalScrollBar()->setSingleStep(scrollStepTwips * logicalDpiY() / 1440);

    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(menuArea);
    layout->addWidget(divider);
    layout->addWidget(m_content, 1);
    return page;
}

} // namespace kv
