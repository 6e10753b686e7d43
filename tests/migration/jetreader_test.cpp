// The Jet reader on real Access files, held against mdbtools' own command-line reader.
#include "migration/jetreader.h"

#include "core/db/database.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QProcess>

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

const QString Nwind = QStringLiteral(MDB_DATA "/nwind.mdb");
const QString DateTest = QStringLiteral(MDB_DATA "/DateTestDatabase.mdb");

using Cell = std::optional<QString>; // nullopt: an unquoted empty field, Null

QByteArray runMdb(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// mdb-export's rows, with separators and a Null mark that no value holds.
std::vector<std::vector<Cell>> exported(const QString &file, const QString &table)
{
    const QString text = QString::fromUtf8(runMdb(u"mdb-export"_s, {u"-H"_s, u"-Q"_s, u"-b"_s, u"strip"_s, u"-d"_s, u"\x1f"_s, u"-R"_s,
                                                                     u"\x1e"_s, u"-0"_s, u"\x1d"_s, u"-T"_s, u"%Y-%m-%d %H:%M:%S"_s, file, table}));
    std::vector<std::vector<Cell>> rows;
    for (const QString &line : text.split(u'\x1e', Qt::SkipEmptyParts)) {
        rows.emplace_back();
        for (const QString &field : line.split(u'\x1f'))
            rows.back().push_back(field == u"\x1d" ? std::nullopt : Cell(field));
    }
    return rows;
}

QString amount(qint64 units)
{
    return (units < 0 ? u"-"_s : QString()) + QString::number(std::abs(units) / 10000) + u'.'
           + QString::number(std::abs(units) % 10000).rightJustified(4, u'0');
}

// Whether the reader's value is what mdb-export printed for the same field.
::testing::AssertionResult same(const SourceColumn &column, const QVariant &value, const Cell &printed)
{
    if (value.isNull() || !printed)
        return value.isNull() == !printed ? ::testing::AssertionSuccess()
                                          : ::testing::AssertionFailure() << column.name.toStdString() << ": Null on one side only";
    QString ours;
    switch (column.type) {
    case schema::Type::Binary: return ::testing::AssertionSuccess(); // mdb-export was told to leave them out
    case schema::Type::Single:
    case schema::Type::Double: {
        const double theirs = printed->toDouble();
        if (std::fabs(theirs - value.toDouble()) <= 1e-6 * std::max(1.0, std::fabs(theirs)))
            return ::testing::AssertionSuccess();
        ours = QString::number(value.toDouble(), 'g', 17);
        break;
    }
    case schema::Type::Currency: ours = amount(value.toLongLong()); break;
    case schema::Type::DateTime: ours = value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s); break;
    case schema::Type::YesNo: ours = value.toBool() ? u"1"_s : u"0"_s; break;
    default: ours = value.toString();
    }
    if (ours == *printed)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << column.name.toStdString() << ": " << ours.toStdString() << " != " << printed->toStdString();
}

// Every table of both files, every row and every value, as mdb-export reads them. Dates that
// mdbtools cannot print (the years 9999 and before 1900 of the date test) are checked apart.
TEST(JetReader, ReadsEveryTableAsMdbExportDoes)
{
    for (const QString &file : {Nwind, DateTest}) {
        JetReader reader(file);
        const std::vector<SourceTable> tables = reader.tables();
        QStringList names;
        for (const SourceTable &table : tables)
            names << table.name;
        EXPECT_EQ(names.join(u'\n') + u'\n', QString::fromUtf8(runMdb(u"mdb-tables"_s, {u"-1"_s, file})));
        for (const SourceTable &table : tables) {
            SCOPED_TRACE(table.name.toStdString());
            const auto witness = exported(file, table.name);
            size_t row = 0;
            reader.read(table, [&](const Row &values) {
                for (size_t c = 0; row < witness.size() && c < values.size(); ++c) {
                    if (!witness[row][c] || !witness[row][c]->startsWith(u"1900-01-00")) {
                        EXPECT_TRUE(same(table.columns[c], values[c], witness[row][c])) << "row " << row;
                    }
                }
                ++row;
                return true;
            });
            EXPECT_EQ(row, witness.size());
            EXPECT_EQ(qint64(row), table.rows);
        }
    }
}

// What the witness cannot show: the column types, names beyond ASCII, the amounts' exact
// units and the dates outside mdbtools' printing.
TEST(JetReader, TypesNamesAmountsAndDates)
{
    JetReader nwind(Nwind);
    const auto tables = nwind.tables();
    const auto table = [&](QStringView name) { return *std::find_if(tables.begin(), tables.end(), [&](const auto &t) { return t.name == name; }); };
    const struct {
        const char *table, *column;
        schema::Type type;
        int size;
    } columns[] = {
        {"Orders", "OrderID", schema::Type::Counter, 0}, {"Orders", "Freight", schema::Type::Currency, 0},
        {"Orders", "OrderDate", schema::Type::DateTime, 0}, {"Orders", "ShipName", schema::Type::Text, 40},
        {"Products", "Discontinued", schema::Type::YesNo, 0}, {"Order Details", "Discount", schema::Type::Single, 0},
        {"Employees", "Notes", schema::Type::Memo, 0}, {"Employees", "Photo", schema::Type::Binary, 0},
    };
    for (const auto &expected : columns) {
        const SourceTable t = table(QString::fromUtf8(expected.table));
        const auto column = std::find_if(t.columns.begin(), t.columns.end(), [&](const auto &c) { return c.name == QLatin1StringView(expected.column); });
        ASSERT_NE(column, t.columns.end()) << expected.column;
        EXPECT_EQ(column->type, expected.type) << expected.column;
        EXPECT_EQ(column->size, expected.size) << expected.column;
    }
    EXPECT_EQ(table(u"Umsätze").rows, 830);

    QStringList names;
    qint64 freight = 0;
    nwind.read(table(u"Customers"), [&](const Row &row) { names << row[1].toString(); return true; });
    nwind.read(table(u"Orders"), [&](const Row &row) { freight += row[7].toLongLong(); return true; });
    EXPECT_TRUE(names.contains(u"Comércio Mineiro"_s));
    EXPECT_TRUE(names.contains(u"Folk och fä HB"_s));
    EXPECT_EQ(freight % 100, 0) << "amounts of two decimals stay whole cents";

    JetReader dates(DateTest);
    QStringList shown;
    dates.read(dates.tables().front(), [&](const Row &row) {
        shown << row[4].toString() + u' ' + row[1].toDateTime().toString(u"yyyy-MM-dd"_s);
        return true;
    });
    EXPECT_EQ(shown.value(1).section(u' ', -1).left(4), u"9999") << shown.join(u" | ").toStdString();
}

TEST(JetReader, RefusesWhatIsNoJetFile)
{
    for (const QString &path : {QStringLiteral(MDB_DATA "/SOURCE.md"), QStringLiteral(MDB_DATA "/missing.mdb")}) {
        EXPECT_FALSE(db::isAccessDatabase(path));
        EXPECT_THROW(JetReader{path}, SourceError);
    }
    EXPECT_TRUE(db::isAccessDatabase(Nwind));
}

} // namespace
} // namespace kv::migration
