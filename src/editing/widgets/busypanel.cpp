#include "editing/widgets/busypanel.h"

#include "core/mainwindow/theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

BusyPanel::BusyPanel(QWidget *parent, bool canStop) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlBezig"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#pnlBezig { background: %1; border: 1px solid %2; }")
                      .arg(QColor(theme::background).name(), QColor(theme::border).name()));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    auto *title = new QLabel(QStringLiteral("De gegevens worden verwerkt..."), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_step = new QLabel(this);
    m_step->setObjectName(QStringLiteral("lblStap"));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    layout->addWidget(title);
    layout->addWidget(m_step);
    layout->addWidget(m_bar);
    if (canStop) {
        m_stop = new QPushButton(QStringLiteral("Afbreken"), this);
        m_stop->setObjectName(QStringLiteral("cmdAfbreken"));
        connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
        layout->addWidget(m_stop, 0, Qt::AlignRight);
    }
    setMaximumWidth(560);
    hide();
}

BusyPanel::~BusyPanel()
{
    finished();
}

void BusyPanel::step(const QString &text)
{
    if (!m_running) {
        m_running = true;
        m_stopRequested = false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_stop)
            qApp->installEventFilter(this);
        show();
    }
    m_step->setText(text);
    m_bar->setValue(0);
    paint();
}

void BusyPanel::percent(int value)
{
    if (value == m_bar->value())
        return;
    m_bar->setValue(value);
    paint();
}

bool BusyPanel::stopRequested()
{
    return m_stopRequested;
}

void BusyPanel::finished()
{
    if (!m_running)
        return;
    m_running = false;
    if (m_stop)
        qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    hide();
}

// While the work runs, only "Afbreken" and Escape reach the program.
bool BusyPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->isWindowType()) // the window hands its input on to the widgets, filtered there
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            m_stopRequested = true;
        return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        return watched != m_stop;
    default:
        return false;
    }
}

// Paints the panel; with "Afbreken" the user's input is taken too (the filter holds off all
// but the button and Escape).
void BusyPanel::paint()
{
    QCoreApplication::processEvents(m_stop ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace kv
