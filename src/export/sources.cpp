#include "export/sources.h"

#include "core/context.h"
#include "editing/codetables/catalog.h"
#include "editing/codetables/hulplist.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace kv::exporting {

ListSource listSource(listdetail::ListLogic &logic)
{
    ListSource source{logic.member().caption, {}, logic.rowCount(), {}};
    for (const listdetail::Column &column : logic.member().columns)
        source.headers += column.caption;
    source.visitRows = [&logic](const std::function<bool(const QStringList &)> &visit) {
        QStringList texts;
        logic.visitRows([&](const listdetail::ListLogic::Row &row) {
            texts.clear();
            for (const listdetail::Cell &cell : row.cells)
                texts += cell.text;
            return visit(texts);
        });
    };
    return source;
}

namespace {

// A code table as its editor lists it: every entry with whether it is active in the pick lists.
ListSource codeTableSource(Context &ctx, const QString &table)
{
    ctx.EditKey = table;
    auto list = std::make_shared<codetables::HulpList>(ctx);
    QString caption = list->caption(); // "Wagencategorie:" above the editor's list
    if (caption.endsWith(u':'))
        caption.chop(1);
    ListSource source{caption, {caption, u"Actief"_s}, qint64(list->entries().size()), {}};
    source.visitRows = [list](const std::function<bool(const QStringList &)> &visit) {
        for (const codetables::Entry &entry : list->entries()) {
            if (!visit({entry.text, entry.ticked ? u"Ja"_s : u"Nee"_s}))
                return;
        }
    };
    return source;
}

} // namespace

std::optional<ListSource> sourceNamed(Context &ctx, const QString &name)
{
    if (const listdetail::Member *member = listdetail::findMember(name)) {
        auto logic = std::make_shared<listdetail::ListLogic>(ctx, *member);
        ListSource source = listSource(*logic);
        source.visitRows = [logic, visit = source.visitRows](const auto &visitor) { visit(visitor); };
        return source;
    }
    for (const codetables::CodeTable &table : codetables::codeTables()) {
        if (table.key.compare(name, Qt::CaseInsensitive) == 0)
            return codeTableSource(ctx, name);
    }
    return std::nullopt;
}

} // namespace kv::exporting
