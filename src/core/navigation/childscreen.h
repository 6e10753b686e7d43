#pragma once

#include <QWidget>

namespace kv {

// A configuration screen shown in the content area of the main window. It reads its data
// when it is made and writes it only through its own save button; whatever was not saved
// is lost when another screen opens.
class ChildScreen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Called each time the screen is shown in the content area, also when its menu row is
    // chosen again while it is open.
    virtual void Init() {}

Q_SIGNALS:
    // A save succeeded; the main window shows "Gegevens opslaan...".
    void saved();
};

} // namespace kv
