#pragma once

#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace kv {

class BusyPanel;

// The layout of a screen that runs one task: its caption, lines of plain text, the controls,
// the button that starts the task and the busy panel under it.
class TaskForm {
public:
    TaskForm(QWidget *screen, int spacing);

    QVBoxLayout *layout() const { return m_layout; }
    QLabel *caption(const QString &text);
    QLabel *text(const QString &text, const char *name, bool bold = false);
    QPushButton *button(const QString &text, const char *name);
    // Puts `widget` beside the last button; nothing when it is null.
    void beside(QWidget *widget);
    // The busy panel under the button, the rest of the screen empty.
    void end(BusyPanel *busy);

private:
    QWidget *m_screen;
    QVBoxLayout *m_layout;
    QHBoxLayout *m_buttonRow = nullptr;
};

} // namespace kv
