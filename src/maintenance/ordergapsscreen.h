#pragma once

#include "core/navigation/childscreen.h"

class QLabel;
class QTreeWidget;

namespace kv {
class Context;
class ScreenRegistry;
} // namespace kv

namespace kv::maintenance {

struct OrderGaps;

// frmOverzicht_NietGebruikteOrdernummers: a row per run of order numbers that no working or
// archived order holds, up to the counter. It only reads.
class OrderGapsScreen : public ChildScreen {
    Q_OBJECT
public:
    explicit OrderGapsScreen(Context &ctx);

    void cmdVernieuwen_Click();

private:
    void fill(const OrderGaps &found);

    Context &m_ctx;
    QTreeWidget *m_list;
    QLabel *m_summary, *m_skipped;
};

void registerOrderGapsScreen(ScreenRegistry &screens);

} // namespace kv::maintenance
