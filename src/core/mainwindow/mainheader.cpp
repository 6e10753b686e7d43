#include "core/mainwindow/mainheader.h"

#include "core/mainwindow/theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace kv {
namespace {

QLabel *label(const QString &text, qreal scale, bool bold, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont font = l->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

} // namespace

MainHeader::MainHeader(QWidget *parent)
    : QWidget(parent), m_back(new QToolButton(this)), m_caption(label(QString(), 1.35, true, this)), m_saving(new QWidget(this))
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(theme::header));
    palette.setColor(QPalette::WindowText, QColor(theme::headerText));
    palette.setColor(QPalette::ButtonText, QColor(theme::headerText));
    setPalette(palette);
    setFixedHeight(56);

    m_back->setText(QStringLiteral("\u2190")); // ←
    m_back->setToolTip(QStringLiteral("Terug naar het overzicht"));
    m_back->setAutoRaise(true);
    m_back->setCursor(Qt::PointingHandCursor);
    m_back->setFixedSize(40, 40);
    QFont arrow = m_back->font();
    arrow.setPixelSize(22);
    m_back->setFont(arrow);

    auto *savingLayout = new QHBoxLayout(m_saving);
    savingLayout->setContentsMargins(0, 0, 0, 0);
    savingLayout->setSpacing(8);
    savingLayout->addWidget(label(QStringLiteral("\u2714"), 1.2, false, m_saving)); // ✔
    savingLayout->addWidget(label(QStringLiteral("Gegevens opslaan..."), 1.0, false, m_saving));
    m_saving->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 0, 24, 0);
    layout->setSpacing(8);
    layout->addWidget(m_back);
    layout->addWidget(m_caption, 1);
    layout->addWidget(m_saving);
}

QString MainHeader::caption() const
{
    return m_caption->text();
}

void MainHeader::setCaption(const QString &caption)
{
    m_caption->setText(caption);
}

bool MainHeader::isSavingShown() const
{
    return !m_saving->isHidden();
}

void MainHeader::setSavingShown(bool shown)
{
    m_saving->setVisible(shown);
}

} // namespace kv
