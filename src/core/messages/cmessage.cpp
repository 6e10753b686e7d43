#include "core/messages/cmessage.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/messages/messagestyle.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

namespace kv {
namespace {

constexpr QStringView help = u"Help";
constexpr QStringView copy = u"Kopie";

// F1 asks the window behind the message for its help.
void sendHelpKey(QWidget *window)
{
    QObject *target = window ? static_cast<QObject *>(window) : QCoreApplication::instance();
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}

} // namespace

CMessage::CMessage(QWidget *parent) : m_form(parent)
{
    QObject::connect(&m_form, &FMessage::ButtonClicked, &m_form, [this](int index) { buttonClicked(index); });
}

int CMessage::MsgBox(const QString &prompt, int style, const QString &title)
{
    const MessageStyle m = decodeMsgBoxStyle(style);
    m_form.MessageTitle = title;
    m_form.MessageIcon = m.icon;
    m_form.ButtonText = m.buttons;
    m_form.ButtonsUnload = QList<bool>(m.closes.begin(), m.closes.end());
    m_form.ButtonDefault = m.defaultButton;
    m_form.EscapeButton = m.escapeButton;
    m_form.AlignRight = m.alignRight;
    m_form.TopMost = m.topMost;
    m_form.ShowMessage(prompt);
    return msgBoxResult(m.buttonSet, m_form.SelectedButton());
}

void CMessage::DisplayError(const QString &message, bool withHelp)
{
    m_message = message;
    m_form.MessageTitle = TitelPrefix.toString();
    m_form.MessageIcon = mb::Critical;
    m_form.ButtonText = {QStringLiteral("Sluiten"), copy.toString()};
    m_form.ButtonsUnload = {true, false};
    if (withHelp) {
        m_form.ButtonText << help.toString();
        m_form.ButtonsUnload << false;
    }
    m_form.ButtonDefault = 0;
    m_form.EscapeButton = 0;
    m_form.AlignRight = false;
    m_form.TopMost = true;
    m_form.ShowMessage(message);
}

void CMessage::buttonClicked(int index)
{
    const QString caption = m_form.ButtonText.value(index);
    if (caption == help) {
        sendHelpKey(m_form.parentWidget());
    } else if (caption == copy) {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(m_message);
    }
}

} // namespace kv
