#include "editing/widgets/taskform.h"

#include "editing/widgets/busypanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

TaskForm::TaskForm(QWidget *screen, int spacing) : m_screen(screen), m_layout(new QVBoxLayout(screen))
{
    m_layout->setContentsMargins(24, 20, 24, 20);
    m_layout->setSpacing(spacing);
}

QLabel *TaskForm::caption(const QString &text)
{
    auto *label = new QLabel(text, m_screen);
    QFont big = label->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    label->setFont(big);
    m_layout->addWidget(label);
    return label;
}

QLabel *TaskForm::text(const QString &text, const char *name, bool bold)
{
    auto *label = new QLabel(text, m_screen);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    m_layout->addWidget(label);
    return label;
}

QPushButton *TaskForm::button(const QString &text, const char *name)
{
    auto *row = m_buttonRow = new QHBoxLayout;
    auto *button = new QPushButton(text, m_screen);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(120);
    row->addWidget(button);
    row->addStretch();
    m_layout->addLayout(row);
    return button;
}

void TaskForm::beside(QWidget *widget)
{
    if (widget)
        m_buttonRow->insertWidget(m_buttonRow->count() - 1, widget); // before the stretch
}

void TaskForm::end(BusyPanel *busy)
{
    m_layout->addWidget(busy);
    m_layout->addStretch();
}

} // namespace kv
