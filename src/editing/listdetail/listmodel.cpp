#include "editing/listdetail/listmodel.h"

namespace kv::listdetail {

ListModel::ListModel(ListLogic &logic, QObject *parent) : QAbstractTableModel(parent), m_logic(logic)
{
    logic.aboutToChange = [this] { beginResetModel(); };
    logic.changed = [this] { endResetModel(); };
}

QVariant ListModel::alignment(int column) const
{
    switch (m_logic.member().columns[size_t(column)].kind) {
    case Kind::Number:
    case Kind::Decimal:
    case Kind::Amount:
    case Kind::AmountText:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_logic.rows().size());
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_logic.member().columns.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const auto &row = m_logic.rows()[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return row.cells[size_t(index.column())].text;
    case Qt::UserRole:
        return row.key;
    case Qt::TextAlignmentRole:
        return alignment(index.column());
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::TextAlignmentRole) // over numbers as the numbers themselves
        return alignment(section);
    return role == Qt::DisplayRole ? QVariant(m_logic.member().columns[size_t(section)].caption) : QVariant();
}

} // namespace kv::listdetail
