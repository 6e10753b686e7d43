#pragma once

#include "editing/options/option.h"

namespace kv::finance {

// Whether the bookkeeping keeps a debtors/creditors sub-administration, and whether it is linked
// to the membership administration Sorbex, installed locally or used online
// (frmSubAdministratie).
options::OptionScreen subAdministratie();

// The link to a Sorbex installation on this computer or the network
// (frmSubAdministratieSorbexLokaal): its folder, the administration used and how payments are
// passed on; the folder and the administration are kept per administration.
options::OptionScreen sorbexLokaal();

// The user profile for Sorbex Online (frmSubAdministratieSorbexOnline): the password and the key
// are typed behind dots and never shown in the settings trail.
options::OptionScreen sorbexOnline();

} // namespace kv::finance
