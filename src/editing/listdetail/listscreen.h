#pragma once

#include "core/navigation/childscreen.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/listmodel.h"

class QPushButton;
class QTreeView;

namespace kv::listdetail {

// The list screen every member shares: the table's records, and buttons to add, change and
// delete them through the member's popup.
class ListScreen : public ChildScreen {
    Q_OBJECT
public:
    ListScreen(Context &ctx, const Member &member, QWidget *parent = nullptr);

    ListLogic &logic() { return m_logic; }
    Context &context() { return m_ctx; }

private:
    int selectedRow() const;
    void select(const QString &key);
    void sortOn(int column);

    Context &m_ctx;
    ListLogic m_logic;
    ListModel m_model;
    QTreeView *m_list;
    QPushButton *m_add, *m_edit, *m_delete;
};

} // namespace kv::listdetail
