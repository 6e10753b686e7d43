#include "editing/listdetail/tables.h"

#include "core/context.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/session/datafiles.h"
#include "core/session/session.h"

#include <algorithm>

namespace kv::listdetail {

MemberTables::MemberTables(Context &ctx, const QString &file) : m_ctx(ctx), m_file(file) {}

MemberTables::~MemberTables() = default;

// Opened when first used, so that a missing file is reported by the operation that needs it.
db::Database *MemberTables::own()
{
    if (m_file.isEmpty() || m_own)
        return m_own.get();
    const QString path = findDataFile(m_ctx.DataPad, m_file);
    if (path.isEmpty())
        db::raise(db::ErrFileNotFound, QStringLiteral("Kan bestand '%1' niet vinden.").arg(m_file));
    m_own = db::Database::open(path, folderPassword(m_ctx.DataPad));
    return m_own.get();
}

db::Database &MemberTables::database()
{
    return own() ? *m_own : m_ctx.session->DBAdmin();
}

// The session's shared record set where it has one; others (the asset tables) are opened here.
db::Recordset &MemberTables::table(const QString &name)
{
    if (!own() && sharedBySession(name))
        return m_ctx.session->table(name);
    auto &rs = m_tables[name.toLower()];
    if (!rs)
        rs = database().OpenTable(name);
    return *rs;
}

bool sharedBySession(const QString &table)
{
    const auto &shared = Session::sharedTables();
    return std::any_of(shared.begin(), shared.end(), [&](const Session::SharedTable &t) {
        return table.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0;
    });
}

void forEachHolding(db::Recordset &rs, const QString &field, const QString &value,
                    const std::function<void(db::Recordset &)> &visit)
{
    rs.setIndex(field);
    for (rs.Seek(u"=", value); !rs.NoMatch() && !rs.Eof() && rs.text(field).compare(value, Qt::CaseInsensitive) == 0;
         rs.MoveNext())
        visit(rs);
}

} // namespace kv::listdetail
