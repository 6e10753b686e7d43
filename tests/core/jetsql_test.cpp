#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/jetsql.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"


#include <QTemporaryDir>

#include "support/printers.h"
#include "support/sqlshape.h"

#include <gtest/gtest.h>

using namespace kv::schema;
using namespace Qt::StringLiterals;

namespace {

// The query shapes of the selection window, the chart of accounts and the ledger account
// field, run on data that shows prefix ranges, "contained after a space" and case.
class JetSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::vector<Table> tables = {
            {"TabelArtikelGroepen", Db::Main, {text("Codenr", 10), text("Omschrijving", 50)}, {primaryKey({"CodeNr"})}},
            {"Rekeningschema", Db::Main, {text("GrootboekReknr", 8), text("Omschrijving", 50), yesNo("Balans")},
             {primaryKey({"GrootboekReknr"})}},
        };
        db = kv::db::Database::create(dir.filePath(QStringLiteral("t.sqlite")), {}, tables);
        db->write([&] {
            for (const char *code : {"AB1", "ab2", "X AB3", "XAB4", "B", "ABÿ"})
                db->Execute(QStringLiteral("INSERT INTO TabelArtikelGroepen VALUES (\"%1\", \"Groep %1\")")
                                .arg(QString::fromUtf8(code)));
            const std::pair<const char *, const char *> accounts[] = {
                {"0800", "Inventaris"},          {"1000", "Kas"},           {"1100", "Bank ABN"},
                {"8000", "Omzet hoog-tarief"},   {"8010", "Omzet tarief laag"}, {"8020", "Tarra opbrengst"},
                {"4000", "Kosten motarchief"},   {"0008", "Oude rekening"},
            };
            for (const auto &[nr, name] : accounts)
                db->Execute(QStringLiteral("INSERT INTO Rekeningschema (GrootboekReknr, Omschrijving) VALUES ('%1', '%2')")
                                .arg(QString::fromLatin1(nr), QString::fromLatin1(name)));
        });
    }

    QStringList column(const QString &jetSql, QStringView field = u"Codenr")
    {
        QStringList values;
        auto rs = db->OpenRecordset(jetSql);
        for (; !rs->Eof(); rs->MoveNext())
            values << rs->text(field);
        return values;
    }

    QTemporaryDir dir;
    std::unique_ptr<kv::db::Database> db;
};

const QString ff = QString(QChar(255));

} // namespace

TEST_F(JetSqlTest, ChartOfAccountsSearchesDescriptionsAndNumbers)
{
    const QString x = QStringLiteral("tar");
    const QString byDescription = QStringLiteral(
        "SELECT * From Rekeningschema WHERE ((Left(Rekeningschema!Omschrijving, 3 ) >= '%1' AND "
        "Left(Rekeningschema!omschrijving, 3 ) <= '%1%2') OR (instr(Rekeningschema.Omschrijving, \" %1\") > 0 ) OR "
        "(instr(Rekeningschema.Omschrijving, \"-%1\") > 0 ) ) ORDER BY Rekeningschema.Omschrijving ASC")
                                      .arg(x, ff);
    EXPECT_EQ(column(byDescription, u"GrootboekReknr"), QStringList({"8000", "8010", "8020"}));

    // By number: as typed or padded with zeros to the account length.
    const QString byNumber = QStringLiteral(
        "SELECT * From Rekeningschema WHERE (Rekeningschema.GrootboekReknr >= '%1' AND Rekeningschema.Grootboekreknr "
        "<= '%1%3') OR (Rekeningschema.GrootboekReknr >= '%2' AND Rekeningschema.Grootboekreknr <= '%2%3') "
        "ORDER BY Rekeningschema.Grootboekreknr ASC");
    EXPECT_EQ(column(byNumber.arg(QStringLiteral("80"), QStringLiteral("0080"), ff), u"GrootboekReknr"),
              QStringList({"8000", "8010", "8020"}));
    EXPECT_EQ(column(byNumber.arg(QStringLiteral("8"), QStringLiteral("0008"), ff), u"GrootboekReknr"),
              QStringList({"0008", "8000", "8010", "8020"}));

    // The ledger account field: number prefix or description containing the text.
    const QString field = QStringLiteral("SELECT * From Rekeningschema WHERE ((Rekeningschema.GrootboekReknr >= '%1' AND "
                                         "Rekeningschema.GrootboekReknr <= '%1%2') OR (instr(Rekeningschema.Omschrijving, "
                                         "\"%1\") > 0 ))");
    EXPECT_EQ(column(field.arg(QStringLiteral("BANK"), ff), u"GrootboekReknr"), QStringList({"1100"}));
    EXPECT_EQ(column(field.arg(QStringLiteral("arch"), ff), u"GrootboekReknr"), QStringList({"4000"}));
}

