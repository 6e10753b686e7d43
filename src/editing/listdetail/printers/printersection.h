#pragma once

#include "editing/listdetail/printers/lineprinters.h"

#include <QGroupBox>

class QTreeWidget;

namespace kv::listdetail {

class DetailPopup;

// The production line popup's list of the line's printers, with buttons to add, change and
// remove them.
class PrinterSection : public QGroupBox {
    Q_OBJECT
public:
    explicit PrinterSection(DetailPopup &popup);

private:
    void refresh();
    int selectedNumber() const; // the running number of the selected printer, or 0
    void open(const LinePrinter &printer); // the list is read again after the window closes

    LinePrinters m_printers;
    QTreeWidget *m_list;
};

} // namespace kv::listdetail
