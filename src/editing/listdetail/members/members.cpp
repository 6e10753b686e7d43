#include "editing/listdetail/members/members.h"

using namespace Qt::StringLiterals;

namespace kv::listdetail {

Lookup artikel() { return {u"Artikelen"_s, u"PrimaryKey"_s, u"Omschrijving1"_s, u"frmartikelen"_s}; }
Lookup relatie() { return {u"RelatieGegevens"_s, u"PrimaryKey"_s, u"Bedrijfsnaam1"_s, u"frmrelaties"_s}; }

Check knownArtikel(const QString &field)
{
    return known(field, u"Artikelen"_s, u"Er is een onbekend artikelnummer ingegeven. opnieuw s.v.p."_s);
}

const std::vector<Member> &members()
{
    static const std::vector<Member> all{
        valutaMember(), landenMember(), botenMember(), containersMember(), douaneMember(), colliMember(),
        tarraMember(), verzendwijzeMember(), autogegevensMember(),
        verpakkingenMember(), bewaarloonMember(), artikelSoortMember(), medewerkersMember(),
        productieLijnenMember(), bunkersMember(), drogenMember(), nutrientenMember(), nutrientEenhedenMember(), grondstoffenMember(),
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
