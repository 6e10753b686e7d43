#include "editing/listdetail/sections/eurokoers.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "editing/listdetail/detailpopup.h"
#include "editing/listdetail/values.h"
#include "editing/numbers.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace kv::listdetail {

namespace {

std::optional<double> rate(const Separators &separators, const QString &text)
{
    return number(text, separators.DecimaalTeken, separators.DuizendTeken);
}

double eurokoers(DetailLogic &popup)
{
    db::Recordset &rs = popup.tables().table(u"ValutaTabel"_s);
    rs.setIndex(u"PrimaryKey"_s);
    rs.Seek(u"=", u"EUR"_s);
    if (rs.NoMatch())
        return 1;
    const auto euro = rate(popup.context().separators, rs.text(u"valutakoers"_s));
    return euro && *euro > 0 ? *euro : 1;
}

} // namespace

QString koersTegenEuro(DetailLogic &popup)
{
    const Separators &separators = popup.context().separators;
    const auto koers = rate(separators, popup.text(u"valutakoers"_s));
    const QString code = popup.text(u"Valutacode"_s).trimmed().toUpper();
    if (!koers || *koers == 0 || code.isEmpty() || code == u"EUR")
        return {};
    return u"1 EUR = "_s + FormatGetal(separators, *koers / eurokoers(popup), 4) + u' ' + code;
}

QWidget *eurokoersSectie(DetailPopup &popup)
{
    auto *label = new QLabel(&popup);
    label->setObjectName(u"lblEurokoers"_s);
    label->setStyleSheet(u"color: #505050;"_s);
    const auto show = [label, &popup] { label->setText(koersTegenEuro(popup.logic())); };
    show();
    QObject::connect(&popup, &DetailPopup::fieldLeft, label, show);
    return label;
}

} // namespace kv::listdetail
