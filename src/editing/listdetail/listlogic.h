#pragma once

#include "editing/listdetail/member.h"
#include "editing/listdetail/tables.h"
#include "editing/listdetail/values.h"

#include <functional>
#include <vector>

namespace kv {
class Context;
struct ListSource;
}

namespace kv::listdetail {

// The list screen of a member without its widgets: the rows, their order, and the add, edit
// and delete buttons. The view supplies how the popup is shown and hears when rows change.
class ListLogic {
public:
    struct Row {
        QString key; // the record's key, as text
        std::vector<Cell> cells;
    };

    ListLogic(Context &ctx, const Member &member);

    const Member &member() const { return m_member; }
    const std::vector<Row> &rows() const { return m_rows; }
    int rowOf(const QString &key) const; // -1 when not listed

    // Reads the table again in the member's order, then applies the chosen sort.
    void refresh();
    // Sorts on a column; the same column again reverses the order.
    void sortOn(int column);
    int sortColumn() const { return m_sortColumn; }
    bool descending() const { return m_descending; }

    // The rows in list order, one at a time, for an export: read from the table in the member's
    // order without holding them, or the rows in memory once the user sorted the list. The walk
    // stops when the visitor returns false.
    void visitRows(const std::function<bool(const Row &)> &visit);
    qint64 rowCount(); // the rows visitRows gives

    void addNew();
    void edit(int row);   // nothing without a row
    void remove(int row); // asks first; nothing without a row
    // Undoes this user's last change of the member's records on this workstation (a member
    // that keeps a trail), after asking; the rows are read again.
    bool undoLast();

    // Shows the member's popup modally; the edit context tells it what to edit.
    std::function<void()> showPopup;
    // Around every change of the rows, for a model over them.
    std::function<void()> aboutToChange, changed;

private:
    void read();
    void walk(const std::function<bool(const Row &)> &visit);
    QVariant lookup(const Lookup &lookup, const QVariant &value);
    void sortRows();
    void deleteRecord(const QString &key);
    void replaceRows(std::vector<Row> rows);

    Context &m_ctx;
    const Member &m_member;
    MemberTables m_tables;
    std::vector<Row> m_rows;
    int m_sortColumn = -1;
    bool m_descending = false;
};

// The list as it stands in `logic` (which must outlive the source), for an export.
ListSource listSource(ListLogic &logic);

inline constexpr QStringView GekoppeldeInformatie = u"Alle eventueel gekoppelde informatie gaat verloren.";

} // namespace kv::listdetail
