#include "editing/codetables/hulplist.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/codetables/autosave.h"

namespace kv::codetables {
namespace {

const QString kSortTable = QStringLiteral("TabelSorteren");

// A description that is blank once its NUL characters are gone holds nothing.
bool isBlank(QString stored)
{
    return stored.remove(QChar(0)).trimmed().isEmpty();
}

} // namespace

HulpList::HulpList(Context &ctx)
    : m_ctx(ctx), m_table(ctx.EditKey), m_key(ctx.EditKey.toLower())
{
    const CodeTable info = codeTableFor(m_table);
    m_caption = info.caption.toString();
    m_example = info.example.toString();
    load();
    m_sorted = readSorted();
}

void HulpList::load()
{
    const int slots = slotCount(m_key);
    m_entries.clear();
    m_entries.reserve(size_t(slots));
    auto rs = m_ctx.session->DBAdmin().OpenTable(m_table);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    for (rs->MoveFirst(); !rs->Eof() && int(m_entries.size()) < slots; rs->MoveNext()) {
        const QString text = rs->text(u"Omschrijving");
        if (isBlank(text))
            m_entries.push_back({NietIngesteld.toString(), false});
        else
            m_entries.push_back({text, rs->value(u"Selected").toBool()});
    }
    while (int(m_entries.size()) < slots)
        m_entries.push_back({NietIngesteld.toString(), false});
}

void HulpList::setTicked(int row, bool ticked)
{
    m_entries.at(size_t(row)).ticked = ticked;
}

void HulpList::beginEdit(int row)
{
    m_ctx.EditMode = QStringLiteral("edit");
    m_ctx.EditKey = m_entries.at(size_t(row)).text;
}

bool HulpList::endEdit(int row)
{
    const bool changed = m_ctx.EditMode == u"update";
    if (changed) {
        Entry &entry = m_entries.at(size_t(row));
        entry.text = holdsAmounts(m_key) ? FormatBedrag(m_ctx.separators, m_ctx.EditKey) : m_ctx.EditKey;
    }
    m_ctx.EditKey = m_table;
    if (changed)
        exportAutoSave(m_ctx, m_key, m_entries);
    return changed;
}

void HulpList::autoSaveClosed()
{
    const bool refresh = m_ctx.EditKey == u"refresh";
    m_ctx.EditKey = m_table;
    if (refresh)
        exportAutoSave(m_ctx, m_key, m_entries);
}

bool HulpList::readSorted()
{
    db::Recordset &rs = m_ctx.session->table(kSortTable);
    rs.setIndex(QStringLiteral("PrimaryKey"));
    rs.Seek(u"=", m_key);
    return !rs.NoMatch() && rs.value(u"Sorteren").toBool();
}

void HulpList::setSorted(bool sorted)
{
    db::Recordset &rs = m_ctx.session->table(kSortTable);
    rs.setIndex(QStringLiteral("PrimaryKey"));
    rs.Seek(u"=", m_key);
    if (rs.NoMatch()) {
        rs.AddNew();
        rs.setValue(u"Naam", m_key);
    } else {
        rs.Edit();
    }
    rs.setValue(u"Sorteren", sorted);
    rs.Update();
    m_sorted = sorted;
}

void HulpList::save()
{
    db::Database &db = m_ctx.session->DBAdmin();
    db.write([&] {
        auto rs = db.OpenTable(m_table);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            rs->Delete();
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const Entry &entry = m_entries[i];
            rs->AddNew();
            rs->setValue(u"Selected", entry.ticked);
            rs->setValue(u"Omschrijving", entry.text);
            rs->setValue(u"CodeNr", int(i + 1));
            rs->setValue(u"RecordCode", entry.ticked ? 1 : -1);
            rs->Update();
        }
    });
}

} // namespace kv::codetables
