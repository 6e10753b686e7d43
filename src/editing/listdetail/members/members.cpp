#include "editing/listdetail/members/members.h"

namespace kv::listdetail {

const std::vector<Member> &members()
{
    static const std::vector<Member> all{
        valutaMember(), landenMember(), botenMember(), containersMember(), douaneMember(), colliMember(),
        tarraMember(), verzendwijzeMember(), autogegevensMember(),
        verpakkingenMember(), bewaarloonMember(), artikelSoortMember(), medewerkersMember(),
        productieLijnenMember(), bunkersMember(), nutrientenMember(), nutrientEenhedenMember(), grondstoffenMember(),
    };
    return all;
}

const Member *findMember(QStringView screen)
{
    for (const Member &member : members()) {
        if (member.screen.compare(screen, Qt::CaseInsensitive) == 0)
            return &member;
    }
    return nullptr;
}

} // namespace kv::listdetail
