#pragma once

#include "core/navigation/childscreen.h"
#include "maintenance/deletion.h"

#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kv {
class BusyPanel;
class ScreenRegistry;
class YesNo;
} // namespace kv

namespace kv::maintenance {

// What one of the deleting screens shows.
struct DeletionLook {
    const char *screen;
    DeletionRequest::Job job;
    QString caption;
    QStringList texts;
    QString limit;                  // the field's caption; empty: none
    std::vector<std::pair<QString, const char *>> switches; // caption, object name
    const YearTable *year = nullptr;
};

// frmRelaties_DelRelaties, frmRelaties_DelOpenstaandePosten, frmRelaties_DelAlleOpenstaandePosten
// and the three year screens: their texts, "Let op: Verwijderen is DEFINITIEF", the limit and
// switches of the job, "Verwijderen" and "Proefdraaien".
class DeletionScreen : public ChildScreen {
    Q_OBJECT
public:
    DeletionScreen(Context &ctx, const DeletionLook &look);

    void cmdDelete_Click();
    void cmdProef_Click();

private:
    std::optional<DeletionRequest> request();
    void runWith(const std::function<void(Deletion &)> &work);

    Context &m_ctx;
    const DeletionLook &m_look;
    QLineEdit *m_limit = nullptr;
    std::vector<YesNo *> m_switches;
    QPushButton *m_delete, *m_trial;
    QPlainTextEdit *m_result;
    BusyPanel *m_busy;
};

const std::vector<DeletionLook> &deletionLooks();
void registerDeletionScreens(ScreenRegistry &screens);

} // namespace kv::maintenance
