#include "editing/options/optionsscreen.h"

#include "core/context.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/widgets/yesno.h"

#include <QButtonGroup>
#include <QGridLayout>
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

    auto *caption = new QLabel(screen.caption, this);
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

    // Column 0 holds the switches, 1 the captions, 2 the fields.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(3, 1);
    for (int i = 0; i < int(screen.options.size()); ++i) {
        const Option &option = screen.options[size_t(i)];
        const int row = grid->rowCount();
        QWidget *control = makeControl(i);
        m_controls.push_back(control);
        if (option.kind == Control::Toggle) {
            grid->addWidget(control, row, 0);
            auto *label = new QLabel(option.caption, this);
            label->setWordWrap(true);
            label->setBuddy(control);
            grid->addWidget(label, row, 1, 1, 3);
        } else if (option.kind == Control::Choice) {
            grid->addWidget(control, row, 0, 1, 4);
        } else {
            grid->addWidget(new QLabel(option.caption, this), row, 0, 1, 2);
            grid->addWidget(control, row, 2);
        }
    }
    layout->addLayout(grid);

    auto *save = new QPushButton(QStringLiteral("Opslaan"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    save->setMinimumWidth(120);
    connect(save, &QPushButton::clicked, this, &OptionsScreen::cmdSave_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
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
    case Control::Text:
    case Control::Number:
        break;
    }
    auto *field = new QLineEdit(this);
    field->setMinimumWidth(option.kind == Control::Number ? 120 : 320);
    field->setMaximumWidth(option.kind == Control::Number ? 160 : 480);
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
        else if (auto *group = control->findChild<QButtonGroup *>())
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

void registerOptionScreens(ScreenRegistry &screens, const std::vector<OptionScreen> &tables)
{
    for (const OptionScreen &table : tables)
        screens.add(table.screen, [&table](Context &ctx) { return std::make_unique<OptionsScreen>(ctx, table); });
}

} // namespace kv::options
