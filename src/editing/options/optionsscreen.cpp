#include "editing/options/optionsscreen.h"

#include "core/context.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "core/db/database.h"
#include "core/dialogs.h"
#include "core/mainwindow/theme.h"
#include "core/session/session.h"
#include "editing/busycursor.h"
#include "editing/codetables/combos.h"
#include "editing/ledger/grootboekrekeningwidget.h"
#include "editing/listdetail/detaillogic.h"
#include "editing/listdetail/values.h"
#include "editing/numbers.h"
#include "editing/options/pathstatus.h"
#include "editing/options/pickslists.h"
#include "editing/widgets/yesno.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::options {
namespace {

// A folder or a file: a path field with a button that picks it.
bool isPath(Control kind)
{
    return kind == Control::Folder || kind == Control::File;
}

// Colours are kept as the suite's programs keep them: red + 256 green + 65536 blue.
QColor colourOf(const QString &number)
{
    const int n = number.toInt();
    return QColor(n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF);
}

QString numberOf(const QColor &colour)
{
    return QString::number(colour.red() + 256 * colour.green() + 65536 * colour.blue());
}

// A column for a few characters gets a field of the width of a number.
bool shortColumn(Context &ctx, const Option &option)
{
    const db::TableInfo &table = ctx.session->DBAdmin().table(option.table.isEmpty() ? QStringLiteral("UserGegevens") : option.table);
    const int size = table.columns[size_t(table.column(option.name))].size;
    return size > 0 && size <= 12;
}

void showColour(QPushButton *swatch, const QString &number)
{
    swatch->setText(number.isEmpty() ? QStringLiteral("standaard") : QString());
    swatch->setStyleSheet(number.isEmpty() ? QString()
                                           : u"background-color: " + colourOf(number).name() + u"; border: 1px solid #777;");
}

} // namespace

