#pragma once

#include <QColor>

class QAbstractItemView;

namespace kv {

// `SetListLedger`: every other row of the list gets `band`, the rows between keep `base`, so
// the eye follows a row across the columns. The console's lists pass light grey F7F7F7 and
// white FFFFFF; the bands follow sorting and scrolling by themselves.
void SetListLedger(QAbstractItemView *list, QColor band = QColor(0xF7F7F7), QColor base = QColor(0xFFFFFF));

} // namespace kv
