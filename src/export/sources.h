#pragma once

#include "export/exporter.h"

#include <optional>

namespace kv {
class Context;
namespace listdetail {
class ListLogic;
}
} // namespace kv

namespace kv::exporting {

// A list-and-detail list as it stands in `logic` (which must outlive the source).
ListSource listSource(listdetail::ListLogic &logic);

// A list by the name the tool is given: a list-and-detail screen by its form name
// (frmVerpakkingen) or a code table by its table name; nothing for another name.
std::optional<ListSource> sourceNamed(Context &ctx, const QString &name);

} // namespace kv::exporting