OptionsScreen::OptionsScreen(Context &ctx, const OptionScreen &screen) : m_ctx(ctx), m_logic(ctx, screen)
{
    setObjectName(screen.screen);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);

    auto *caption = new QLabel(QString(screen.caption).replace(QStringLiteral("&&"), QStringLiteral("&")), this);
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    caption->setFont(big);
    layout->addWidget(caption);
    if (!screen.intro.isEmpty()) {
        auto *intro = new QLabel(screen.intro, this);
        intro->setWordWrap(true);
        intro->setMaximumWidth(720); // lines a reader can follow on a wide console
        layout->addWidget(intro);
        layout->addSpacing(6); // the explanation apart from the first option
    }

    // One row per option, top to bottom: a switch and its caption (and the field that belongs
    // to it, one without a caption of its own), a field beside its caption, or a group of
    // choices. Field captions share one width, so the fields line up.
    int captionWidth = 0;
    for (const Option &option : screen.options)
        if (option.kind != Control::Toggle && option.kind != Control::Choice && option.kind != Control::Heading
            && !isPath(option.kind) && option.kind != Control::Button)
            captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(option.caption));
    auto *rows = new QVBoxLayout;
    rows->setSpacing(8);
    QHBoxLayout *lastRow = nullptr; // where a field without a caption joins the row before it
    for (int i = 0; i < int(screen.options.size()); ++i) {
        const Option &option = screen.options[size_t(i)];
        QWidget *control = makeControl(i);
        m_controls.push_back(control);
        if (!control)
            continue;
        control->setEnabled(!m_logic.locked(i) && !option.readOnly);
        if (option.kind == Control::Heading)
            rows->addSpacing(10);
        else if (i > 0 && (option.kind == Control::Choice || option.kind == Control::Toggle)
                 && (screen.options[size_t(i - 1)].kind == Control::Choice || screen.options[size_t(i - 1)].kind == Control::Button))
            rows->addSpacing(8); // groups of choices apart from each other and from the switches
        if (option.kind == Control::Choice || option.kind == Control::Heading || option.kind == Control::Picks) {
            rows->addWidget(control);
            lastRow = nullptr;
            continue;
        }
        if (option.kind == Control::Button) { // beside the row before it, or on a row of its own
            if (lastRow) {
                lastRow->insertWidget(lastRow->count() - 1, control);
            } else {
                auto *row = new QHBoxLayout;
                row->addWidget(control);
                row->addStretch();
                rows->addLayout(row);
            }
            if (screen.remark) // what it set up
                rows->addWidget(remarkLabel(i, 0));
            continue;
        }
        if (option.caption.isEmpty() && lastRow) {
            lastRow->insertWidget(lastRow->count() - 1, control);
            continue;
        }
        auto *row = new QHBoxLayout;
        row->setSpacing(12);
        auto *label = new QLabel(option.caption, this);
        if (!option.note.isEmpty() && option.kind == Control::Toggle) {
            label->setText(option.caption + u"<br><small>" + option.note.toHtmlEscaped() + u"</small>");
            label->setTextFormat(Qt::RichText);
        }
        if (option.kind == Control::Toggle) {
            row->addWidget(control);
            row->addWidget(label);
        } else {
            // a folder's long caption keeps its own width
            if (!isPath(option.kind) || fontMetrics().horizontalAdvance(option.caption) <= captionWidth)
                label->setFixedWidth(captionWidth + 8);
            row->addWidget(label);
            row->addWidget(control);
            if (!option.note.isEmpty()) // a unit after the field
                row->addWidget(new QLabel(option.note, this));
        }
        if (m_logic.locked(i))
            row->addWidget(releaseButton(i));
        row->addStretch();
        rows->addLayout(row);
        lastRow = row;
        if (screen.remark && option.kind != Control::Toggle) // under the field, not its caption
            rows->addWidget(remarkLabel(i, isPath(option.kind) ? 0 : captionWidth + 8 + row->spacing()));
    }
    layout->addLayout(rows);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    if (!screen.saveOnLeave) { // otherwise written when the screen is left
        auto *save = new QPushButton(screen.saveCaption.isEmpty() ? QStringLiteral("Opslaan") : screen.saveCaption, this);
        save->setObjectName(QStringLiteral("cmdSave"));
        save->setMinimumWidth(120);
        connect(save, &QPushButton::clicked, this, &OptionsScreen::cmdSave_Click);
        buttons->addWidget(save);
    }
    auto *undo = new QPushButton(QStringLiteral("Laatste wijziging ongedaan maken"), this);
    undo->setObjectName(QStringLiteral("cmdUndo"));
    connect(undo, &QPushButton::clicked, this, &OptionsScreen::cmdUndo_Click);
    buttons->addWidget(undo);
    buttons->addStretch();
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();
    showStates();
}

// A field that has the focus when the screen goes finishes its editing while the widgets are
// taken down, after the logic is gone: its checks must not run then.
OptionsScreen::~OptionsScreen()
{
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->disconnect(this);
}

// The line under a control, `indent` from the left; shown when the screen has something to say.
QLabel *OptionsScreen::remarkLabel(int option, int indent)
{
    auto *remark = new QLabel(this);
    remark->setObjectName(u"opmerking " + m_logic.screen().options[size_t(option)].control);
    remark->setWordWrap(true);
    remark->setIndent(indent);
    remark->hide();
    m_remarks.emplace_back(option, remark);
    return remark;
}

// The icon beside a locked field: releases it after asking.
QToolButton *OptionsScreen::releaseButton(int i)
{
    auto *release = new QToolButton(this);
    release->setObjectName(u"cmdVrijgeven" + m_logic.screen().options[size_t(i)].control.section(u' ', 1));
    const Option &option = m_logic.screen().options[size_t(i)];
    release->setText(option.releaseCaption.isEmpty() ? QStringLiteral("Vrijgeven") : option.releaseCaption);
    release->setToolTip(QStringLiteral("Veld vrijgeven om te wijzigen"));
    connect(release, &QToolButton::clicked, this, [this, i, release] {
        if (!m_logic.release(i))
            return;
        release->hide();
        m_controls[size_t(i)]->setEnabled(true);
        m_controls[size_t(i)]->setFocus();
    });
    return release;
}

