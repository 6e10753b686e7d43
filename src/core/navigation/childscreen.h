#pragma once

#include <QWidget>

namespace kv {

// A configuration screen shown in the content area of the main window. It reads its data
// when it is made and writes it through its own save button, or when it is left.
class ChildScreen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Called each time the screen is shown in the content area, also when its menu row is
    // chosen again while it is open.
    virtual void Init() {}

    // The screen is about to be left (another screen opens, back to the overview, the console
    // closes): a screen that saves on leaving does it here. False keeps it open, after it has
    // said why; what the user typed stays.
    virtual bool leave() { return true; }

Q_SIGNALS:
    // A save succeeded; the main window shows "Gegevens opslaan...".
    void saved();
    // The screen's work is done: the main window closes it and shows the section's menu.
    void done();
};

} // namespace kv
