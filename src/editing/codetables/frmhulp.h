#pragma once

#include "core/navigation/childscreen.h"
#include "editing/codetables/hulplist.h"

#include <memory>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

namespace kv::codetables {

// `frmHulp`: the editor of one code table, named in `EditKey`. The table is written back when
// the screen is left.
class FrmHulp : public ChildScreen {
    Q_OBJECT
public:
    explicit FrmHulp(Context &ctx);

    HulpList &logic() { return m_list; }
    QListWidget *list() const { return m_view; }
    QCheckBox *sortedBox() const { return m_chkSorted; }

    // Opens the popup on the selected entry.
    void cmdEdit_Click();
    void cmdAutoSave_Click();

    bool leave() override;

private:
    void fill();
    void itemChanged(QListWidgetItem *item);

    Context &m_ctx;
    HulpList m_list;
    QListWidget *m_view = nullptr;
    QCheckBox *m_chkSorted = nullptr;
    QPushButton *m_cmdEdit = nullptr;
    QToolButton *m_cmdAutoSave = nullptr;
};

} // namespace kv::codetables