QWidget *OptionsScreen::makeControl(int i)
{
    const Option &option = m_logic.screen().options[size_t(i)];
    switch (option.kind) {
    case Control::Along:
        return nullptr;
    case Control::Colour: {
        auto *swatch = new QPushButton(this);
        swatch->setFixedSize(96, 24);
        connect(swatch, &QPushButton::clicked, this, [this, i, swatch] {
            const QString &state = m_logic.state(i);
            const std::optional<QColor> chosen = m_ctx.dialogs->ChooseColour(state.isEmpty() ? QColor(Qt::white) : colourOf(state));
            if (!chosen)
                return; // cancelled: the swatch stays as it was
            m_logic.setState(i, numberOf(*chosen));
            showColour(swatch, m_logic.state(i));
        });
        return swatch;
    }
    case Control::Folder:
    case Control::File: {
        auto *box = new QWidget(this);
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        auto *path = new QLineEdit(box);
        path->setMinimumWidth(360);
        auto *pick = new QToolButton(box);
        pick->setObjectName((option.kind == Control::File ? u"cmdBestand" : u"cmdMap") + option.control.section(u' ', 1));
        pick->setText(QStringLiteral("..."));
        // Whether the path can be used, as the links check of the tool says it.
        auto *status = new QLabel(box);
        status->setObjectName(u"lblStatus" + option.control.section(u' ', 1));
        status->setMinimumWidth(status->fontMetrics().horizontalAdvance(QStringLiteral("niet ingesteld")) + 8);
        connect(path, &QLineEdit::textChanged, status, [status, kind = option.kind](const QString &text) {
            const QString state = pathStatus(kind, text);
            status->setText(state);
            status->setStyleSheet(isBroken(state) ? QStringLiteral("color: #b00020")
                                  : state == u"ok" ? QStringLiteral("color: #2e7d32")
                                                   : QStringLiteral("color: palette(mid)"));
        });
        row->addWidget(path);
        row->addWidget(pick);
        row->addWidget(status);
        connect(path, &QLineEdit::textEdited, this, [this, i](const QString &text) { m_logic.setState(i, text); });
        connect(path, &QLineEdit::editingFinished, this, [this, i, path] {
            if (!leaveField(i))
                QTimer::singleShot(0, path, [path] { path->setFocus(); });
            showStates();
        });
        connect(pick, &QToolButton::clicked, this, [this, i] {
            const QString before = m_logic.state(i);
            const Option &row = m_logic.screen().options[size_t(i)];
            const QString path = row.kind == Control::File ? m_ctx.dialogs->SaveFile(row.dialogTitle, row.filter, before)
                                                           : m_ctx.dialogs->ChooseFolder(before, row.dialogTitle);
            if (path.isEmpty())
                return;
            m_logic.setState(i, QDir::toNativeSeparators(path));
            if (!leaveField(i)) // a path the screen does not take: the one before stays
                m_logic.setState(i, before);
            showStates();
        });
        return box;
    }
    case Control::Account: {
        auto *account = new GrootboekRekeningWidget(m_ctx, this);
        connect(account, &GrootboekRekeningWidget::gewijzigd, this, [this, i](const QString &n) { m_logic.setState(i, n); });
        return account;
    }
    case Control::Picks: {
        auto *lists = new PicksLists(option, this);
        connect(lists, &PicksLists::keysChanged, this, [this, i](const QString &keys) { m_logic.setState(i, keys); });
        return lists;
    }
    case Control::Toggle: {
        auto *toggle = new YesNo(this);
        connect(toggle, &YesNo::stateChanged, this, [this, i](const QString &state) { choose(i, state); });
        return toggle;
    }
    case Control::Choice: {
        auto *box = new QWidget(this);
        auto *column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        auto *group = new QButtonGroup(box);
        for (int item = 0; item < option.items.size(); ++item) {
            auto *button = new QRadioButton(option.items[item], box);
            button->setToolTip(QStringLiteral(" Klik om te selecteren "));
            group->addButton(button, item);
            column->addWidget(button);
        }
        connect(group, &QButtonGroup::idClicked, this, [this, i](int item) { choose(i, QString::number(item)); });
        return box;
    }
    case Control::Heading: {
        auto *heading = new QLabel(option.caption, this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        return heading;
    }
    case Control::Combo: {
        auto *combo = new QComboBox(this);
        if (option.encoding == Encoding::CodeKey) { // a code table's entries, by key
            codetables::FillCombo(combo, m_ctx.session->table(option.codeTable), QStringLiteral("(geen)"));
            connect(combo, &QComboBox::activated, this, [this, i, combo] {
                const int key = combo->currentData().toInt();
                choose(i, key < 0 ? QString() : QString::number(key));
            });
            return combo;
        }
        if (option.entries) { // entries of its own, each storing its text
            combo->setMinimumWidth(360);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            connect(combo, &QComboBox::activated, this, [this, i, combo] { choose(i, combo->currentData().toString()); });
            return combo;
        }
        combo->addItems(option.items);
        connect(combo, &QComboBox::activated, this, [this, i](int item) { choose(i, QString::number(item)); });
        return combo;
    }
    case Control::Button: {
        auto *button = new QPushButton(option.caption, this);
        button->setObjectName(option.control);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_logic.screen().options[size_t(i)].action(m_ctx, this);
            showStates();
        });
        return button;
    }
    case Control::Text:
    case Control::Number:
    case Control::Amount:
    case Control::Date:
        break;
    }
    auto *field = new QLineEdit(this);
    field->setReadOnly(option.readOnly);
    if (option.masked)
        field->setEchoMode(QLineEdit::Password);
    if (option.kind == Control::Date)
        field->setMaximumWidth(140);
    connect(field, &QLineEdit::editingFinished, this, [this, i, field] {
        if (!leaveField(i))
            QTimer::singleShot(0, field, [field] { field->setFocus(); });
        showStates();
    });
    const bool narrow = option.kind != Control::Text || option.caption.isEmpty() || option.encoding == Encoding::Counter
                     || option.encoding == Encoding::CounterNotZero || option.encoding == Encoding::Leading
                     || (option.place == Place::UserGegevens && shortColumn(m_ctx, option));
    field->setMinimumWidth(narrow ? 120 : 320);
    field->setMaximumWidth(narrow ? 160 : 480);
    if (option.kind == Control::Amount)
        field->setAlignment(Qt::AlignRight);
    connect(field, &QLineEdit::textEdited, this, [this, i](const QString &text) { m_logic.setState(i, text); });
    return field;
}