TEST_F(JetSqlTest, JetDialectBecomesSQLite)
{
    struct Case {
        const char *jet;
        QStringList expected;
    };
    const Case cases[] = {
        {"SELECT TOP 2 * FROM TabelArtikelGroepen ORDER BY Codenr", {"AB1", "ab2"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE Codenr LIKE \"a*\" ORDER BY Codenr", {"AB1", "ab2", "ABÿ"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE Codenr LIKE 'AB?' AND Codenr <> 'ABÿ' ORDER BY Codenr", {"AB1", "ab2"}},
        {"SELECT * FROM [TabelArtikelGroepen] WHERE [Codenr] & \"-\" & lcase(Omschrijving) = 'b-groep b'", {"B"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE UCase(Left(Codenr, 1)) = 'x' ORDER BY Codenr DESC", {"XAB4", "X AB3"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE Mid(Codenr, 2, 1) = \"b\" AND Len(Codenr) = 3 AND True ORDER BY 1",
         {"AB1", "ab2", "ABÿ"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE Codenr = \"X \"\"AB3\"\"\" OR Codenr = 'B';", {"B"}},
        {"SELECT * FROM TabelArtikelGroepen WHERE Codenr >= 'ab' & Chr(255)", {"ABÿ", "B", "X AB3", "XAB4"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(column(QString::fromUtf8(c.jet)), c.expected) << c.jet;

    auto counted = db->OpenRecordset(QStringLiteral("SELECT Count(*) AS n, CStr(1.5) AS t FROM TabelArtikelGroepen"));
    EXPECT_EQ(counted->value(u"n"), QVariant(qint64(6)));
    EXPECT_EQ(counted->text(u"t"), QStringLiteral("1,5"));
}

TEST_F(JetSqlTest, UnreadableTextIsASyntaxError)
{
    for (const char *bad : {"SELECT * FROM TabelArtikelGroepen WHERE Codenr = 'open", "SELECT * FROM x WHERE (a = 1",
                            "SELECT * FROM x WHERE a = 1)", "SELECT * FROM x WHERE d = #31-31-2024#",
                            "SELECT * FROM TabelArtikelGroepen WHERE Bestaatniet = 1", "SELECT ~ FROM x", "SELECT * FROM []"}) {
        try {
            db->OpenRecordset(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const kv::db::DbError &e) {
            EXPECT_EQ(e.number(), kv::db::ErrSyntax) << bad;
        }
    }
    EXPECT_EQ(kv::db::translateJetSql(QStringLiteral("SELECT * FROM t WHERE d = #12/31/2024#")).sql,
              QStringLiteral("SELECT * FROM t WHERE d = '2024-12-31 00:00:00'"));
}

TEST_F(JetSqlTest, LiteralsComparedWithAColumnKeepItsCollation)
{
    db->exec(QStringLiteral("CREATE TABLE Orders (Ordernr INTEGER, Naam TEXT COLLATE JET)"));
    db->exec(QStringLiteral("CREATE INDEX OrdersNr ON Orders (Ordernr)"));
    db->exec(QStringLiteral("INSERT INTO Orders VALUES (123, 'Één'), (124, 'twee')"));
    struct Case {
        const char *jet;
        QStringList expected;
    };
    const Case cases[] = {
        {"SELECT Naam FROM Orders WHERE Ordernr = '123'", {"Één"}},
        {"SELECT Naam FROM Orders WHERE '124' <= Orders!Ordernr", {"twee"}},
        {"SELECT Naam FROM Orders WHERE Naam = 'TWEE'", {"twee"}},         // the column's own JET
        {"SELECT Naam FROM Orders WHERE Naam & 'x' = 'TWEEX'", {"twee"}},  // an expression, not the column
        {"SELECT Naam FROM Orders WHERE Naam LIKE \"é*\"", {"Één"}},       // beyond ASCII
        {"SELECT Naam FROM Orders WHERE Naam LIKE 'ÉÉ?'", {"Één"}},
        {"SELECT Naam FROM Orders WHERE Naam LIKE '_ÉN'", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(column(QString::fromUtf8(c.jet), u"Naam"), c.expected) << c.jet;

    auto plan = db->OpenRecordset(
        QStringLiteral("EXPLAIN QUERY PLAN ") + kv::db::translateJetSql(QStringLiteral("SELECT * FROM Orders WHERE Ordernr = '123'")).sql);
    EXPECT_TRUE(plan->text(u"detail").contains(QStringLiteral("USING INDEX OrdersNr"))) << plan->text(u"detail").toStdString();
}

TEST_F(JetSqlTest, TopBelongsToItsOwnQuery)
{
    const QString sql = kv::db::translateJetSql(QStringLiteral(
        "SELECT * FROM TabelArtikelGroepen WHERE Codenr IN (SELECT TOP 2 Codenr FROM TabelArtikelGroepen ORDER BY Codenr DESC) "
        "ORDER BY Codenr")).sql;
    EXPECT_TRUE(sql.contains(QStringLiteral("DESC LIMIT 2)"))) << sql.toStdString();
    EXPECT_EQ(column(QStringLiteral("SELECT * FROM TabelArtikelGroepen WHERE Codenr IN (SELECT TOP 2 Codenr FROM "
                                    "TabelArtikelGroepen ORDER BY Codenr DESC) ORDER BY Codenr")),
              QStringList({"X AB3", "XAB4"}));
}

// Whatever a value holds, through jetText it is one literal: stored as a code, it is found by
// exactly that code, in either quote style, and the statement keeps the shape it has for "B".
TEST_F(JetSqlTest, AQuotedValueIsOneLiteral)
{
    const QString values[] = {
        u"\"; DELETE FROM TabelArtikelGroepen; --"_s, u"x' OR 'a'='a"_s, u"a\"\"b''"_s, u"[Codenr]"_s,
        u"#1/1/2020#"_s, u"a!b & c"_s, u"*?%_\\"_s, u"Chr(34)"_s, u"a"_s + QChar(0) + u"b'"_s + QChar(0),
        u"Zürich € 😀"_s, QString(10000, u'x'),
    };
    for (const QChar quote : {u'"', u'\''}) {
        const QString plain = kv::db::translateJetSql(u"SELECT * FROM TabelArtikelGroepen WHERE Codenr = "_s
                                                      + kv::db::jetText(u"B"_s, quote)).sql;
        for (const QString &value : values) {
            SCOPED_TRACE(value.left(40).toStdString());
            db->write([&] {
                db->exec(u"DELETE FROM TabelArtikelGroepen WHERE Omschrijving = 'probe'"_s);
                kv::db::Statement insert = db->prepare(u"INSERT INTO TabelArtikelGroepen VALUES (?1, 'probe')"_s);
                insert.bind(1, value);
                insert.step();
            });
            const QString jet = u"SELECT * FROM TabelArtikelGroepen WHERE Codenr = "_s + kv::db::jetText(value, quote);
            if (!value.contains(QChar(0))) { // a NUL is spliced in with char(0)
                EXPECT_EQ(kv::test::sqlShape(kv::db::translateJetSql(jet).sql), kv::test::sqlShape(plain));
            }
            EXPECT_EQ(column(jet, u"Omschrijving"), QStringList{u"probe"_s});
            EXPECT_EQ(column(u"SELECT * FROM TabelArtikelGroepen"_s).size(), 7);
        }
    }
}
