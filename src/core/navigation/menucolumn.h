#pragma once

#include <QWidget>

#include <vector>

namespace kv {

class MenuItem;
namespace nav {
struct MenuRow;
}

// The menu of the open section: as many rows as the longest section has. A section fills
// rows 0..n-1; a row whose condition fails stays hidden but keeps its place.
class MenuColumn : public QWidget {
    Q_OBJECT
public:
    explicit MenuColumn(QWidget *parent = nullptr);

    void fill(const std::vector<const nav::MenuRow *> &rows);
    // Marks row `index` as the chosen one and no other.
    void select(int index);

    int rowCount() const { return int(m_items.size()); }
    MenuItem *item(int index) const;

Q_SIGNALS:
    void rowClicked(int index);

private:
    std::vector<MenuItem *> m_items;
};

} // namespace kv
