#pragma once

#include "editing/listdetail/member.h"

namespace kv::listdetail {

// Fields that name an article or a relation: shown by its description or company name, picked
// in the selection window.
Lookup artikel();
Lookup relatie();
// A filled-in article number must name an article.
Check knownArtikel(const QString &field);

// Every member of the list-and-detail pattern, one function per subject.
const std::vector<Member> &members();
const Member *findMember(QStringView screen);

Member valutaMember();
Member landenMember();
Member botenMember();
Member containersMember();
Member douaneMember();
Member colliMember();
Member tarraMember();
Member verzendwijzeMember();
Member autogegevensMember();
Member verpakkingenMember();
Member bewaarloonMember();
Member artikelSoortMember();
Member medewerkersMember();
Member productieLijnenMember();
Member bunkersMember();
Member drogenMember();
Member nutrientenMember();
Member nutrientEenhedenMember();
Member grondstoffenMember();

} // namespace kv::listdetail
