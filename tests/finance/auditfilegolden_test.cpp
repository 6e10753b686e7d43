// Audit files compared byte for byte with files kept beside the tests, checked against the schema
// with its keys at work, and the demo's file read back against its ledger.
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "finance/auditfile/auditfile.h"
#include "support/administrationfixture.h"
#include "support/demofixture.h"
#include "support/printers.h"
#include "xafschema.h"

#include <QFile>
#include <QRegularExpression>

#include <libxml/xmlreader.h>
#include <zlib.h>

#include <cmath>
#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

const QString kData = QStringLiteral(FINANCE_TEST_DATA);
const char *const kStrictSchema = FINANCE_TEST_DATA "/XmlAuditfileFinancieel3.2-strictkeys.xsd";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where two different files part, with some bytes of each around that place.
std::string firstDifference(const QByteArray &made, const QByteArray &expected)
{
    qsizetype at = 0;
    while (at < made.size() && at < expected.size() && made[at] == expected[at])
        ++at;
    const qsizetype from = std::max<qsizetype>(0, at - 60);
    return "sizes " + std::to_string(made.size()) + " and " + std::to_string(expected.size()) + ", first difference at byte "
           + std::to_string(at) + "\n  made:     ..." + made.mid(from, 160).toStdString() + "\n  expected: ..."
           + expected.mid(from, 160).toStdString();
}

// ---------------------------------------------------------------- a small administration

// A handful of rows through the file's rules: a Dutch relation with a bare VAT number and an IBAN
// of a known bank, a foreign one whose first account number is not an IBAN, a "*" account, an
// opening balance where only one account's sides differ, a journal whose offset account is not in
// the chart, "*" lines, a VAT percentage taken from its code, a lower-case debit/credit mark and a
// date without its day. Journals follow the first line of each in the ledger, whatever its period:
// the bank's opening line (period 0) was booked first, so the bank journal leads although the
// sales journal's bookings came before the bank's others.
const char16_t *const kFixture[] = {
    uR"(INSERT INTO UserGegevens (Naam, Adres, Huisnummer, Postcode, Woonplaats, PostAdres, PostHuisnummer,
        PostPostcode, PostWoonplaats, BTWNr, BoekingsPeriode, BoekjaarGebroken, BoekjaarPeriodeStart, BoekjaarPeriodeEind)
        VALUES ("Loonbedrijf De Vries & Zn", "Kerkstraat", "12a", "7731 ab", "Ommen", "Postbus", "100", "7730 aa",
        "Ommen", "nl-8123 45 678 b01", 2, 0, "20260101", "20261231"))",
    uR"(INSERT INTO TabelLandcode (CodeNr, Omschrijving) VALUES (1, "NL Nederland"))",
    uR"(INSERT INTO TabelLandcode (CodeNr, Omschrijving) VALUES (2, "DE Duitsland"))",
    uR"(INSERT INTO RelatieGegevens (RelNr, RelSoort, Bedrijfsnaam1, BedrijfsContact, BedrijfsAdres, BedrijfsHuisNr,
        BedrijfsPostcode, BedrijfsWoonplaats, Bedrijfslandcode, TelefoonNr, Email, Website, KvKNr, BTWNr, BankNr, Limiet)
        VALUES ("10001", 0, "Akkerbouw Jansen & Zn", "J. Jansen", "Hoofdweg", "3", "7731 cd", "Ommen", 1, "0529-451234",
        "info@jansen.example", "www.jansen.example", "05012345", "123456782B01", "NL91 ABNA 0417 1643 00", 2500))",
    uR"(INSERT INTO RelatieGegevens (RelNr, RelSoort, Bedrijfsnaam1, BedrijfsAdres, BedrijfsHuisNr, BedrijfsPostcode,
        BedrijfsWoonplaats, Bedrijfslandcode, TelefoonNr, BTWNr, BankNr, PostbankNr, Limiet)
        VALUES ("20001", 1, "Landtechnik Müller GmbH", "Hafenweg", "24", "48155", "Münster", 2, "+49 251 123456",
        "DE 123-456-789", "DE89 3704 0044 0532 0130 01", "DE89 3704 0044 0532 0130 00", 1000))",
    uR"(INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving, Soortrek, BeginsaldoDebet, BeginsaldoCredit)
        VALUES ("1000", "Rabobank", 0, 1500, 250))",
    uR"(INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving, Soortrek) VALUES ("1100*", "Kruisposten", 0))",
    uR"(INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving, Soortrek, BeginsaldoDebet, BeginsaldoCredit)
        VALUES ("1500", "Af te dragen btw", 0, 300, 300))",
    uR"(INSERT INTO RekeningSchema (GrootboekReknr, Omschrijving, Soortrek) VALUES ("8000", "Omzet loonwerk", 1))",
    uR"(INSERT INTO TabelKostenplaatsen (CodeNr, Omschrijving) VALUES (1, "Akkerbouw & loonwerk"))",
    uR"(INSERT INTO BTWcodering (BTWCode, Omschrijving, BTWPercentage, grootboekreknrverkoop, grootboekreknrinkoop)
        VALUES (1, "BTW hoog 21%", 21, "1500", "1500"))",
    uR"(INSERT INTO BTWcodering (BTWCode, Omschrijving, BTWPercentage, grootboekreknrverkoop, grootboekreknrinkoop)
        VALUES (2, "BTW laag 9%", 9, "1500", "1500"))",
    uR"(INSERT INTO Dagboek (DagboekCode, Omschrijving, GrootboekReknr, BankRekening)
        VALUES ("BNK", "Rabobank rekening-courant", "1000", "nl44 rabo 0123 4567 89"))",
    uR"(INSERT INTO Dagboek (DagboekCode, Omschrijving, GrootboekReknr) VALUES ("VK", "Verkoopboek", "1300"))",
};

