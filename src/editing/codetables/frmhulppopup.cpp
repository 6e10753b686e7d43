#include "editing/codetables/frmhulppopup.h"

#include "core/context.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::codetables {

namespace {
constexpr int kMaxLength = 255; // the width of Omschrijving
}

bool hulpPopupOk(Context &ctx, const QString &oldText, const QString &newText)
{
    if (newText.trimmed() == oldText.trimmed())
        return false;
    ctx.EditMode = QStringLiteral("update");
    ctx.EditKey = newText;
    return true;
}

FrmHulpPopup::FrmHulpPopup(Context &ctx, const QString &tableKey, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_old(ctx.EditKey)
{
    setObjectName(QStringLiteral("frmHulpPopup"));
    setWindowTitle(QStringLiteral("Omschrijving wijzigen"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("Omschrijving:"), this));
    if (tableKey.compare(u"tabelsluitregel", Qt::CaseInsensitive) == 0) {
        m_lines = new QPlainTextEdit(this);
        m_lines->setMinimumSize(480, 140);
        layout->addWidget(m_lines);
    } else {
        m_line = new QLineEdit(this);
        m_line->setMaxLength(kMaxLength);
        m_line->setMinimumWidth(420);
        layout->addWidget(m_line);
    }
    setText(m_old);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("cmdOK"));
    buttons->addButton(QStringLiteral("&Sluiten"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmHulpPopup::ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString FrmHulpPopup::text() const
{
    return m_line ? m_line->text() : m_lines->toPlainText().left(kMaxLength);
}

// The cursor goes to the end, ready to add to the text.
void FrmHulpPopup::setText(const QString &text)
{
    if (m_line) {
        m_line->setText(text);
        m_line->setCursorPosition(int(text.size()));
        m_line->setFocus();
    } else {
        m_lines->setPlainText(text);
        m_lines->moveCursor(QTextCursor::End);
        m_lines->setFocus();
    }
}

// Showing the window selects the whole line; the cursor belongs at the end.
void FrmHulpPopup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { setText(text()); });
}

void FrmHulpPopup::ok()
{
    hulpPopupOk(m_ctx, m_old, text());
    accept();
}

} // namespace kv::codetables
