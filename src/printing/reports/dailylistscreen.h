#pragma once

#include "core/navigation/childscreen.h"
#include "printing/reports/dailylists.h"

#include <optional>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kv {
class Context;
class ScreenRegistry;
} // namespace kv

namespace kv::reports {

// frmLosLijst and frmLeveringenLijst: the days from "Datum:" through "t/m:", what the list
// holds for them, and "&Afdrukken", which hands the list to the print manager.
class DailyListScreen : public ChildScreen {
    Q_OBJECT
public:
    DailyListScreen(Context &ctx, const DailyList &list);
    ~DailyListScreen() override;

    void Init() override;
    void cmdAfdrukken_Click();

private:
    // The stored first and last day, or nothing after telling the user what is wrong.
    std::optional<Period> period();
    // Reads the list over the chosen days for `action` (": Afdrukken"); false after telling the
    // user what is wrong, or `nothing` when the days hold nothing.
    bool readPeriod(const QString &action, const QString &nothing);
    void showContents();

    Context &m_ctx;
    const DailyList &m_list;
    QLineEdit *m_from, *m_to;
    QTreeWidget *m_contents;
    QPushButton *m_print;
    ColumnReport m_report;
};

void registerDailyListScreens(ScreenRegistry &screens);

} // namespace kv::reports
