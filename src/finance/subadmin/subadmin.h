#pragma once

#include "editing/options/option.h"

namespace kv::finance {

// Whether the bookkeeping keeps a debtors/creditors sub-administration, and whether it is linked
// to the membership administration Sorbex, installed locally or used online
// (frmSubAdministratie).
options::OptionScreen subAdministratie();

// The user profile for Sorbex Online (frmSubAdministratieSorbexOnline): the password and the key
// are typed behind dots and never shown in the settings trail.
options::OptionScreen sorbexOnline();

} // namespace kv::finance
