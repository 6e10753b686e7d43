#pragma once

#include "editing/codetables/autosave.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace kv::codetables {

// `frmHulpAutoSave`: the three files the ticked entries of a table are written to.
class FrmHulpAutoSave : public QDialog {
    Q_OBJECT
public:
    FrmHulpAutoSave(Context &ctx, const QString &tableKey, QWidget *parent = nullptr);

    QLineEdit *pathField(int n) const { return m_fields[size_t(n)]; }
    void ok();

private:
    HulpAutoSave m_logic;
    std::array<QLineEdit *, 3> m_fields{};
};

} // namespace kv::codetables
