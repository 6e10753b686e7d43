// The mapping onto the schema, through a source that is no Jet file: tables and columns as
// the suite names them, with what an old administration holds that does not fit.
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "migration/importjob.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

using schema::Type;

struct MemoryTable {
    SourceTable table;
    std::vector<Row> rows;
};

class MemorySource : public SourceReader {
public:
    MemorySource(QString path, std::vector<MemoryTable> tables) : m_path(std::move(path)), m_tables(std::move(tables)) {}
    QString path() const override { return m_path; }
    std::vector<SourceTable> tables() override
    {
        std::vector<SourceTable> result;
        for (const MemoryTable &t : m_tables)
            result.push_back(t.table);
        return result;
    }
    void read(const SourceTable &table, const std::function<bool(const Row &)> &visit) override
    {
        for (const MemoryTable &t : m_tables)
            if (t.table.name == table.name)
                for (const Row &row : t.rows)
                    if (!visit(row))
                        return;
    }

private:
    QString m_path;
    std::vector<MemoryTable> m_tables;
};

QVariant date(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

// Open items as an old administration keeps them: other case, an AutoNumber with a gap, an
// amount of 0.1, a column the schema lacks (Kenmerk) and ones the source lacks (Boekjaar,
// VervalDatum), a text in an amount field, a text too long, a date beyond Jet's range; and a
// nutrient table in the main file.
std::vector<MemoryTable> oldAdministration()
{
    const QString tooLong(101, u'x');
    return {
        {{u"OPENSTAANDEPOSTEN"_s,
          {{u"id"_s, Type::Counter}, {u"relnr"_s, Type::Text, 15}, {u"FactuurNr"_s, Type::Text, 15},
           {u"FactuurDatum"_s, Type::DateTime}, {u"Omschrijving"_s, Type::Text, 255}, {u"FactuurBedrag"_s, Type::Currency},
           {u"AfboekingsBedrag"_s, Type::Text, 20}, {u"Kenmerk"_s, Type::Text, 10}},
          3},
         {
             {1, u"100"_s, u"F1"_s, date(2024, 1, 31), u"Eerste"_s, qint64(1000), u"12,50"_s, u"a"_s},
             {2, u"100"_s, u"F2"_s, date(10000, 1, 1), tooLong, qint64(-123456), u"veel"_s, QVariant()},
             {5, u"200"_s, u"F5"_s, QVariant(), u"Laatste"_s, qint64(99999999), QVariant(), u"c"_s},
         }},
        {{u"Notities"_s, {{u"Nr"_s, Type::Long}, {u"Tekst"_s, Type::Memo}, {u"Actief"_s, Type::YesNo}}, 2},
         {{1, u"Bel Jansen"_s, true}, {2, u"Gebeld"_s, false}}},
        // Kept in the main file, as some old administrations did without a Grondstof.mdb.
        {{u"grondstoffen"_s, {{u"GrondstofID"_s, Type::Long}, {u"Afkorting"_s, Type::Text, 10}}, 1}, {{7, u"KAS"_s}}},
    };
}

QStringList rows(db::Database &db, const QString &table, const QStringList &fields)
{
    QStringList result;
    auto rs = db.OpenTable(table);
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        QStringList values;
        for (const QString &field : fields)
            values << (rs->isNull(field) ? u"Null"_s : rs->value(field).toString());
        result << values.join(u'|');
    }
    return result;
}

