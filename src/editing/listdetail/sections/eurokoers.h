#pragma once

#include <QString>

class QWidget;

namespace kv::listdetail {

class DetailLogic;
class DetailPopup;

// A currency's rate against the euro as the popup shows it, e.g. "1 EUR = 1,0800 USD"; ""
// while no rate is typed. The administration keeps its rates against one base currency: the
// euro's own rate (`Eurokoers`, the rate of EUR in the currency table; 1 when it has none)
// turns a rate into one against the euro.
QString koersTegenEuro(DetailLogic &popup);

// The line under the currency popup's fields, following the rate as it is typed.
QWidget *eurokoersSectie(DetailPopup &popup);

} // namespace kv::listdetail
