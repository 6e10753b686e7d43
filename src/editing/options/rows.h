#pragma once

#include "editing/options/option.h"

// The rows of the option tables, so that each table reads like the list of its screen:
// control, caption, where it is kept and how.
namespace kv::options::rows {

using options::Control;
using options::Encoding;
using options::Option;
using options::Place;

inline Option toggle(int n, const QString &caption, Place place, const QString &name, Encoding encoding)
{
    return {QStringLiteral("toggle %1").arg(n), caption, Control::Toggle, place, name, encoding};
}
inline Option dbToggle(int n, const QString &caption, const QString &name, Encoding encoding = Encoding::Db10)
{
    return toggle(n, caption, Place::UserGegevens, name, encoding);
}
inline Option regToggle(int n, const QString &caption, const QString &name, Encoding encoding = Encoding::Reg10)
{
    return toggle(n, caption, Place::Registry, name, encoding);
}
// A toggle kept as line `line` (from 0) of a marker file in the data folder.
inline Option fileToggle(int n, const QString &caption, const QString &file, int line, Encoding encoding)
{
    Option option = toggle(n, caption, Place::MarkerFile, file, encoding);
    option.line = line;
    return option;
}
// A field; one without a caption stands beside the toggle before it.
inline Option field(int n, const QString &caption, Place place, const QString &name, Control kind = Control::Text)
{
    const Encoding encoding = kind == Control::Number ? Encoding::Number
                            : kind == Control::Amount ? Encoding::Amount
                                                      : Encoding::Text;
    return {QStringLiteral("field %1").arg(n), caption, kind, place, name, encoding};
}
// A toggle that is a whole marker file: there, holding `text`, when on; when off not there, and
// neither are the files `alsoRemoved` names.
inline Option fileToggle(int n, const QString &caption, const QString &file, const QString &text,
                         const QStringList &alsoRemoved = {})
{
    Option option = toggle(n, caption, Place::MarkerFile, file, Encoding::Present);
    option.values = QStringList{text} + alsoRemoved;
    option.line = -1;
    return option;
}
// A drop-down list whose item i makes the marker file hold values[i] ("" : no file).
inline Option fileCombo(int n, const QString &caption, const QString &file, const QStringList &items,
                        const QStringList &values)
{
    return {QStringLiteral("combo %1").arg(n), caption, Control::Combo, Place::MarkerFile, file, Encoding::Item,
            items, values, -1};
}
// A group of choices stored as one registry text, item i storing values[i]; `mirror` names a
// marker file that holds the same text. `control` names the group where a screen has several.
inline Option regChoice(const QString &name, const QStringList &items, const QStringList &values,
                        const QString &mirror = {}, const QString &control = QStringLiteral("choice"))
{
    return {control, {}, Control::Choice, Place::Registry, name, Encoding::Item, items, values, 0, mirror};
}
// A drop-down list stored as one registry text, item i storing values[i].
inline Option regItems(int n, const QString &caption, const QString &name, const QStringList &items,
                       const QStringList &values)
{
    return {QStringLiteral("combo %1").arg(n), caption, Control::Combo, Place::Registry, name, Encoding::Item,
            items, values};
}
// A drop-down list stored as one registry text: the chosen item's position, "0" upwards.
inline Option regCombo(int n, const QString &caption, const QString &name, const QStringList &items)
{
    QStringList positions;
    for (qsizetype i = 0; i < items.size(); ++i)
        positions << QString::number(i);
    return regItems(n, caption, name, items, positions);
}
// A further registry value the drop-down list `control` writes: values[i] for item i, "" leaving
// it as it is.
inline Option along(const QString &control, const QString &name, const QStringList &values)
{
    Option option{name, {}, Control::Along, Place::Registry, name, Encoding::Item, {}, values};
    option.follows = control;
    return option;
}
// The same registry value for each administration: its name followed by the administration's code.
inline Option perAdministration(Option option)
{
    option.perAdministration = true;
    return option;
}
// A colour swatch.
inline Option colour(int n, const QString &caption, Place place, const QString &name)
{
    return {QStringLiteral("swatch %1").arg(n), caption, Control::Colour, place, name, Encoding::Number};
}
// A folder kept in the registry, typed or picked.
inline Option folder(int n, const QString &caption, const QString &name)
{
    return {QStringLiteral("folder %1").arg(n), caption, Control::Folder, Place::Registry, name, Encoding::Text};
}
// A text column holding the numeric value of what was typed ("12a": "12").
inline Option leadingNumber(int n, const QString &caption, const QString &name)
{
    return {QStringLiteral("field %1").arg(n), caption, Control::Text, Place::UserGegevens, name, Encoding::Leading};
}
// A column of another single-record table than `UserGegevens`.
inline Option inTable(const QString &table, Option option)
{
    option.table = table;
    return option;
}

// The caption of a block of the screen.
inline Option heading(const QString &caption)
{
    return {QStringLiteral("kop"), caption, Control::Heading, Place::Registry, {}, Encoding::Text};
}

} // namespace kv::options::rows
