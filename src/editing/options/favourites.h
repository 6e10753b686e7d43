#pragma once

#include "editing/options/option.h"

namespace kv::options {

// The bar of favourite functions of the working program: shown or not, and which functions in
// which order. Written when the screen is left.
OptionScreen favourites();

} // namespace kv::options
