#pragma once

#include "core/navigation/childscreen.h"
#include "maintenance/ordermove.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kv {
class BusyPanel;
class ScreenRegistry;
class YesNo;
} // namespace kv

namespace kv::maintenance {

// frmOrdersArchiveren and frmOpschonen: a limit, the button that moves the orders before it to
// the archive, "Proefdraaien" that shows what would go and what stays, and for archiving the
// switch for unfinished orders, the archive's line count and "Verwijderen" from the archive.
class OrderMoveScreen : public ChildScreen {
    Q_OBJECT
public:
    OrderMoveScreen(Context &ctx, OrderSelection::Job job);

    void cmdDelete_Click();
    void cmdPurge_Click();
    void cmdProef_Click();

private:
    std::optional<OrderSelection> selection();
    void showArchiveCount();
    void runWith(QPushButton *button, const std::function<void(OrderMove &)> &work);

    Context &m_ctx;
    OrderSelection::Job m_job;
    QLineEdit *m_limit;
    YesNo *m_unfinished = nullptr;
    QLabel *m_archived = nullptr;
    QPushButton *m_delete, *m_purge = nullptr, *m_trial;
    QPlainTextEdit *m_result;
    BusyPanel *m_busy;
};

// Registers both screens.
void registerMaintenanceScreens(ScreenRegistry &screens);

} // namespace kv::maintenance
