#include "editing/options/optionstool.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "editing/options/audittrail.h"
#include "editing/options/encoding.h"
#include "editing/numbers.h"
#include "editing/options/optionslogic.h"
#include "core/registry/registry.h"

namespace kv::options {
namespace {

QString keyOf(const Context &ctx, const OptionScreen &screen, const Option &option)
{
    if (option.perAdministration)
        return registryName(option, ctx.AdminCode);
    if (!option.table.isEmpty())
        return option.table + u'.' + option.name;
    if (option.place != Place::MarkerFile)
        return option.name;
    if (option.line < 0)
        return markerFileName(option.name, ctx.workstation);
    const auto lines = std::count_if(screen.options.begin(), screen.options.end(), [&](const Option &o) {
        return o.place == Place::MarkerFile && o.name == option.name;
    });
    return lines > 1 ? option.name + u':' + QString::number(option.line + 1) : option.name;
}


// The state for a value given on the command line; nothing when the option cannot take it.
std::optional<QString> stateFor(const Option &option, const QString &value)
{
    switch (option.kind) {
    case Control::Toggle:
        if (value == u"aan" || value == u"uit")
            return value == u"aan" ? QStringLiteral("on") : QStringLiteral("off");
        return std::nullopt;
    case Control::Choice:
    case Control::Combo: {
        if (option.encoding == Encoding::CodeKey) // the entry's key
            return value.isEmpty() || IsNumeriek(value) ? std::optional(value) : std::nullopt;
        if (option.entries) // the text an entry stores; the screen's checks judge it
            return value;
        bool ok = false;
        const int item = value.toInt(&ok);
        return ok && item >= 0 && item < option.items.size() ? std::optional(QString::number(item)) : std::nullopt;
    }
    case Control::Picks:
        for (const QString &key : value.split(u',', Qt::SkipEmptyParts))
            if (!option.values.contains(key))
                return std::nullopt;
        return value;
    default:
        return value;
    }
}

QString allowed(const Option &option)
{
    if (option.kind == Control::Toggle)
        return QStringLiteral("aan of uit");
    if (option.kind == Control::Picks)
        return u"sleutels gescheiden door komma's: " + option.values.join(u", ");
    return QStringLiteral("0 tot en met %1").arg(option.items.size() - 1);
}

} // namespace

std::vector<OptionRow> listOptions(Context &ctx, const std::vector<OptionScreen> &screens)
{
    std::vector<OptionRow> rows;
    for (const OptionScreen &screen : screens) {
        const OptionsLogic logic(ctx, screen);
        for (int i = 0; i < int(screen.options.size()); ++i) {
            const Option &option = screen.options[size_t(i)];
            if (option.kind == Control::Heading || option.kind == Control::Button)
                continue;
            const QString &state = logic.state(i);
            if (option.secret)
                rows.push_back({screen.screen, keyOf(ctx, screen, option), Verborgen.toString(), Verborgen.toString(), option.kind});
            else
                rows.push_back({screen.screen, keyOf(ctx, screen, option), logText(logic.loaded(i)).toString(),
                                describedState(option, state), option.kind});
        }
    }
    return rows;
}

bool setOptions(Context &ctx, const OptionScreen &screen, const QStringList &assignments)
{
    OptionsLogic logic(ctx, screen);
    for (const QString &assignment : assignments) {
        const QString key = assignment.section(u'=', 0, 0), value = assignment.section(u'=', 1);
        int found = -1;
        for (int i = 0; i < int(screen.options.size()) && found < 0; ++i)
            if (screen.options[size_t(i)].kind != Control::Heading && screen.options[size_t(i)].kind != Control::Along
                && screen.options[size_t(i)].kind != Control::Button
                && keyOf(ctx, screen, screen.options[size_t(i)]).compare(key, Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0 || !assignment.contains(u'=')) {
            ctx.dialogs->MsgBox(QStringLiteral("%1 heeft geen instelling %2.").arg(screen.screen, key), mb::Exclamation);
            return false;
        }
        const Option &option = screen.options[size_t(found)];
        if (option.readOnly) {
            ctx.dialogs->MsgBox(QStringLiteral("%1 kan niet worden gewijzigd.").arg(key), mb::Exclamation);
            return false;
        }
        if (logic.locked(found)) {
            ctx.dialogs->MsgBox(QStringLiteral("%1 is vergrendeld omdat de administratie er al gebruik van maakt. Geef het "
                                               "veld eerst vrij in het scherm %2.")
                                    .arg(key, screen.caption),
                                mb::Exclamation);
            return false;
        }
        const std::optional<QString> state = stateFor(option, value);
        if (!state) {
            ctx.dialogs->MsgBox(QStringLiteral("%1 kan niet %2 zijn (%3).").arg(key, value, allowed(option)),
                                mb::Exclamation);
            return false;
        }
        logic.setState(found, *state, false); // the screen's own steps run with the save
    }
    if (!logic.save())
        return false;
    for (int i = 0; screen.remark && i < int(screen.options.size()); ++i) // advice never stops the save
        if (const Remark remark = screen.remark(logic, i); remark.advice && !remark.text.isEmpty())
            ctx.dialogs->MsgBox(remark.text, mb::Information);
    return true;
}

} // namespace kv::options
