#include "core/messages/fmessage.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {

// The width bounds of the window, 5145 and 8715 twips, in pixels of the screen.
int twipsToPixels(const QWidget *w, int twips)
{
    return twips * w->logicalDpiX() / 1440;
}

QStyle::StandardPixmap pixmapFor(int icon)
{
    switch (icon) {
    case 16: return QStyle::SP_MessageBoxCritical;
    case 32: return QStyle::SP_MessageBoxQuestion;
    case 48: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

bool hasIcon(int icon)
{
    return icon == 16 || icon == 32 || icon == 48 || icon == 64;
}

} // namespace

FMessage::FMessage(QWidget *parent)
    : QDialog(parent), m_icon(new QLabel(this)), m_text(new QLabel(this)), m_buttonRow(new QHBoxLayout)
{
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *message = new QHBoxLayout;
    message->setSpacing(16);
    message->addWidget(m_icon);
    message->addWidget(m_text, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(20);
    layout->addLayout(message);
    layout->addLayout(m_buttonRow);
    m_buttonRow->addStretch();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *FMessage::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void FMessage::build(const QString &text)
{
    setWindowTitle(MessageTitle);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (EscapeButton >= 0)
        flags |= Qt::WindowCloseButtonHint;
    if (TopMost)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);

    m_icon->setVisible(hasIcon(MessageIcon));
    if (hasIcon(MessageIcon))
        m_icon->setPixmap(style()->standardIcon(pixmapFor(MessageIcon), nullptr, this).pixmap(40, 40));
    m_text->setText(text);
    m_text->setAlignment((AlignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);

    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (int i = 0; i < std::min<int>(ButtonText.size(), 4); ++i) {
        auto *b = new QPushButton(ButtonText[i], this);
        b->setMinimumWidth(96);
        connect(b, &QPushButton::clicked, this, [this, i] { buttonClicked(i); });
        m_buttonRow->addWidget(b);
        m_buttons << b;
    }

    // The width follows the longest line of the text, within the window's bounds.
    int textWidth = 0;
    for (const QString &line : text.split(u'\n'))
        textWidth = std::max(textWidth, m_text->fontMetrics().horizontalAdvance(line));
    const int chrome = 40 + (hasIcon(MessageIcon) ? 56 : 0);
    const int width = std::clamp(textWidth + chrome, twipsToPixels(this, 5145), twipsToPixels(this, 8715));
    m_text->setFixedWidth(width - chrome);
}

void FMessage::ShowMessage(const QString &text)
{
    build(text);
    m_selected = -1;
    if (QPushButton *b = button(ButtonDefault)) {
        b->setDefault(true);
        b->setFocus();
    }
    exec();
}

void FMessage::buttonClicked(int index)
{
    m_selected = index;
    if (index < ButtonsUnload.size() && ButtonsUnload[index])
        accept();
    else
        Q_EMIT ButtonClicked(index);
}

void FMessage::reject()
{
    if (button(EscapeButton))
        buttonClicked(EscapeButton);
}

} // namespace kv
