#pragma once

#include "core/navigation/childscreen.h"
#include "printing/printersetup.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace kv {

class YesNo;

// The printer settings (`frmPrinters`) over `PrinterSetup`: a group of four lists per document
// kind, the VDM corrections, the printing switches and the save button.
class frmPrinters : public ChildScreen {
    Q_OBJECT
public:
    explicit frmPrinters(Context &ctx, QWidget *parent = nullptr);

private:
    // The controls of one kind: printer, orientation, size and tray, and what the printer,
    // size and tray list say under them.
    struct Lists {
        QComboBox *printer, *orientation, *size, *tray;
        QLabel *notAvailable[3];
    };

    QWidget *kindGroup(int kind);
    QLineEdit *correctionField(int which);
    void showSizesAndTrays(int kind);
    void cmdSave_Click();

    PrinterSetup m_setup;
    std::array<Lists, 8> m_lists{};
    QLineEdit *m_corrections[2] = {};
};

} // namespace kv
