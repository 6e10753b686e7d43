#pragma once

#include "editing/options/option.h"

namespace kv::cemetery {

// The general settings of the cemetery administration (frmBGA): the default rental term, the
// size of the grid of grave plots and its colours.
options::OptionScreen settings();

} // namespace kv::cemetery
