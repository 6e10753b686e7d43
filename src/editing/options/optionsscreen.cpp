#include "editing/options/optionsscreen.h"

#include "core/context.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/widgets/yesno.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::options {

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
        layout->addWidget(intro);
    }

    // One row per option, top to bottom: a switch and its caption (and the field that belongs
    // to it, one without a caption of its own), a field beside its caption, or a group of
    // choices. Field captions share one width, so the fields line up.
    int captionWidth = 0;
    for (const Option &option : screen.options)
        if (option.kind != Control::Toggle && option.kind != Control::Choice && option.kind != Control::Heading)
            captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(option.caption));
    auto *rows = new QVBoxLayout;
    rows->setSpacing(8);
    QHBoxLayout *toggleRow = nullptr; // where a field without a caption joins its toggle
    for (int i = 0; i < int(screen.options.size()); ++i) {
        const Option &option = screen.options[size_t(i)];
        QWidget *control = makeControl(i);
        m_controls.push_back(control);
        if (option.kind == Control::Heading)
            rows->addSpacing(10);
        if (option.kind == Control::Choice || option.kind == Control::Heading) {
            rows->addWidget(control);
            toggleRow = nullptr;
            continue;
        }
        if (option.caption.isEmpty() && toggleRow) {
            toggleRow->insertWidget(2, control);
            continue;
        }
        auto *row = new QHBoxLayout;
        row->setSpacing(12);
        auto *label = new QLabel(option.caption, this);
        if (!option.note.isEmpty()) {
            label->setText(option.caption + u"<br><small>" + option.note.toHtmlEscaped() + u"</small>");
            label->setTextFormat(Qt::RichText);
        }
        if (option.kind == Control::Toggle) {
            row->addWidget(control);
            row->addWidget(label);
        } else {
            label->setFixedWidth(captionWidth + 8);
            row->addWidget(label);
            row->addWidget(control);
        }
        row->addStretch();
        rows->addLayout(row);
        toggleRow = option.kind == Control::Toggle ? row : nullptr;
    }
    layout->addLayout(rows);

    auto *save = new QPushButton(QStringLiteral("Opslaan"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    save->setMinimumWidth(120);
    connect(save, &QPushButton::clicked, this, &OptionsScreen::cmdSave_Click);
    auto *undo = new QPushButton(QStringLiteral("Laatste wijziging ongedaan maken"), this);
    undo->setObjectName(QStringLiteral("cmdUndo"));
    connect(undo, &QPushButton::clicked, this, &OptionsScreen::cmdUndo_Click);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(save);
    buttons->addWidget(undo);
    buttons->addStretch();
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch();
    showStates();
}

QWidget *OptionsScreen::makeControl(int i)
{
    const Option &option = m_logic.screen().options[size_t(i)];
    switch (option.kind) {
    case Control::Toggle: {
        auto *toggle = new YesNo(this);
        connect(toggle, &YesNo::stateChanged, this, [this, i](const QString &state) { m_logic.setState(i, state); });
        return toggle;
    }
    case Control::Choice: {
        auto *box = new QWidget(this);
        auto *column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        auto *group = new QButtonGroup(box);
        for (int item = 0; item < option.items.size(); ++item) {
            auto *button = new QRadioButton(option.items[item], box);
            group->addButton(button, item);
            column->addWidget(button);
        }
        connect(group, &QButtonGroup::idClicked, this, [this, i](int item) { m_logic.setState(i, QString::number(item)); });
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
        combo->addItems(option.items);
        connect(combo, &QComboBox::activated, this, [this, i](int item) { m_logic.setState(i, QString::number(item)); });
        return combo;
    }
    case Control::Text:
    case Control::Number:
    case Control::Amount:
        break;
    }
    auto *field = new QLineEdit(this);
    const bool narrow = option.kind != Control::Text || option.caption.isEmpty();
    field->setMinimumWidth(narrow ? 120 : 320);
    field->setMaximumWidth(narrow ? 160 : 480);
    if (option.kind == Control::Amount)
        field->setAlignment(Qt::AlignRight);
    connect(field, &QLineEdit::textEdited, this, [this, i](const QString &text) { m_logic.setState(i, text); });
    return field;
}

void OptionsScreen::showStates()
{
    for (int i = 0; i < int(m_controls.size()); ++i) {
        const QString &state = m_logic.state(i);
        QWidget *control = m_controls[size_t(i)];
        const QSignalBlocker block(control);
        if (auto *toggle = qobject_cast<YesNo *>(control))
            toggle->setState(state);
        else if (auto *field = qobject_cast<QLineEdit *>(control))
            field->setText(state);
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(state.toInt());
        else if (auto *group = control->findChild<QButtonGroup *>(); group && group->button(state.toInt()))
            group->button(state.toInt())->setChecked(true);
    }
}

void OptionsScreen::cmdSave_Click()
{
    const bool saved = m_logic.save();
    showStates();
    if (saved)
        Q_EMIT this->saved();
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
