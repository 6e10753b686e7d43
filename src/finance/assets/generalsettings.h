#pragma once

#include "editing/options/option.h"

namespace kv::finance::assets {

// The general asset settings of the administration's year (`ActivaAlgemeen`,
// frmActivaAlgemeen).
options::OptionScreen generalSettings();

inline constexpr QStringView NegatieveOndergrens = u"De fiscale benedengrens kan niet negatief zijn.";

} // namespace kv::finance::assets
