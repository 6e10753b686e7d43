#include "core/messages/qtdialogservice.h"

#include "core/context.h"
#include "core/messages/cmessage.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace kv {

int QtDialogService::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    CMessage message(m_window);
    return message.MsgBox(prompt, buttons, title.isEmpty() ? TitelPrefix.toString() : title);
}

void QtDialogService::DisplayError(const QString &message, bool withHelp)
{
    CMessage(m_window).DisplayError(message, withHelp);
}

bool QtDialogService::OpenDocument(const QString &pathOrAddress)
{
    const QUrl url = QUrl::fromUserInput(pathOrAddress, QString(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

std::optional<QColor> QtDialogService::ChooseColour(const QColor &current)
{
    const QColor chosen = QColorDialog::getColor(current, m_window, QStringLiteral("Kleur kiezen"));
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

QString QtDialogService::ChooseFolder(const QString &current, const QString &title)
{
    return QFileDialog::getExistingDirectory(m_window, title.isEmpty() ? QStringLiteral("Map kiezen") : title, current);
}

namespace {

// "XML Auditfile (*.xaf) | *.xaf": the dialog shows each description, whose pattern it reads;
// a description without one ("Alle bestanden|*.*") gets it.
QString dialogFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList shown;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        shown << (description.contains(u'(') ? description : description + QStringLiteral(" (") + parts[i + 1].trimmed() + u')');
    }
    return shown.join(QStringLiteral(";;"));
}

} // namespace

QString QtDialogService::SaveFile(const QString &title, const QString &filter, const QString &proposed)
{
    return QFileDialog::getSaveFileName(m_window, title, proposed, dialogFilter(filter));
}

QString QtDialogService::OpenFile(const QString &title, const QString &filter, const QString &start)
{
    return QFileDialog::getOpenFileName(m_window, title, start, dialogFilter(filter));
}

} // namespace kv
