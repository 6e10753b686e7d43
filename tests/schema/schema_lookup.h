#pragma once

#include "schema/schema.h"

#include <QString>

#include <ostream>
#include <string>

namespace kv::schema {
// Lets failures name the type instead of showing its bytes.
inline void PrintTo(Type type, std::ostream *os)
{
    static const char *const names[] = {"Text", "Memo", "Byte", "Integer", "Long", "Single",
                                        "Double", "Currency", "YesNo", "DateTime", "Counter"};
    *os << names[static_cast<int>(type)];
}
} // namespace kv::schema

// Lookups for the schema tests; names compare ignoring case, as the engine compares them.
namespace kv::schema::test {

inline bool sameName(const char *a, const char *b)
{
    return QString::fromLatin1(a).compare(QLatin1StringView(b), Qt::CaseInsensitive) == 0;
}

inline const Table *tableNamed(const char *name)
{
    return findTable(QString::fromLatin1(name));
}

inline const Field *fieldOf(const Table &table, const char *name)
{
    for (const Field &field : table.fields)
        if (sameName(field.name, name))
            return &field;
    return nullptr;
}

inline const Index *indexOf(const Table &table, const char *name)
{
    for (const Index &index : table.indexes)
        if (sameName(index.name, name))
            return &index;
    return nullptr;
}

// "OrderNr,RegelNr"
inline std::string fieldList(const Index &index)
{
    std::string list;
    for (const char *field : index.fields)
        list += (list.empty() ? "" : ",") + std::string(field);
    return list;
}

} // namespace kv::schema::test
