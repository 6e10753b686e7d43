#pragma once

#include "editing/selection/recordfill.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

namespace kv {

struct ListSource;

// The rows of a search list as a table model. It shows the rows of a fill as they arrive,
// without copying them, and sorts them on a column.
class LijstModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LijstModel(QObject *parent = nullptr) : QAbstractTableModel(parent) {}

    void setKolommen(const QStringList &kolommen);
    // Shows `rijen` from the start; `groei` shows the rows added since.
    void toon(std::vector<LijstRij> *rijen);
    void groei();
    const LijstRij *rij(int r) const;
    // The rows shown, in the order shown, for an export; they must outlive the source.
    ListSource bron(const QString &titel) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The icons before the first column, for every row, so that the first column stays aligned.
    std::function<QVariant(int kenmerken)> kenmerkIcoon;
    // Columns of amounts, aligned to the right.
    QList<int> rechts;

private:
    QStringList m_kolommen;
    std::vector<LijstRij> *m_rijen = nullptr;
    int m_getoond = 0;
};

} // namespace kv