// The ledger lines in the order they were booked; a Jet INSERT leaves the counter empty, so it is given.
const char16_t *const kLines[] = {
    // ID, DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, Omschrijving, Bedrag, DCCode,
    // RelatieNr, FactuurNr, Kostenplaats, BTWCode, BTWPercentage, BTWBedrag
    uR"(1, "BNK", "BB2026", 0, "20260101", "1000", "Beginbalans", 1250, "D", Null, Null, Null, Null, Null, Null)",
    uR"(2, "VK", "26001", 1, "20260115", "1100*", "Factuur F2026-001", 1512.5, "D", "10001", "F2026-001", Null, Null, Null, Null)",
    uR"(3, "VK", "26001", 1, "20260115", "8000", "Loonwerk januari", 1250, "C", "10001", "F2026-001", 1, 1, 21, 262.5)",
    uR"(4, "VK", "26001", 1, "20260115", "1500", "BTW hoog", 262.5, "C", "10001", "F2026-001", Null, Null, Null, Null)",
    uR"(5, "BNK", "B001", 2, "20260210", "1000", "Ontvangst F2026-001", 1512.5, "D", "10001", "F2026-001", Null, Null, Null, Null)",
    uR"(6, "BNK", "B001", 2, "20260210", "1100*", "Ontvangst F2026-001", 1512.5, "C", "10001", "F2026-001", Null, Null, Null, Null)",
    uR"(7, "BNK", "B002", 3, "20260300", "1000", "Onderdelen Müller <spoed>", 109, "c", "20001", "LM-778", Null, Null, Null, Null)",
    uR"(8, "BNK", "B002", 3, "20260300", "8000", "Onderdelen", 100, "D", Null, Null, Null, 2, Null, 9)",
    uR"(9, "BNK", "B002", 3, "20260300", "1500", "BTW laag", 9, "D", Null, Null, Null, Null, Null, Null)",
};

class AuditfileFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session.OpenAdministratie(admin.dataPad()));
        ctx.DataPad = admin.dataPad();
        ctx.AdminCode = u"07"_s;
        ctx.AdminJaar = u"2026"_s;
        ctx.session = &session;
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); };
        for (const char16_t *sql : kFixture)
            execute(QString::fromUtf16(sql));
        for (const char16_t *line : kLines)
            execute(u"INSERT INTO GrootboekMutaties (ID, DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, "
                    u"Omschrijving, Bedrag, DCCode, RelatieNr, FactuurNr, Kostenplaats, BTWCode, BTWPercentage, "
                    u"BTWBedrag) VALUES ("_s
                    + QString::fromUtf16(line) + u')');
    }

    void execute(const QString &jetSql) { session.DBAdmin().Execute(jetSql); }

    QString write(const xaf::Opties &opties)
    {
        const QString path = dir.filePath(u"fixture.xaf"_s);
        opmerkingen = xaf::maakAuditfile(ctx, path, opties).opmerkingen;
        return path;
    }

    kv::test::TempAdministration admin;
    QTemporaryDir dir;
    QStringList opmerkingen;
    kv::Session session;
    kv::Context ctx;
};

TEST_F(AuditfileFixture, IsTheHandWrittenFile)
{
    const QByteArray made = contents(write({.kostenplaatsen = true, .btw = true}));
    const QByteArray expected = contents(kData + u"/fixture.xaf"_s);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(made == expected) << firstDifference(made, expected);
}

