#pragma once

#include "editing/options/option.h"

#include <vector>

namespace kv::company {

// Every option screen: orders, invoicing, stock, the weighbridge, settling lots, transport and
// the options of this workstation, the links with other programs.
const std::vector<options::OptionScreen> &optionScreens();

// The number series and fixed ledger accounts (frmSysteem).
options::OptionScreen systeem();

// The links with other programs and services: Exact, Google, UBL, ReadSoft, Agrovision, ...
std::vector<options::OptionScreen> koppelingen();

} // namespace kv::company
