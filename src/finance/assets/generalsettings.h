#pragma once

#include "editing/options/optionsscreen.h"

namespace kv::finance::assets {

// The general asset settings of the administration's year (`ActivaAlgemeen`): the table of the
// option screen, its journal list made from `Dagboek` when the screen opens.
options::OptionScreen generalSettings(Context &ctx);

inline constexpr QStringView NegatieveOndergrens = u"De fiscale benedengrens kan niet negatief zijn.";

namespace detail {
struct HeldTable {
    options::OptionScreen table;
};
} // namespace detail

// frmActivaAlgemeen: the option screen over the table it made when opened.
class FrmActivaAlgemeen : private detail::HeldTable, public options::OptionsScreen {
public:
    explicit FrmActivaAlgemeen(Context &ctx);
};

} // namespace kv::finance::assets
