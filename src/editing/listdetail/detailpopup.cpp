#include "editing/listdetail/detailpopup.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/mainwindow/theme.h"
#include "editing/ledger/grootboekrekeningwidget.h"
#include "editing/listdetail/listscreen.h"
#include "editing/listdetail/members/members.h"
#include "editing/selection/frmselectiescherm.h"
#include "editing/widgets/typedlineedit.h"
#include "editing/widgets/yesno.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace kv::listdetail {

namespace {

// The type keyword that filters what can be typed into a field of this kind.
QString typeKeyword(Kind kind)
{
    switch (kind) {
    case Kind::Number: return QStringLiteral("NUMERIEK");
    case Kind::Decimal: return QStringLiteral("GETAL");
    case Kind::Amount:
    case Kind::AmountText: return QStringLiteral("BEDRAG");
    case Kind::Date: return QStringLiteral("DATUM");
    default: return {};
    }
}

constexpr int rowsPerColumn = 10; // longer popups get a second column of fields

} // namespace

DetailPopup::DetailPopup(Context &ctx, const Member &member, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_logic(ctx, member)
{
    setObjectName(member.popup);
    setWindowTitle(member.caption + (member.captionField.isEmpty() ? QString() : m_logic.text(member.captionField)));
    setModal(true);
    m_logic.selectionWindow = [this](const QString &kind, const QString &start) {
        m_ctx.EditKey = start;
        const QString picked = toonSelectieScherm(m_ctx, kind, this);
        m_ctx.EditKey.clear();
        m_ctx.SelectieResultaat().clear();
        return picked;
    };
    m_logic.stored = [this] { showTexts(); };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(16);
    layout->addLayout(fieldGrid());
    if (member.section)
        layout->addWidget(member.section(*this));
    layout->addStretch();
    layout->addLayout(buttonRow());
    // The window takes the room its fields ask for: a dialog's own sizing stops at two thirds
    // of the screen and would cut the names beside the fields of the long popups.
    resize(sizeHint().boundedTo(screen()->availableSize()));
}

// One label and control per shown field; long popups in two columns.
QGridLayout *DetailPopup::fieldGrid()
{
    const Member &member = m_logic.member();
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    const int shown = int(std::count_if(member.fields.begin(), member.fields.end(),
                                        [](const Field &field) { return !field.caption.isEmpty(); }));
    const int perColumn = shown > rowsPerColumn + 2 ? (shown + 1) / 2 : shown;
    int at = 0;
    for (const Field &field : member.fields) {
        if (field.caption.isEmpty())
            continue;
        QWidget *editor = editorFor(field);
        auto *label = new QLabel(field.caption, this);
        label->setBuddy(editor);
        if (field.shows)
            editor = withName(editor, field);
        if (field.advice)
            editor = withAdvice(editor, field);
        const int row = at % perColumn, column = (at / perColumn) * 3;
        grid->addWidget(label, row, column);
        grid->addWidget(editor, row, column + 1, field.kind == Kind::YesNo ? Qt::AlignLeft : Qt::Alignment());
        if (column > 0)
            grid->setColumnMinimumWidth(column - 1, 24);
        ++at;
    }
    return grid;
}

QHBoxLayout *DetailPopup::buttonRow()
{
    const Member &member = m_logic.member();
    auto *ok = new QPushButton(tr("OK"), this);
    auto *close = new QPushButton(tr("Sluiten"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    close->setObjectName(QStringLiteral("cmdClose"));
    ok->setDefault(true);
    // The buttons take no focus on a click, so leaving a field checks it once, not twice.
    for (QPushButton *button : {ok, close}) {
        button->setFocusPolicy(Qt::TabFocus);
        button->setMinimumWidth(100);
    }
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_logic.save())
            accept();
        else
            showTexts(); // another program's values, where the user chose to keep those
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    if (member.link) {
        auto *link = new QLabel(u"<a href=\"#\">" + member.link->caption.toHtmlEscaped() + u"</a>", this);
        link->setObjectName(QStringLiteral("lblLink"));
        connect(link, &QLabel::linkActivated, this, &DetailPopup::openLink);
        buttons->addWidget(link);
    }
    if (member.subList) {
        auto *open = new QPushButton(member.subList->caption, this);
        open->setObjectName(QStringLiteral("cmdSubList"));
        open->setFocusPolicy(Qt::TabFocus);
        connect(open, &QPushButton::clicked, this, &DetailPopup::openSubList);
        buttons->addWidget(open);
    }
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    return buttons;
}

QWidget *DetailPopup::editorFor(const Field &field)
{
    if (field.kind == Kind::YesNo && field.choices.size() == 2) { // the two states by name
        auto *pick = new QComboBox(this);
        pick->addItems(field.choices);
        pick->setCurrentIndex(m_logic.text(field.name) == u"on" ? 1 : 0);
        connect(pick, &QComboBox::currentIndexChanged, this, [this, name = field.name](int item) {
            m_logic.setText(name, item == 1 ? QStringLiteral("on") : QStringLiteral("off"));
        });
        pick->setObjectName(field.name);
        m_editors[field.name] = pick;
        return pick;
    }
    if (field.kind == Kind::YesNo) {
        auto *toggle = new YesNo(this);
        toggle->setState(m_logic.text(field.name));
        connect(toggle, &YesNo::stateChanged, this, [this, name = field.name](const QString &state) {
            m_logic.setText(name, state);
        });
        m_editors[field.name] = toggle;
        toggle->setObjectName(field.name);
        return toggle;
    }
    if (!field.choices.isEmpty() || field.choicesFrom)
        return choiceFor(field);
    if (field.kind == Kind::LedgerAccount) {
        auto *account = new GrootboekRekeningWidget(m_ctx, this);
        account->setObjectName(field.name);
        account->setNummer(m_logic.text(field.name));
        connect(account, &GrootboekRekeningWidget::gewijzigd, this, [this, name = field.name](const QString &nummer) {
            m_logic.setText(name, nummer);
            showTexts(name);
        });
        m_editors[field.name] = account;
        return account;
    }
    auto *edit = new TypedLineEdit(m_ctx.separators, typeKeyword(field.kind), this);
    edit->setObjectName(field.name);
    edit->setText(m_logic.text(field.name));
    edit->setReadOnly(field.readOnly);
    edit->setEnabled(!field.readOnly);
    edit->setMinimumWidth(field.kind == Kind::Text ? 260 : 140);
    connect(edit, &QLineEdit::textEdited, this, [this, &field](const QString &text) {
        m_logic.setText(field.name, text);
        showTexts(field.name);
        if (text.contains(u'*') && field.pickable())
            QTimer::singleShot(0, this, [this, &field] { pick(field); });
    });
    edit->installEventFilter(this);
    m_fields[edit] = &field;
    m_editors[field.name] = edit;
    return edit;
}

// A pick list: a text field stores the text chosen, a number field the choice's value. A
// number no choice stores (a group since deleted) shows no choice at all.
QWidget *DetailPopup::choiceFor(const Field &field)
{
    auto *pick = new QComboBox(this);
    for (const DetailLogic::Choice &choice : m_logic.choices(field.name))
        pick->addItem(choice.text, choice.value);
    const int at = pick->findData(m_logic.text(field.name));
    pick->setCurrentIndex(field.choosesNumber() ? at : std::max(0, at));
    if (pick->currentIndex() >= 0)
        m_logic.setText(field.name, pick->currentData().toString());
    connect(pick, &QComboBox::currentIndexChanged, this, [this, pick, name = field.name](int item) {
        if (item < 0)
            return;
        m_logic.setText(name, pick->itemData(item).toString());
        showTexts(name);
    });
    pick->setObjectName(field.name);
    pick->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_editors[field.name] = pick;
    return pick;
}

// A field is left when the focus moves to another control of the window; a message box that
// takes the focus (the window is then no longer active) does not count.
bool DetailPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && m_fields.contains(watched)) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            leave(*m_fields[watched]);
    }
    return QDialog::eventFilter(watched, event);
}

