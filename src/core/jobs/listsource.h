#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace kv {

class Context;

// A list as it leaves the console: its title, its column headers, how many rows it has, and
// a walk over them in list order that hands each row's shown texts to a visitor (false stops
// the walk). Screens make one of what they show; the export writes it to a file.
struct ListSource {
    QString title;
    QStringList headers;
    qint64 rowCount = 0;
    std::function<void(const std::function<bool(const QStringList &)> &)> visitRows;
};

// `source` over what `owner` holds, kept alive as long as the source is.
template <typename Owner>
ListSource keepingAlive(std::shared_ptr<Owner> owner, ListSource source)
{
    source.visitRows = [owner = std::move(owner), visit = std::move(source.visitRows)](const auto &visitor) { visit(visitor); };
    return source;
}

// A list the automation tool is asked for: its name (a form, a table, a search kind) and
// what narrows it: the days of a list per day (stored dates), the text of a search.
struct ListRequest {
    QString name;
    QString datum, tm;
    QString zoek;
};

// What a library answers for a request: the list, or why a list of that name cannot be given
// as asked; neither when the name is not one of its lists.
struct FoundList {
    std::optional<ListSource> source;
    QString refusal;
    bool found() const { return source || !refusal.isEmpty(); }
};
using ListFinder = std::function<FoundList(Context &, const ListRequest &)>;

} // namespace kv