// A choice of the user: its state, and whatever the screen does on it (made again periods).
void OptionsScreen::choose(int option, const QString &state)
{
    m_logic.setState(option, state);
    if (m_logic.screen().changed || m_logic.screen().enabled || m_logic.screen().remark)
        showStates();
}

// The checks of a field on leaving it: a date must be one (and is shown in full), then the
// screen's own. False keeps the focus in the field.
bool OptionsScreen::leaveField(int option)
{
    const Option &o = m_logic.screen().options[size_t(option)];
    if (o.kind == Control::Date) {
        const std::optional<QString> shown = listdetail::leftText(m_ctx, listdetail::Kind::Date, m_logic.state(option));
        if (!shown) {
            m_ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
            return false;
        }
        m_logic.setState(option, *shown);
    }
    return !m_logic.screen().leave || m_logic.screen().leave(m_logic, option);
}

void OptionsScreen::showStates()
{
    for (int i = 0; i < int(m_controls.size()); ++i) {
        const QString &state = m_logic.state(i);
        const Option &option = m_logic.screen().options[size_t(i)];
        QWidget *control = m_controls[size_t(i)];
        if (!control)
            continue;
        const QSignalBlocker block(control);
        if (auto *toggle = qobject_cast<YesNo *>(control))
            toggle->setState(state);
        else if (auto *field = qobject_cast<QLineEdit *>(control)) {
            if (!option.width.isEmpty()) // a counter has no more digits than its count
                field->setMaxLength(int(std::clamp(Val(m_logic.stateOf(option.width)), 1.0, 15.0)));
            field->setText(state);
        } else if (option.kind == Control::Colour)
            showColour(qobject_cast<QPushButton *>(control), state);
        else if (isPath(option.kind))
            control->findChild<QLineEdit *>()->setText(state);
        else if (auto *account = qobject_cast<GrootboekRekeningWidget *>(control))
            account->setNummer(state);
        else if (auto *lists = qobject_cast<PicksLists *>(control))
            lists->setKeys(state);
        else if (auto *combo = qobject_cast<QComboBox *>(control); combo && option.encoding == Encoding::CodeKey)
            codetables::SetComboKey(combo, state.isEmpty() ? -1 : state.toInt());
        else if (combo && option.entries)
            fillEntries(i, combo);
        else if (combo)
            combo->setCurrentIndex(state.toInt());
        else if (auto *group = control->findChild<QButtonGroup *>()) {
            bool known = false;
            const int item = state.toInt(&known);
            if (known && group->button(item)) {
                group->button(item)->setChecked(true);
            } else if (group->checkedButton()) { // none chosen yet
                group->setExclusive(false);
                group->checkedButton()->setChecked(false);
                group->setExclusive(true);
            }
        }
        if (m_logic.screen().enabled)
            control->setEnabled(m_logic.screen().enabled(m_logic, i) && !m_logic.locked(i) && !option.readOnly);
    }
    for (const auto &[option, label] : m_remarks) {
        const Remark remark = m_logic.screen().remark(m_logic, option);
        label->setText(remark.text);
        label->setStyleSheet(QStringLiteral("color: %1;").arg(QColor(remark.advice ? theme::advice : theme::mutedText).name()));
        label->setVisible(!remark.text.isEmpty());
    }
}

