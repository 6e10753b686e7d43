#pragma once

#include <QAbstractButton>

namespace kv {

namespace nav {
struct MenuRow;
}

// One row of the menu column: its caption, the key of the screen it opens, and whether it is
// the chosen row. The chosen row, the row under the mouse and the others each have their colour.
class MenuItem : public QAbstractButton {
    Q_OBJECT
public:
    explicit MenuItem(QWidget *parent = nullptr);

    // Shows `row`, or clears and hides the item for nullptr.
    void fill(const nav::MenuRow *row);
    const QString &caption() const { return m_caption; }
    const QString &key() const { return m_key; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_caption;
    QString m_key;
    bool m_selected = false;
};

} // namespace kv
