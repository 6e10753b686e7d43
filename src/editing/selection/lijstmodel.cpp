#include "editing/selection/lijstmodel.h"

#include "core/jobs/listsource.h"

#include <QColor>

#include <algorithm>
#include <optional>

namespace kv {

ListSource LijstModel::bron(const QString &titel) const
{
    ListSource bron{titel, m_kolommen, m_getoond, {}};
    bron.visitRows = [rijen = m_rijen, aantal = m_getoond](const std::function<bool(const QStringList &)> &visit) {
        for (int r = 0; r < aantal; ++r)
            if (!visit((*rijen)[size_t(r)].cellen()))
                return;
    };
    return bron;
}

namespace {

// Numbers and amounts ("1.234,50", "<120,00") sort by value, everything else as text.
std::optional<double> alsGetal(QStringView tekst)
{
    QString t = tekst.trimmed().toString();
    const bool negatief = t.startsWith(u'<') || t.startsWith(u'-');
    if (negatief)
        t.remove(0, 1);
    if (t.endsWith(u'>'))
        t.chop(1);
    t.remove(u'.').replace(u',', u'.');
    bool ok = false;
    const double waarde = t.toDouble(&ok);
    if (!ok || t.isEmpty())
        return std::nullopt;
    return negatief ? -waarde : waarde;
}

int vergelijk(QStringView a, QStringView b)
{
    const auto x = alsGetal(a), y = alsGetal(b);
    if (x && y)
        return *x < *y ? -1 : *x > *y ? 1 : 0;
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace

void LijstModel::setKolommen(const QStringList &kolommen)
{
    beginResetModel();
    m_kolommen = kolommen;
    endResetModel();
}

void LijstModel::toon(std::vector<LijstRij> *rijen)
{
    beginResetModel();
    m_rijen = rijen;
    m_getoond = rijen ? int(rijen->size()) : 0;
    endResetModel();
}

void LijstModel::groei()
{
    const int n = m_rijen ? int(m_rijen->size()) : 0;
    if (n < m_getoond) {
        toon(m_rijen);
        return;
    }
    if (n == m_getoond)
        return;
    beginInsertRows({}, m_getoond, n - 1);
    m_getoond = n;
    endInsertRows();
}

const LijstRij *LijstModel::rij(int r) const
{
    return m_rijen && r >= 0 && r < m_getoond ? &(*m_rijen)[size_t(r)] : nullptr;
}

int LijstModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_getoond;
}

int LijstModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_kolommen.size());
}

QVariant LijstModel::data(const QModelIndex &index, int role) const
{
    const LijstRij *r = rij(index.row());
    if (!r)
        return {};
    if (role == Qt::DisplayRole)
        return r->cel(index.column()).toString();
    if (role == Qt::DecorationRole && index.column() == 0 && kenmerkIcoon)
        return kenmerkIcoon(r->kenmerken);
    if (role == Qt::TextAlignmentRole && rechts.contains(index.column()))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LijstModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_kolommen.value(section);
    return {};
}

void LijstModel::sort(int column, Qt::SortOrder order)
{
    if (!m_rijen || column < 0)
        return;
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList oud = persistentIndexList();
    std::vector<int> plaats(m_rijen->size());
    for (size_t i = 0; i < plaats.size(); ++i)
        plaats[i] = int(i);
    std::stable_sort(plaats.begin(), plaats.end(), [&](int a, int b) {
        const int c = vergelijk((*m_rijen)[size_t(a)].cel(column), (*m_rijen)[size_t(b)].cel(column));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<LijstRij> gesorteerd;
    gesorteerd.reserve(m_rijen->size());
    std::vector<int> nieuw(plaats.size());
    for (size_t i = 0; i < plaats.size(); ++i) {
        gesorteerd.push_back(std::move((*m_rijen)[size_t(plaats[i])]));
        nieuw[size_t(plaats[i])] = int(i);
    }
    *m_rijen = std::move(gesorteerd);
    QModelIndexList verplaatst;
    for (const QModelIndex &i : oud)
        verplaatst << index(nieuw[size_t(i.row())], i.column());
    changePersistentIndexList(oud, verplaatst);
    Q_EMIT layoutChanged();
}

} // namespace kv
