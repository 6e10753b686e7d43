#pragma once

#include "editing/listdetail/listlogic.h"

#include <QAbstractTableModel>

namespace kv::listdetail {

// The rows of a list screen for a view; it follows every change the logic makes.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListModel(ListLogic &logic, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant alignment(int column) const;

    ListLogic &m_logic;
};

} // namespace kv::listdetail
