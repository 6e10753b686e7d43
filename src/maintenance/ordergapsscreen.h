#pragma once

#include "core/navigation/childscreen.h"
#include "maintenance/ordergaps.h"

class QLabel;
class QTreeWidget;

namespace kv {
class Context;
class ScreenRegistry;
} // namespace kv

namespace kv::maintenance {

// frmOverzicht_NietGebruikteOrdernummers: a row per run of order numbers that no working or
// archived order holds, up to the counter. It only reads.
class OrderGapsScreen : public ChildScreen {
    Q_OBJECT
public:
    explicit OrderGapsScreen(Context &ctx);

    void cmdVernieuwen_Click();

private:
    void fill(OrderGaps found);

    Context &m_ctx;
    OrderGaps m_found; // what the list shows
    QTreeWidget *m_list;
    QLabel *m_summary, *m_skipped;
};

void registerOrderGapsScreen(ScreenRegistry &screens);

} // namespace kv::maintenance
