#pragma once

#include <QString>

#include <functional>

namespace kv {
class Context;
}

namespace kv::options {

// Undoes the latest save of `form` by this user on this workstation that is not undone yet,
// after asking: every value it changed back as it was, all or nothing, itself recorded as a
// save. Registry values and marker files (`filePath` gives a file's place) are put back first
// and put back again when the database part does not land. A value changed since cannot be
// undone. Database values are named "Table.Column" (the table's one record) or
// "Table[key].Column" (a row found on its primary key; a row the save added is deleted, one it
// deleted is added again). True when undone.
bool undoLastSave(Context &ctx, const QString &form, const std::function<QString(const QString &file)> &filePath);

} // namespace kv::options
