#pragma once

#include "editing/options/option.h"

#include <vector>

// Every screen of the option framework: favourites, the company's, the cemetery's, the
// administration settings.
const std::vector<kv::options::OptionScreen> &allOptionScreens();
