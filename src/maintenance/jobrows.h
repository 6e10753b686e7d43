#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace kv {
class TaskForm;
class YesNo;
} // namespace kv

namespace kv::maintenance {

// The rows the maintenance screens are made of, below their caption and texts.
QLineEdit *limitRow(TaskForm &form, QWidget *screen, const QString &caption);
YesNo *switchRow(TaskForm &form, QWidget *screen, const QString &caption, const QString &name);
// The button row: the job's own button (and more), then "Proefdraaien".
QPushButton *jobButton(QWidget *screen, const QString &text, const QString &name);
// Where a trial's outcome is listed; hidden until there is one.
QPlainTextEdit *trialPanel(TaskForm &form, QWidget *screen);

} // namespace kv::maintenance