// A field with advice gets it on a line below, kept up to date while typing.
QWidget *DetailPopup::withAdvice(QWidget *editor, const Field &field)
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *advice = new QLabel(box);
    advice->setObjectName(field.name + u"Advies");
    advice->setWordWrap(true);
    advice->setStyleSheet(QStringLiteral("color: %1;").arg(QColor(theme::advice).name()));
    column->addWidget(editor);
    column->addWidget(advice);
    m_advice[field.name] = advice;
    showAdvice(field);
    return box;
}

void DetailPopup::showAdvice(const Field &field)
{
    if (QLabel *advice = field.advice ? m_advice.value(field.name) : nullptr) {
        advice->setText(field.advice(m_logic.text(field.name)));
        advice->setVisible(!advice->text().isEmpty());
    }
}

// A field that refers to another record gets that record's name beside it.
QWidget *DetailPopup::withName(QWidget *editor, const Field &field)
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    editor->setMinimumWidth(110);
    editor->setMaximumWidth(140);
    auto *name = new QLabel(m_logic.shownName(field.name), box);
    name->setObjectName(field.name + u"Naam");
    name->setMinimumWidth(200);
    row->addWidget(editor);
    if (field.pickable()) {
        auto *search = new QToolButton(box);
        search->setObjectName(field.name + u"Zoeken");
        search->setText(QStringLiteral("…"));
        search->setToolTip(tr("Zoeken (of typ * in het veld)"));
        search->setFocusPolicy(Qt::NoFocus);
        connect(search, &QToolButton::clicked, this, [this, &field] { pick(field); });
        row->addWidget(search);
    }
    row->addWidget(name, 1);
    m_names[field.name] = name;
    return box;
}

