#include "editing/listdetail/listlogic.h"

#include "editing/options/audittrail.h"
#include "editing/options/undo.h"

#include "core/context.h"
#include "core/jobs/listsource.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"

#include <QCollator>

#include <algorithm>

namespace kv::listdetail {

ListLogic::ListLogic(Context &ctx, const Member &member)
    : m_ctx(ctx), m_member(member), m_tables(ctx, member.database)
{
}

int ListLogic::rowOf(const QString &key) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].key == key)
            return int(i);
    }
    return -1;
}

void ListLogic::refresh()
{
    tryOperation(m_ctx, m_member.screen + u": Vernieuwen", [&] { read(); });
}

void ListLogic::read()
{
    std::vector<Row> rows;
    walk([&](const Row &row) {
        rows.push_back(row);
        return true;
    });
    replaceRows(std::move(rows));
}

void ListLogic::walk(const std::function<bool(const Row &)> &visit)
{
    db::Recordset &rs = m_tables.table(m_member.table);
    rs.setIndex(m_member.listOrder);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        Row row{rs.text(m_member.key), {}};
        for (const Column &column : m_member.columns)
            row.cells.push_back(listCell(m_ctx, column, column.lookup ? lookup(*column.lookup, rs.value(column.field))
                                                                      : rs.value(column.field)));
        if (!visit(row))
            return;
    }
}

void ListLogic::visitRows(const std::function<bool(const Row &)> &visit)
{
    if (m_sortColumn < 0)
        return walk(visit);
    for (const Row &row : m_rows) {
        if (!visit(row))
            return;
    }
}

qint64 ListLogic::rowCount()
{
    return m_sortColumn < 0 ? m_tables.table(m_member.table).RecordCount() : qint64(m_rows.size());
}

QVariant ListLogic::lookup(const Lookup &lookup, const QVariant &value)
{
    const QVariant none = lookup.missing.isEmpty() ? QVariant() : QVariant(lookup.missing);
    if (value.isNull() || value.toString().trimmed().isEmpty())
        return none;
    db::Recordset &rs = m_tables.table(lookup.table);
    if (lookup.every) {
        QStringList all;
        forEachHolding(rs, lookup.index, value.toString(), [&](db::Recordset &linked) {
            all += linked.text(lookup.field).trimmed();
        });
        return all.join(u", ");
    }
    rs.setIndex(lookup.index);
    rs.Seek(u"=", value);
    return rs.NoMatch() ? none : rs.value(lookup.field);
}

void ListLogic::replaceRows(std::vector<Row> rows)
{
    if (aboutToChange)
        aboutToChange();
    m_rows = std::move(rows);
    sortRows();
    if (changed)
        changed();
}

void ListLogic::sortOn(int column)
{
    if (column < 0 || column >= int(m_member.columns.size()))
        return;
    m_descending = column == m_sortColumn && !m_descending;
    m_sortColumn = column;
    replaceRows(std::move(m_rows));
}

void ListLogic::sortRows()
{
    if (m_sortColumn < 0)
        return;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    const auto less = [&](const Row &a, const Row &b) {
        const QVariant &x = a.cells[size_t(m_sortColumn)].sortKey, &y = b.cells[size_t(m_sortColumn)].sortKey;
        if (x.typeId() == QMetaType::Double || y.typeId() == QMetaType::Double)
            return x.toDouble() < y.toDouble();
        return collator.compare(x.toString(), y.toString()) < 0;
    };
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [&](const Row &a, const Row &b) { return m_descending ? less(b, a) : less(a, b); });
}

void ListLogic::addNew()
{
    if (!m_member.canAdd())
        return;
    m_ctx.EditMode = QStringLiteral("addnew");
    m_ctx.EditKey.clear();
    if (showPopup)
        showPopup();
    refresh();
}

void ListLogic::edit(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_ctx.EditMode = QStringLiteral("edit");
    m_ctx.EditKey = m_rows[size_t(row)].key;
    if (showPopup)
        showPopup();
    refresh();
}

void ListLogic::remove(int row)
{
    if (m_member.editOnly() || row < 0 || row >= int(m_rows.size()))
        return;
    const QString question = m_member.deleteQuestion + m_member.deleteBreak + GekoppeldeInformatie;
    if (m_ctx.dialogs->MsgBox(question, mb::YesNo | mb::Question) != mb::Yes)
        return;
    const QString key = m_rows[size_t(row)].key;
    if (tryOperation(m_ctx, m_member.screen + u": Verwijderen", [&] { deleteRecord(key); }))
        refresh();
}

bool ListLogic::undoLast()
{
    bool undone = false;
    tryOperation(m_ctx, m_member.screen + u": Ongedaan maken",
                 [&] { undone = options::undoLastSave(m_ctx, m_member.trail, [](const QString &file) { return file; }); });
    refresh();
    return undone;
}

void ListLogic::deleteRecord(const QString &key)
{
    db::Recordset &rs = m_tables.table(m_member.table);
    bool found = false;
    QString refusal;
    m_tables.database().write([&] {
        if (m_member.mayDelete && !(refusal = m_member.mayDelete(m_tables, key)).isEmpty())
            return;
        rs.setIndex(QStringLiteral("PrimaryKey"));
        rs.Seek(u"=", key);
        if (!(found = !rs.NoMatch()))
            return;
        std::vector<options::AuditEntry> entries;
        for (const Field &field : m_member.fields)
            entries.push_back({options::TrailDatabase.toString(), trailName(m_member, key, field.name),
                               options::logText(rs.value(field.name)), QVariant()});
        rs.Delete();
        if (!m_member.trail.isEmpty())
            options::recordSave(m_ctx, m_member.trail, entries);
    });
    if (!refusal.isEmpty())
        m_ctx.dialogs->MsgBox(refusal, mb::Exclamation); // once the transaction has ended
    if (found && m_member.deleted)
        m_member.deleted(m_ctx, key);
}

ListSource listSource(ListLogic &logic)
{
    ListSource source{logic.member().caption, {}, logic.rowCount(), {}};
    for (const Column &column : logic.member().columns)
        source.headers += column.caption;
    source.visitRows = [&logic](const std::function<bool(const QStringList &)> &visit) {
        QStringList texts;
        logic.visitRows([&](const ListLogic::Row &row) {
            texts.clear();
            for (const Cell &cell : row.cells)
                texts += cell.text;
            return visit(texts);
        });
    };
    return source;
}

} // namespace kv::listdetail
