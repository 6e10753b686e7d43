#include "editing/widgets/typedlineedit.h"

#include "editing/fieldtypes.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

namespace kv {

TypedLineEdit::TypedLineEdit(const Separators &separators, const QString &fieldType, QWidget *parent)
    : QLineEdit(parent)
    , separators(separators)
    , type(fieldType)
{
    setAcceptDrops(false); // dropped text would pass the filter by
}

QString TypedLineEdit::filtered(const QString &typed) const
{
    QString kept;
    for (QChar c : typed) {
        if (const int code = FilterKey(c.unicode(), type, separators))
            kept += QChar(code);
    }
    return kept;
}

void TypedLineEdit::pasteFiltered()
{
    if (!isReadOnly())
        insert(filtered(QGuiApplication::clipboard()->text()));
}

void TypedLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed[0].isPrint();
    if (!printable || isReadOnly() || (event->modifiers() & Qt::ControlModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString kept = filtered(typed);
    if (kept == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!kept.isEmpty())
        insert(kept);
    event->accept();
}

void TypedLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        paste->disconnect(this);
        connect(paste, &QAction::triggered, this, &TypedLineEdit::pasteFiltered);
    }
    menu->exec(event->globalPos());
}

} // namespace kv
