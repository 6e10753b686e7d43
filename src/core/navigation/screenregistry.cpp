#include "core/navigation/screenregistry.h"

#include "core/navigation/placeholderscreen.h"

namespace kv {

void ScreenRegistry::add(const QString &screen, ScreenFactory make)
{
    m_factories.insert(screen.toLower(), std::move(make));
}

std::unique_ptr<ChildScreen> ScreenRegistry::create(QStringView screen, Context &ctx, const QString &title) const
{
    const auto it = m_factories.constFind(screen.toString().toLower());
    if (it != m_factories.cend())
        return (*it)(ctx);
    return std::make_unique<PlaceholderScreen>(screen.toString(), title, ctx);
}

} // namespace kv
