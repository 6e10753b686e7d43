#pragma once

#include "editing/options/option.h"

namespace kv::finance {

// The settings of the bookkeeping as a whole (frmAdministratie): the financial year and its
// periods, VAT liability and return, the VAT number and the booking switches. Saving brings the
// VAT codes in line.
options::OptionScreen administration();

} // namespace kv::finance
