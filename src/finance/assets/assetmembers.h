#pragma once

#include "editing/listdetail/member.h"

namespace kv::finance::assets {

// The asset groups (frmActivaGroepen with frmActivaGroepenPopup): the depreciation method and
// the ledger accounts of each group; a group that still has assets is not deleted.
const listdetail::Member &groupsMember();

// The asset register (frmActivaRegister with frmActivaRegisterPopup): one record per asset;
// choosing a group copies its method, and an asset that cannot be depreciated as entered is
// not saved.
const listdetail::Member &registerMember();

// The refusal when a group still has assets.
inline constexpr QStringView GroepInGebruik =
    u"Er zijn een of meerdere activum geregistreerd in deze activagroep. U kunt deze activagroep nu niet verwijderen.";

} // namespace kv::finance::assets
