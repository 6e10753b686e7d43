#pragma once

#include "core/navigation/childscreen.h"

namespace kv {

class Context;

// Stands in for a screen that is not built yet: its title, the screen's name and, for the
// code-table editor, the table it was asked to edit.
class PlaceholderScreen : public ChildScreen {
    Q_OBJECT
public:
    PlaceholderScreen(const QString &screen, const QString &title, const Context &ctx, QWidget *parent = nullptr);

    const QString &screen() const { return m_screen; }
    const QString &title() const { return m_title; }
    const QString &table() const { return m_table; }

private:
    QString m_screen;
    QString m_title;
    QString m_table;
};

} // namespace kv
