#include "core/db/tableinfo.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/statement.h"

#include <QRegularExpression>

namespace kv::db {
namespace {

struct TypeName {
    schema::Type type;
    const char *declared;
};

// Chosen so that SQLite's type affinity keeps what the engine writes: text stays text.
const TypeName typeNames[] = {
    {schema::Type::Memo, "LONGTEXT"},   {schema::Type::Byte, "BYTE"},         {schema::Type::Integer, "SHORT"},
    {schema::Type::Long, "LONG"},       {schema::Type::Single, "SINGLE"},     {schema::Type::Double, "DOUBLE"},
    {schema::Type::Currency, "CURRENCY"}, {schema::Type::YesNo, "YESNO"},     {schema::Type::DateTime, "DATETIME"},
    {schema::Type::Counter, "COUNTER"}, {schema::Type::Binary, "OLEOBJECT"},
};


} // namespace

QString declaredType(const schema::Field &field)
{
    if (field.type == schema::Type::Text)
        return QStringLiteral("TEXT(%1)").arg(field.size > 0 ? field.size : 255);
    for (const TypeName &t : typeNames)
        if (t.type == field.type)
            return QString::fromLatin1(t.declared);
    return QStringLiteral("TEXT(255)");
}

ColumnInfo columnFromDeclaration(const QString &name, const QString &declared)
{
    ColumnInfo column{name, schema::Type::Text, 255};
    static const QRegularExpression textType(QStringLiteral("^TEXT\\((\\d+)\\)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto match = textType.match(declared);
    if (match.hasMatch()) {
        column.size = match.captured(1).toInt();
        return column;
    }
    // The first match wins: LONGTEXT also starts with LONG.
    for (const TypeName &t : typeNames)
        if (declared.startsWith(QLatin1StringView(t.declared), Qt::CaseInsensitive)) {
            column.type = t.type;
            column.size = 0;
            break;
        }
    return column;
}

QString sqliteIndexName(const QString &table, const QString &index)
{
    return table + u'.' + index;
}

QStringList createStatements(const schema::Table &table)
{
    const QString name = QString::fromUtf8(table.name);
    QStringList columns;
    for (const schema::Field &f : table.fields) {
        QString column = quotedName(QString::fromUtf8(f.name)) + u' ' + declaredType(f);
        if (f.type == schema::Type::Text || f.type == schema::Type::Memo)
            column += QStringLiteral(" COLLATE JET");
        if (f.defaultValue)
            column += QStringLiteral(" DEFAULT ") + QString::fromUtf8(f.defaultValue);
        columns << column;
    }
    QStringList statements{QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(name), columns.join(QStringLiteral(", ")))};
    for (const schema::Index &index : table.indexes) {
        QStringList fields;
        for (const char *f : index.fields)
            fields << quotedName(QString::fromUtf8(f));
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(),
                               quotedName(sqliteIndexName(name, QString::fromUtf8(index.name))), quotedName(name),
                               fields.join(QStringLiteral(", ")));
    }
    return statements;
}

int TableInfo::column(QStringView name) const
{
    return byName.value(name.toString().toLower(), -1);
}

const IndexInfo *TableInfo::index(QStringView name) const
{
    for (const IndexInfo &i : indexes)
        if (i.name.compare(name, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

int TableInfo::counterColumn() const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].type == schema::Type::Counter)
            return int(i);
    return -1;
}

TableInfo TableInfo::read(Database &db, const QString &table)
{
    TableInfo info;
    {
        Statement s = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
        s.bind(1, table);
        if (!s.step())
            raise(3078, QStringLiteral("De invoertabel of query %1 is niet gevonden.").arg(table));
        info.name = s.column(0).toString();
    }
    {
        Statement s = db.prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
        s.bind(1, info.name);
        while (s.step()) {
            info.columns.push_back(columnFromDeclaration(s.column(0).toString(), s.column(1).toString()));
            info.byName.insert(info.columns.back().name.toLower(), int(info.columns.size() - 1));
        }
    }
    {
        Statement s = db.prepare(QStringLiteral(
            "SELECT il.name, il.\"unique\", ii.name FROM pragma_index_list(?1) il, pragma_index_info(il.name) ii "
            "ORDER BY il.name, ii.seqno"));
        s.bind(1, info.name);
        const QString prefix = info.name + u'.';
        while (s.step()) {
            const QString sqliteName = s.column(0).toString();
            if (!sqliteName.startsWith(prefix, Qt::CaseInsensitive))
                continue; // SQLite's own indexes
            const QString name = sqliteName.mid(prefix.size());
            if (info.indexes.empty() || info.indexes.back().name != name)
                info.indexes.push_back({name, {}, s.column(1).toInt() != 0});
            info.indexes.back().columns.push_back(info.column(s.column(2).toString()));
        }
    }
    return info;
}

} // namespace kv::db