// Made again only when the control they follow changed; a stored value that is not among them
// stays, shown as it is, first.
void OptionsScreen::fillEntries(int i, QComboBox *combo)
{
    const Option &option = m_logic.screen().options[size_t(i)];
    const QString leader = option.entriesFollow.isEmpty() ? QString() : m_logic.stateOf(option.entriesFollow);
    auto made = m_entries.find(i);
    if (made == m_entries.end() || made->second.first != leader) {
        const BusyCursor busy; // the administrations of a large installation take seconds
        made = m_entries.insert_or_assign(i, std::pair(leader, option.entries(m_logic))).first;
    }
    const QString &state = m_logic.state(i);
    combo->clear();
    for (const Option::Entry &entry : made->second.second)
        combo->addItem(entry.shown, entry.value);
    if (combo->findData(state) < 0 && !state.trimmed().isEmpty())
        combo->insertItem(0, state, state);
    combo->setCurrentIndex(combo->findData(state));
}

void OptionsScreen::cmdSave_Click()
{
    const bool saved = m_logic.save();
    showStates();
    if (saved)
        Q_EMIT this->saved();
}

bool OptionsScreen::leave()
{
    if (!m_logic.screen().saveOnLeave)
        return true;
    const bool saved = m_logic.save();
    showStates();
    if (saved)
        return true;
    // A save that keeps failing (a registry that cannot be written) must not lock the user in.
    return m_ctx.dialogs->MsgBox(QStringLiteral("De wijzigingen zijn niet opgeslagen. Wilt u het scherm toch verlaten? "
                                                "Uw wijzigingen gaan dan verloren."),
                                 mb::YesNo | mb::Question | mb::DefaultButton2)
        == mb::Yes;
}

void OptionsScreen::cmdUndo_Click()
{
    const bool undone = m_logic.undoLast();
    showStates();
    if (undone)
        Q_EMIT saved();
}

void registerOptionScreens(ScreenRegistry &screens, const std::vector<OptionScreen> &tables)
{
    for (const OptionScreen &table : tables)
        screens.add(table.screen, [&table](Context &ctx) { return std::make_unique<OptionsScreen>(ctx, table); });
}

} // namespace kv::options
