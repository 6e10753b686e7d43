#pragma once

#include "core/navigation/childscreen.h"
#include "editing/options/optionslogic.h"

#include <map>
#include <vector>

class QComboBox;
class QLabel;
class QToolButton;

namespace kv {
class Context;
class ScreenRegistry;
} // namespace kv

namespace kv::options {

// The one view of every option screen: its table's controls in order, top to bottom, the save
// button (none on a screen saved when it is left) and the undo button.
class OptionsScreen : public ChildScreen {
    Q_OBJECT
public:
    OptionsScreen(Context &ctx, const OptionScreen &screen);
    ~OptionsScreen() override;

    OptionsLogic &logic() { return m_logic; }
    QWidget *control(int option) const { return m_controls[size_t(option)]; }

    void cmdSave_Click();
    void cmdUndo_Click();
    bool leave() override;

private:
    QWidget *makeControl(int option);
    QToolButton *releaseButton(int option);
    QLabel *remarkLabel(int option, int indent);
    void choose(int option, const QString &state);
    bool leaveField(int option);
    void showStates();
    void fillEntries(int option, QComboBox *combo);

    Context &m_ctx;
    OptionsLogic m_logic;
    std::vector<QWidget *> m_controls; // null for a value without a control
    std::vector<std::pair<int, QLabel *>> m_remarks; // the line under a field, by option
    // A list with entries of its own: the state of the control they follow, and the entries.
    std::map<int, std::pair<QString, std::vector<Option::Entry>>> m_entries;
};

// Registers the view of every screen under its name.
void registerOptionScreens(ScreenRegistry &screens, const std::vector<OptionScreen> &tables);

} // namespace kv::options
