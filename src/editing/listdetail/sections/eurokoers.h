#pragma once

#include <QString>

class QWidget;

namespace kv::listdetail {

class DetailLogic;
class DetailPopup;

// A currency's rate against the euro as the popup shows it, e.g. "1 EUR = 1,0800 USD"; ""
// while no rate is typed, and for the euro itself. The administration keeps its rates against one base currency: the
// euro's own rate (`Eurokoers`, the rate of EUR in the currency table; 1 when it has none)
// turns a rate into one against the euro.
QString koersTegenEuro(DetailLogic &popup);

// The line under the currency popup's fields, shown again each time a field is left.
QWidget *eurokoersSectie(DetailPopup &popup);

} // namespace kv::listdetail
