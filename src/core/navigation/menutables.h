#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace kv::nav {

// What a key opens: a screen, or the code-table editor `frmHulp` on a table.
struct Opens {
    QStringView screen;
    QStringView table; // only for frmHulp
};
constexpr Opens screen(QStringView name) { return {name, {}}; }
constexpr Opens hulp(QStringView table) { return {u"frmHulp", table}; }

// When a menu row is shown: always, or only while a file of that name is in the data folder.
struct ShownWhen {
    QStringView file;
};
inline constexpr ShownWhen always{};
constexpr ShownWhen fileExists(QStringView name) { return {name}; }

// One row of a section's menu. Captions are written as designed: "&&" shows as "&".
struct MenuRow {
    int row;
    QStringView caption;
    QStringView key;
    Opens opens;
    ShownWhen shownWhen;
};

struct MenuSection {
    QStringView key;
    QStringView header;
    std::vector<MenuRow> rows;
};

const std::vector<MenuSection> &menuSections();
const MenuSection *findSection(QStringView key);

// The rows of `section` in order, with nullptr for a row whose condition fails in the data
// folder `dataPad`: a hidden row keeps its number, so the rows after it do not move up.
std::vector<const MenuRow *> shownRows(const MenuSection &section, const QString &dataPad);

// What the dispatcher opens for `key`, compared without regard to case; nothing for a key it
// does not know. Besides the menu rows' keys it accepts two that no row carries.
std::optional<Opens> screenFor(QStringView key);

// The caption of the menu row that carries `key`; empty when no row does.
QString captionFor(QStringView key);

// A designed caption as it is shown: "&&" becomes "&".
QString displayed(QStringView caption);

} // namespace kv::nav
