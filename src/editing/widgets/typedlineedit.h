#pragma once

#include "core/context.h"

#include <QLineEdit>

namespace kv {

// A text field with a type keyword ("BEDRAG", "DATUM", "ALPHA", ...): every typed or pasted
// character goes through `FilterKey`, so an amount field never holds a letter and both
// separator keys type the decimal separator. Text set by the program is not filtered: it is
// already formatted (1.234,50) and may hold what the user may not type.
class TypedLineEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString fieldType READ fieldType WRITE setFieldType)

public:
    TypedLineEdit(const Separators &separators, const QString &fieldType, QWidget *parent = nullptr);

    QString fieldType() const { return type; }
    void setFieldType(const QString &fieldType) { type = fieldType; }

    // Pastes the clipboard's text as if it were typed.
    void pasteFiltered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString filtered(const QString &typed) const;

    const Separators &separators;
    QString type;
};

} // namespace kv
