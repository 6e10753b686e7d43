#pragma once

#include "core/navigation/childscreen.h"
#include "finance/vat/vatcodelist.h"

class QTreeWidget;

namespace kv::finance {

// The VAT code list: its rows, add, edit (also a double click), delete, move up and down.
class FrmBTW : public ChildScreen {
    Q_OBJECT
public:
    explicit FrmBTW(Context &ctx, QWidget *parent = nullptr);

    VatCodeList &logic() { return m_logic; }
    QTreeWidget *list() const { return m_list; }

    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdUndo_Click();
    void move(int step);

private:
    int selectedRow() const;
    void fill(int selectCode = -1);

    Context &m_ctx;
    VatCodeList m_logic;
    QTreeWidget *m_list;
};

} // namespace kv::finance
