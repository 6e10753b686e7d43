#include "core/mainwindow/sectionoverview.h"

#include "core/mainwindow/sectionpanelbutton.h"
#include "core/mainwindow/sectionpanels.h"

#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {

constexpr int margin = 32;
constexpr int spacing = 16;

} // namespace

SectionOverview::SectionOverview(QWidget *parent)
    : QWidget(parent), m_company(new QLabel(this)), m_grid(new QGridLayout)
{
    QFont font = m_company->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    m_company->setFont(font);
    m_company->setTextFormat(Qt::PlainText);
    m_company->hide();
    m_grid->setSpacing(spacing);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin - 8, margin, margin);
    layout->setSpacing(20);
    layout->addWidget(m_company);
    layout->addLayout(m_grid);
    layout->addStretch(); // panels keep to the top
    const std::vector<SectionPanel> &panels = sectionPanels();
    for (size_t i = 0; i < panels.size(); ++i) {
        auto *panel = new SectionPanelButton(panels[i], this);
        connect(panel, &SectionPanelButton::clicked, this, [this, i] { Q_EMIT sectionChosen(int(i)); });
        m_panels.push_back(panel);
    }
    arrange(4);
}

void SectionOverview::setCompany(const QString &name)
{
    m_company->setText(name);
    m_company->setVisible(!name.isEmpty());
}

void SectionOverview::resizeEvent(QResizeEvent *event)
{
    // As many columns of panels as fit, between two and five.
    const int perPanel = m_panels.front()->sizeHint().width() + spacing;
    arrange(std::clamp((event->size().width() - 2 * margin + spacing) / perPanel, 2, 5));
    QWidget::resizeEvent(event);
}

void SectionOverview::arrange(int columns)
{
    if (columns == m_columns)
        return;
    m_columns = columns;
    for (SectionPanelButton *panel : m_panels)
        m_grid->removeWidget(panel);
    for (size_t i = 0; i < m_panels.size(); ++i)
        m_grid->addWidget(m_panels[i], int(i) / columns, int(i) % columns);
    // Columns that emptied keep no width.
    for (int column = 0; column < m_grid->columnCount(); ++column)
        m_grid->setColumnStretch(column, column < columns ? 1 : 0);
}

} // namespace kv