void DetailPopup::leave(const Field &field)
{
    if (m_leaving)
        return; // the message box of a failed check takes the focus as well
    m_leaving = true;
    auto *edit = static_cast<QLineEdit *>(m_editors[field.name]);
    if (m_logic.leave(field.name)) {
        edit->setText(m_logic.text(field.name));
        if (QLabel *name = m_names.value(field.name))
            name->setText(m_logic.shownName(field.name));
        Q_EMIT fieldLeft(field.name);
    }
    else
        QTimer::singleShot(0, edit, [edit] { edit->setFocus(); edit->selectAll(); });
    m_leaving = false;
}

// Controls whose text differs from the logic's are shown again; the one being typed in
// (`except`) keeps its cursor.
void DetailPopup::showTexts(const QString &except)
{
    for (const Field &field : m_logic.member().fields) {
        showAdvice(field); // also under the field being typed in
        if (field.name == except)
            continue;
        const QString text = m_logic.text(field.name);
        QWidget *editor = m_editors.value(field.name);
        if (auto *toggle = qobject_cast<YesNo *>(editor))
            toggle->setState(text);
        else if (auto *choice = qobject_cast<QComboBox *>(editor); choice && field.kind == Kind::YesNo)
            choice->setCurrentIndex(text == u"on" ? 1 : 0);
        else if (choice && choice->currentData().toString() != text)
            choice->setCurrentIndex(choice->findData(text));
        else if (auto *account = qobject_cast<GrootboekRekeningWidget *>(editor); account && account->nummer() != text)
            account->setNummer(text);
        else if (auto *edit = qobject_cast<QLineEdit *>(editor); edit && edit->text() != text)
            edit->setText(text);
        if (QLabel *name = m_names.value(field.name))
            name->setText(m_logic.shownName(field.name));
    }
}

void DetailPopup::pick(const Field &field)
{
    auto *edit = static_cast<QLineEdit *>(m_editors[field.name]);
    m_logic.pick(field.name);
    edit->setText(m_logic.text(field.name));
    m_names[field.name]->setText(m_logic.shownName(field.name));
    edit->setFocus();
}

// The other member's list in a window of its own; the edit context is this popup's no more.
void DetailPopup::openSubList()
{
    const Member *other = findMember(m_logic.member().subList->screen);
    if (!other)
        return;
    QDialog window(this);
    window.setWindowTitle(m_logic.member().subList->caption);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new ListScreen(m_ctx, *other, &window));
    window.resize(520, 420);
    window.exec();
}

void DetailPopup::openLink()
{
    const Link &link = *m_logic.member().link;
    const QString tail = link.field.isEmpty() ? QString() : QString::fromUtf8(QUrl::toPercentEncoding(m_logic.text(link.field).trimmed()));
    m_ctx.dialogs->OpenDocument(link.url + tail);
}

} // namespace kv::listdetail
