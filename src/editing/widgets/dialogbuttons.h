#pragma once

class QDialog;
class QDialogButtonBox;

namespace kv {

// The OK button (cmdOK, the default) and "Annuleren" (cmdCancel) of a dialog, wired to its
// accept() and reject(); a dialog adds its own buttons to the box.
QDialogButtonBox *okCancelButtons(QDialog *dialog);

} // namespace kv