TEST_F(AuditfileFixture, ReferencesThatPointNowhereFailTheStrictSchema)
{
    EXPECT_EQ(schemaErrors(kStrictSchema, write({.btw = true})), QStringList());
    const QStringList before = opmerkingen; // B001 leaves its "*" line out, so its sides differ

    const struct {
        const char16_t *change, *keyref;
    } faults[] = {
        {u"UPDATE GrootboekMutaties SET RelatieNr = \"99999\" WHERE BoekstukNr = \"B002\" AND GrootboekReknr = \"1000\"",
         u"ctTrLineCustSupIDRef"},
        {u"UPDATE GrootboekMutaties SET BTWCode = 7 WHERE BoekstukNr = \"26001\" AND GrootboekReknr = \"8000\"",
         u"ctTrLineVatIDRef"},
        {u"UPDATE GrootboekMutaties SET Periode = 13 WHERE BoekstukNr = \"B001\"", u"ctTransactionPeriodNumberRef"},
    };
    for (const auto &f : faults)
        execute(QString::fromUtf16(f.change));
    const QString file = write({.btw = true});
    const QStringList errors = schemaErrors(kStrictSchema, file);
    EXPECT_EQ(size_t(errors.size()), std::size(faults)) << errors.join(u'\n').toStdString();
    for (const auto &f : faults)
        EXPECT_EQ(errors.filter(u"of keyref '{http://www.auditfiles.nl/XAF/3.2}"_s + QString::fromUtf16(f.keyref) + u"'."_s).size(), 1)
            << QString::fromUtf16(f.keyref).toStdString();
    // The official schema names its key paths without the namespace, so they check nothing;
    // the export itself names the three as remarks.
    EXPECT_EQ(schemaErrors(XAF_SCHEMA, file), QStringList());
    EXPECT_EQ(opmerkingen.size(), before.size() + 3);
    for (const QString &earlier : before)
        opmerkingen.removeOne(earlier);
    EXPECT_EQ(opmerkingen, (QStringList{
                               u"Dagboek BNK, boekstuk B002, regel 1 (rekening 1000): relatie \"99999\" bestaat niet (custSupID)."_s,
                               u"Dagboek VK, boekstuk 26001, regel 1 (rekening 8000): BTW code 7 bestaat niet (vatID)."_s,
                               u"Dagboek BNK, boekstuk B001: periode 13 staat niet in de perioden van het bestand (periodNumber)."_s,
                           }))
        << opmerkingen.join(u'\n').toStdString();
}

// ---------------------------------------------------------------- the demo's file

// The demo's audit file with VAT and cost centres, made on a fixed day.
class DemoAuditfile : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); };
        file = dir.filePath(u"demo.xaf"_s);
        xaf::maakAuditfile(ctx, file, {.kostenplaatsen = true, .btw = true});
    }

    QString file;
};

// The demo's data are generated from fixed seeds, so its file only changes when the demo or the
// writer does. After a deliberate change, run this test once with BEHEER_REGENERATE_GOLDEN=1 to
// rewrite data/demo.xaf.gz, and read the difference before committing it.
TEST_F(DemoAuditfile, IsTheKeptFile)
{
    const QString golden = kData + u"/demo.xaf.gz"_s;
    const QByteArray made = contents(file);
    if (qEnvironmentVariable("BEHEER_REGENERATE_GOLDEN") == u"1") {
        gzFile out = gzopen(QFile::encodeName(golden).constData(), "wb9");
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(gzwrite(out, made.constData(), unsigned(made.size())), made.size());
        EXPECT_EQ(gzclose(out), Z_OK);
        GTEST_SKIP() << "rewrote " << golden.toStdString();
    }
    QByteArray expected;
    gzFile in = gzopen(QFile::encodeName(golden).constData(), "rb");
    ASSERT_NE(in, nullptr) << golden.toStdString();
    char block[65536];
    for (int n; (n = gzread(in, block, sizeof block)) > 0;)
        expected.append(block, n);
    EXPECT_EQ(gzclose(in), Z_OK);
    EXPECT_TRUE(made == expected) << firstDifference(made, expected);
}

TEST_F(DemoAuditfile, KeysHoldUnderTheStrictSchema)
{
    xaf::maakAuditfile(ctx, file, {.btw = true}); // cost centre numbers would repeat the relation types' basicIDs
    const QStringList errors = schemaErrors(kStrictSchema, file);
    EXPECT_TRUE(errors.isEmpty()) << errors.mid(0, 3).join(u'\n').toStdString() << " (" << errors.size() << ")";
}

