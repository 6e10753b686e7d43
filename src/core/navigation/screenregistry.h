#pragma once

#include "core/navigation/childscreen.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

namespace kv {

class Context;

// Makes a screen; it reads its data from the context while it is made and may throw.
using ScreenFactory = std::function<std::unique_ptr<ChildScreen>(Context &)>;

// The screens the dispatcher can open, by screen name (`frmBTW`, `frmHulp`, ...). Each
// library registers its screens at start-up; a screen that is not registered opens as a
// placeholder that names it.
class ScreenRegistry {
public:
    void add(const QString &screen, ScreenFactory make);

    // `title` is what the placeholder shows for a screen that is not registered.
    std::unique_ptr<ChildScreen> create(QStringView screen, Context &ctx, const QString &title) const;

private:
    QHash<QString, ScreenFactory> m_factories; // by lower-case name
};

} // namespace kv
