#pragma once

#include "editing/options/option.h"

#include <vector>

namespace kv::company {

// The option screens of orders, invoicing, stock, the weighbridge, settling lots and transport.
const std::vector<options::OptionScreen> &tradeOptionScreens();

} // namespace kv::company
