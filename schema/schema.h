#pragma once

#include <QStringView>

#include <initializer_list>
#include <vector>

// The tables of an administration: every table, its fields and indexes, and the database file
// that holds it. New administrations, the test fixtures and the demo are all made from this.
namespace kv::schema {

enum class Db { Main, Archive, Nutrient };

// The field types of the suite's databases.
enum class Type {
    Text,     // up to `size` characters (at most 255)
    Memo,     // long text
    Byte,     // 0..255
    Integer,  // 16-bit
    Long,     // 32-bit
    Single,
    Double,
    Currency, // money, four decimals
    YesNo,    // stored as -1 / 0
    DateTime,
    Counter,  // a Long that the engine numbers on insert
    Binary,   // OLE objects and binary fields, kept as bytes (only tables brought over from Jet)
};

struct Field {
    const char *name;
    Type type;
    int size = 0;                        // for Text: the maximum length
    const char *defaultValue = nullptr; // an SQL literal, e.g. "0" or "' '"
};

struct Index {
    const char *name;
    std::vector<const char *> fields;
    bool unique = false;
    bool primary = false;
};

struct Table {
    const char *name;
    Db db;
    std::vector<Field> fields;
    std::vector<Index> indexes;
    // The console's own table, beyond those of the suite: made when an administration that was
    // made before it is opened.
    bool own = false;
};

// Every table, grouped by subject in the source files; the order within the list is not meaningful.
const std::vector<Table> &tables();

// The tables of an order that move to the archive, each with its archive table of the same
// layout, in the order they are moved.
struct ArchivePair {
    const char *working, *archive;
};
const std::vector<ArchivePair> &orderArchivePairs();

// Case-insensitive lookup; nullptr when the schema has no such table.
const Table *findTable(QStringView name);

// The database file (without extension) that holds tables of `db`: "KorvenalDB", "Archief", "Grondstof".
const char *databaseName(Db db);

// Helpers that keep the table lists short.
inline Field text(const char *name, int size = 50) { return {name, Type::Text, size}; }
inline Field memo(const char *name) { return {name, Type::Memo}; }
inline Field byte(const char *name) { return {name, Type::Byte}; }
inline Field integer(const char *name) { return {name, Type::Integer}; }
inline Field longInt(const char *name) { return {name, Type::Long}; }
inline Field single(const char *name) { return {name, Type::Single}; }
inline Field dbl(const char *name) { return {name, Type::Double}; }
inline Field currency(const char *name) { return {name, Type::Currency}; }
inline Field yesNo(const char *name) { return {name, Type::YesNo, 0, "0"}; }
inline Field dateTime(const char *name) { return {name, Type::DateTime}; }
inline Field counter(const char *name) { return {name, Type::Counter}; }
// A date kept as eight-digit text yyyymmdd.
inline Field dateText(const char *name) { return {name, Type::Text, 8}; }

inline Index primaryKey(std::initializer_list<const char *> fields) { return {"PrimaryKey", fields, true, true}; }
inline Index index(const char *name, std::initializer_list<const char *> fields) { return {name, fields}; }
inline Index uniqueIndex(const char *name, std::initializer_list<const char *> fields) { return {name, fields, true}; }

// A code table of the code-table editor: `CodeNr`, `Omschrijving`, `Selected`, `RecordCode`.
Table codeTable(const char *name);
// A table with the code-table fields and key followed by fields of its own.
Table codeTable(const char *name, std::initializer_list<Field> more);

} // namespace kv::schema
