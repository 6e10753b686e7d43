#include "editing/widgets/listledger.h"

#include <QAbstractItemView>

namespace kv {

void SetListLedger(QAbstractItemView *list, QColor band, QColor base)
{
    QPalette colours = list->palette();
    colours.setColor(QPalette::Base, base);
    colours.setColor(QPalette::AlternateBase, band);
    list->setPalette(colours);
    list->setAlternatingRowColors(true);
}

} // namespace kv
