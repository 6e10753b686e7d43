#include "app/optionscreens.h"

#include "cemetery/settings.h"
#include "company/options/optionscreens.h"
#include "editing/options/favourites.h"
#include "finance/administration/administration.h"
#include "finance/assets/generalsettings.h"
#include "finance/incasso/incasso.h"
#include "finance/subadmin/subadmin.h"

const std::vector<kv::options::OptionScreen> &allOptionScreens()
{
    static const std::vector<kv::options::OptionScreen> screens = [] {
        std::vector<kv::options::OptionScreen> all{kv::options::favourites()};
        all.insert(all.end(), kv::company::optionScreens().begin(), kv::company::optionScreens().end());
        all.push_back(kv::cemetery::settings());
        all.push_back(kv::finance::administration());
        all.push_back(kv::finance::incassoBetalen());
        all.push_back(kv::finance::assets::generalSettings());
        all.push_back(kv::finance::subAdministratie());
        all.push_back(kv::finance::sorbexLokaal());
        all.push_back(kv::finance::sorbexOnline());
        return all;
    }();
    return screens;
}