TEST(Mapping, CopiesWhatFitsAndReportsTheRest)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"oud"_s), target = dir.filePath(u"Nieuw012026"_s);
    QDir().mkpath(source);
    for (const char *file : {"KORVENALDB.MDB", "Korvenal.lock", "werkplek1.client", "andere.txt"}) {
        QFile f(QDir(source).filePath(QLatin1StringView(file)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    QFile pwd(QDir(source).filePath(u"korvenal.pwd"_s));
    ASSERT_TRUE(pwd.open(QIODevice::WriteOnly));
    pwd.write(EncodeerWachtwoord(u"geheim"_s).toLatin1() + "\r\n");
    pwd.close();
    const OpenSource open = [](const QString &path) -> std::unique_ptr<SourceReader> {
        return std::make_unique<MemorySource>(path, oldAdministration());
    };

    EXPECT_EQ(importAdministration(source, target, open), 3);

    auto main = db::Database::open(QDir(target).filePath(u"KorvenalDB.sqlite"_s), u"geheim"_s);
    EXPECT_EQ(rows(*main, u"OpenstaandePosten"_s,
                   {u"ID"_s, u"RelNr"_s, u"FactuurDatum"_s, u"Omschrijving"_s, u"FactuurBedrag"_s, u"AfboekingsBedrag"_s, u"Boekjaar"_s}),
              (QStringList{u"1|100|20240131|Eerste|0.1|12.5|Null"_s, u"2|100|Null|Null|-12.3456|Null|Null"_s,
                           u"5|200|Null|Laatste|9999.9999|Null|Null"_s}));
    auto added = main->OpenTable(u"OpenstaandePosten"_s);
    added->AddNew();
    added->Update();
    EXPECT_EQ(main->OpenQuery(u"SELECT Max(ID) AS M FROM OpenstaandePosten"_s)->value(u"M").toInt(), 6);

    auto nutrients = db::Database::open(QDir(target).filePath(u"Grondstof.sqlite"_s), u"geheim"_s);
    EXPECT_EQ(rows(*nutrients, u"Grondstoffen"_s, {u"GrondstofID"_s, u"Afkorting"_s, u"Omschrijving"_s}), QStringList{u"7|KAS|Null"_s});

    auto unknown = db::Database::open(QDir(target).filePath(u"Onbekend.sqlite"_s), u"geheim"_s);
    EXPECT_EQ(rows(*unknown, u"Notities"_s, {u"Nr"_s, u"Tekst"_s, u"Actief"_s}), (QStringList{u"1|Bel Jansen|true"_s, u"2|Gebeld|false"_s}));
    EXPECT_EQ(rows(*unknown, u"OpenstaandePosten"_s, {u"ID"_s, u"Kenmerk"_s}), (QStringList{u"1|a"_s, u"2|Null"_s, u"5|c"_s}));

    QFile report(QDir(target).filePath(u"importverslag.txt"_s));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(report.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1);
    EXPECT_EQ(lines, (QStringList{
                         u"OpenstaandePosten, kolom Kenmerk: niet in het schema; bewaard in Onbekend.sqlite, tabel OpenstaandePosten"_s,
                         u"OpenstaandePosten, sleutel 2, veld FactuurDatum: '01-01-10000 00:00:00' niet overgezet: datum buiten het bereik (jaar 100 t/m 9999)"_s,
                         u"OpenstaandePosten, sleutel 2, veld Omschrijving: '"_s + QString(101, u'x')
                             + u"' niet overgezet: Het veld Omschrijving is te klein voor de gegevens die u wilt toevoegen (101 tekens, maximaal 100)."_s,
                         u"OpenstaandePosten, sleutel 2, veld AfboekingsBedrag: 'veel' niet overgezet: Fout bij conversie van gegevenstype: 'veel' past niet in veld AfboekingsBedrag."_s,
                         u"Notities: tabel niet in het schema; 2 rijen bewaard in Onbekend.sqlite"_s,
                     }))
        << lines.join(u'\n').toStdString();

    QStringList copied = QDir(target).entryList(QDir::Files);
    for (const char *file : {"Korvenal.lock", "werkplek1.client", "korvenal.pwd"})
        EXPECT_TRUE(copied.contains(QLatin1StringView(file))) << file;
    EXPECT_FALSE(copied.contains(u"andere.txt"_s));
    EXPECT_FALSE(copied.contains(u"KORVENALDB.MDB"_s));

    // Run again on the same target: refused, the administration made before is left as it is.
    EXPECT_EQ(importAdministration(source, target, open), 1);
    EXPECT_TRUE(QFile::exists(QDir(target).filePath(u"importverslag.txt"_s)));
}

} // namespace
} // namespace kv::migration
