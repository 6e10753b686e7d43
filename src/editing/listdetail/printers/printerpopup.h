#pragma once

#include "editing/listdetail/printers/lineprinters.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;

namespace kv::listdetail {

// The window for one printer of a production line: which printer, for which labels, and how
// it prints. OK writes the settings; "Sluiten" leaves them as they were.
class PrinterPopup : public QDialog {
    Q_OBJECT
public:
    PrinterPopup(LinePrinters &printers, const LinePrinter &printer, QWidget *parent = nullptr);

    // The printers installed on this workstation (tests put their own here).
    static std::function<QStringList()> installedPrinters;

private:
    QComboBox *pickList(const QString &name, const QStringList &items, const QString &current);
    QWidget *pollFileRow();
    void offerPageSizes();
    void choosePollFile();
    LinePrinter typed() const;

    LinePrinters &m_printers;
    LinePrinter m_printer;
    QComboBox *m_name, *m_type, *m_orientation, *m_format, *m_tray;
    QLineEdit *m_pollFile = nullptr;
};

} // namespace kv::listdetail