struct Sums {
    qint64 lines = 0, debit = 0, credit = 0;
    void add(bool isDebit, qint64 cents)
    {
        ++lines;
        (isDebit ? debit : credit) += cents;
    }
    bool operator==(const Sums &) const = default;
};

void PrintTo(const Sums &s, std::ostream *os)
{
    *os << s.lines << " lines, debit " << s.debit << ", credit " << s.credit;
}

// What a file, or the database, says of the bookings.
struct Books {
    std::map<QString, Sums> journals;
    Sums total;
    std::map<QString, qint64> opening; // per account, the debit side positive
};

// The cents of an amount as the file must write it: digits, a point and two decimals.
qint64 cents(const QString &amount)
{
    static const QRegularExpression form(u"^-?\\d+\\.\\d\\d$"_s);
    EXPECT_TRUE(form.match(amount).hasMatch()) << amount.toStdString();
    return QString(amount).remove(u'.').toLongLong();
}

qint64 cents(const QVariant &stored)
{
    return std::llround(stored.toDouble() * 100);
}

Books readBack(const QString &file)
{
    Books books;
    xmlTextReaderPtr reader = xmlReaderForFile(QFile::encodeName(file).constData(), nullptr, 0);
    std::vector<QString> path; // element names from the root down to the current one
    QString journal, account;
    qint64 amount = 0;
    int status;
    while ((status = xmlTextReaderRead(reader)) == 1) {
        if (xmlTextReaderNodeType(reader) != XML_READER_TYPE_ELEMENT)
            continue;
        const int depth = xmlTextReaderDepth(reader);
        path.resize(depth + 1);
        const QString name = path[depth] = QString::fromUtf8(reinterpret_cast<const char *>(xmlTextReaderConstLocalName(reader)));
        const QString parent = depth > 0 ? path[depth - 1] : QString();
        if (parent != u"journal" && parent != u"trLine" && parent != u"obLine" && parent != u"transactions")
            continue;
        xmlChar *raw = xmlTextReaderReadString(reader);
        const QString text = raw ? QString::fromUtf8(reinterpret_cast<const char *>(raw)) : QString();
        xmlFree(raw);
        if (parent == u"journal" && name == u"jrnID")
            journal = text;
        else if (name == u"accID")
            account = text;
        else if (name == u"amnt")
            amount = cents(text);
        else if (parent == u"trLine" && name == u"amntTp")
            books.journals[journal].add(text == u"D", amount);
        else if (parent == u"obLine" && name == u"amntTp")
            books.opening[account] = text == u"D" ? amount : -amount;
        else if (parent == u"transactions" && name == u"linesCount")
            books.total.lines = text.toLongLong();
        else if (parent == u"transactions" && name == u"totalDebit")
            books.total.debit = cents(text);
        else if (parent == u"transactions" && name == u"totalCredit")
            books.total.credit = cents(text);
    }
    EXPECT_EQ(status, 0) << "the file is not well-formed";
    xmlFreeTextReader(reader);
    return books;
}

Books fromDatabase(kv::db::Database &db)
{
    Books books;
    auto line = db.OpenQuery(u"SELECT DagboekCode, DCCode, Bedrag FROM GrootboekMutaties "
                             u"WHERE Periode <> 0 AND instr(GrootboekReknr, \"*\") = 0"_s);
    for (; !line->Eof(); line->MoveNext()) {
        const bool debit = line->text(u"DCCode").toUpper() == u"D";
        books.journals[line->text(u"DagboekCode")].add(debit, cents(line->value(u"Bedrag")));
        books.total.add(debit, cents(line->value(u"Bedrag")));
    }
    auto account = db.OpenQuery(u"SELECT GrootboekReknr, BeginsaldoDebet, BeginsaldoCredit FROM RekeningSchema "
                                u"WHERE instr(GrootboekReknr, \"*\") = 0"_s);
    for (; !account->Eof(); account->MoveNext())
        if (const qint64 d = cents(account->value(u"BeginsaldoDebet")) - cents(account->value(u"BeginsaldoCredit")))
            books.opening[account->text(u"GrootboekReknr")] = d;
    return books;
}

TEST_F(DemoAuditfile, ReadBackAgreesWithTheLedger)
{
    const Books inFile = readBack(file), inDatabase = fromDatabase(session.DBAdmin());
    ASSERT_GT(inDatabase.journals.size(), 1u);
    ASSERT_FALSE(inDatabase.opening.empty());
    EXPECT_EQ(inFile.journals, inDatabase.journals);
    EXPECT_EQ(inFile.total, inDatabase.total);
    EXPECT_EQ(inFile.opening, inDatabase.opening);
}

} // namespace
