#include "editing/codetables/hulplist.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/jobs/listsource.h"
#include "core/dialogs.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/codetables/autosave.h"
#include "editing/saving/guardedwrite.h"

namespace kv::codetables {
namespace {

const QString kSortTable = QStringLiteral("TabelSorteren");

// A description that is blank once its NUL characters are gone holds nothing.
bool isBlank(QString stored)
{
    return stored.remove(QChar(0)).trimmed().isEmpty();
}

// The entries a question names: enough to see what happened, not a list to read through.
constexpr int namedEntries = 5;

// An entry as a question names it: its position and its text.
QString entryName(const Entry &entry, int position)
{
    return QString::number(position) + u". " + entry.text.trimmed();
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
    m_entries = readEntries();
    m_loadedEntries = m_entries;
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

HulpList::Saved HulpList::save()
{
    if (!changed())
        return Saved::Unchanged;
    std::vector<Entry> seen;
    const bool written = writeGuarded(
        m_ctx.session->DBAdmin(),
        [&] {
            seen = readEntries();
            return differences(seen);
        },
        [&] { rewrite(); },
        [&](const QStringList &found) {
            if (!overwrite(found))
                return false;
            m_loadedEntries = seen; // what the user saw and chose to overwrite
            return true;
        });
    if (!written) {
        load();
        exportAutoSave(m_ctx, m_key, m_entries); // the files follow the table, not the lost changes
        m_ctx.dialogs->MsgBox(QStringLiteral("Uw wijzigingen zijn niet opgeslagen; de tabel toont nu wat de andere "
                                             "gebruiker heeft opgeslagen."),
                              mb::Information);
        return Saved::Reloaded;
    }
    m_loadedEntries = m_entries;
    return Saved::Written;
}

// The table as the editor shows it: the stored rows in key order up to the slot count, blank
// descriptions as unset, padded with unset entries. Two tables that show the same are the same
// to the user, however the rows are laid out.
std::vector<Entry> HulpList::readEntries()
{
    const int slots = slotCount(m_key);
    std::vector<Entry> entries;
    entries.reserve(size_t(slots));
    auto rs = m_ctx.session->DBAdmin().OpenTable(m_table);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    for (rs->MoveFirst(); !rs->Eof() && int(entries.size()) < slots; rs->MoveNext()) {
        const QString text = rs->text(u"Omschrijving");
        if (isBlank(text))
            entries.push_back({NietIngesteld.toString(), false});
        else
            entries.push_back({text, rs->value(u"Selected").toBool()});
    }
    while (int(entries.size()) < slots)
        entries.push_back({NietIngesteld.toString(), false});
    return entries;
}

// The entries another program changed since they were loaded, named as they are now.
QStringList HulpList::differences(const std::vector<Entry> &now) const
{
    QStringList names;
    int more = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i] == m_loadedEntries[i])
            continue;
        if (names.size() < namedEntries)
            names << entryName(now[i], int(i + 1));
        else
            ++more;
    }
    if (more > 0)
        names << QStringLiteral("en nog %1 andere").arg(more);
    return names;
}

bool HulpList::overwrite(const QStringList &differences)
{
    const QString question = u"Deze tabel is intussen door een andere gebruiker gewijzigd:\n" + differences.join(u'\n')
                           + u"\n\nWilt u uw versie toch opslaan? De wijzigingen van de andere gebruiker gaan dan "
                             u"verloren.";
    return m_ctx.dialogs->MsgBox(question, mb::YesNo | mb::Question | mb::DefaultButton2) == mb::Yes;
}

// The layout the suite's other programs read: every row anew, `CodeNr` the position.
void HulpList::rewrite()
{
    auto rs = m_ctx.session->DBAdmin().OpenTable(m_table);
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
}

ListSource listSource(const HulpList &list)
{
    QString caption = list.caption(); // "Wagencategorie:" above the editor's list
    if (caption.endsWith(u':'))
        caption.chop(1);
    ListSource source{caption, {caption, QStringLiteral("Actief")}, qint64(list.entries().size()), {}};
    source.visitRows = [&list](const std::function<bool(const QStringList &)> &visit) {
        for (const Entry &entry : list.entries()) {
            if (!visit({entry.text, entry.ticked ? QStringLiteral("Ja") : QStringLiteral("Nee")}))
                return;
        }
    };
    return source;
}

} // namespace kv::codetables
