#include "editing/widgets/exportbutton.h"

#include "core/context.h"
#include "core/jobs/listsource.h"

#include <QPushButton>

namespace kv {

QPushButton *exportButton(Context &ctx, QWidget *screen, std::function<std::optional<ListSource>()> source)
{
    if (!ctx.exportList)
        return nullptr;
    auto *button = new QPushButton(QStringLiteral("Exporteren..."), screen);
    button->setObjectName(QStringLiteral("cmdExporteren"));
    button->setMinimumWidth(110);
    QObject::connect(button, &QPushButton::clicked, screen,
                     [&ctx, screen, source = std::move(source)] {
                         if (const std::optional<ListSource> list = source())
                             ctx.exportList(*list, screen);
                     });
    return button;
}

} // namespace kv
