#include "export/sources.h"

#include "core/context.h"
#include "editing/codetables/catalog.h"
#include "editing/codetables/hulplist.h"
#include "editing/listdetail/listlogic.h"
#include "editing/listdetail/members/members.h"
#include "editing/selection/selectiescherm.h"

using namespace Qt::StringLiterals;

namespace kv::exporting {

FoundList findEditingList(Context &ctx, const ListRequest &request)
{
    if (const listdetail::Member *member = listdetail::findMember(request.name)) {
        auto logic = std::make_shared<listdetail::ListLogic>(ctx, *member);
        return {keepingAlive(logic, listSource(*logic)), {}};
    }
    for (const codetables::CodeTable &table : codetables::codeTables()) {
        if (table.key.compare(request.name, Qt::CaseInsensitive) == 0) {
            ctx.EditKey = request.name;
            auto list = std::make_shared<codetables::HulpList>(ctx);
            return {keepingAlive(list, listSource(*list)), {}};
        }
    }
    auto search = std::make_shared<SelectieScherm>(ctx, request.name);
    if (!search->bekend())
        return {};
    if (request.zoek.isEmpty())
        return {std::nullopt, u"Geef de zoektekst met --zoek."_s};
    return {keepingAlive(search, search->stroom(request.zoek, 0)), {}};
}

} // namespace kv::exporting
