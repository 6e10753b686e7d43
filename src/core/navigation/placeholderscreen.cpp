#include "core/navigation/placeholderscreen.h"

#include "core/context.h"
#include "core/mainwindow/theme.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kv {

PlaceholderScreen::PlaceholderScreen(const QString &screen, const QString &title, const Context &ctx, QWidget *parent)
    : ChildScreen(parent), m_screen(screen), m_title(title)
{
    // The code-table editor learns its table from the edit context while it loads.
    if (screen == u"frmHulp")
        m_table = ctx.EditKey;

    auto *heading = new QLabel(title, this);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    heading->setFont(font);

    const QString what = m_table.isEmpty() ? screen : QStringLiteral("Codetabel %1").arg(m_table);
    auto *name = new QLabel(what, this);
    auto *note = new QLabel(QStringLiteral("Dit scherm is nog in aanbouw."), this);
    QPalette muted = note->palette();
    muted.setColor(QPalette::WindowText, QColor(theme::mutedText));
    name->setPalette(muted);
    note->setPalette(muted);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 28);
    layout->setSpacing(8);
    for (QLabel *label : {heading, name, note}) {
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    layout->addStretch();
}

} // namespace kv
