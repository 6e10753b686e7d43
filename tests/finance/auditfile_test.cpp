#include "core/db/database.h"
#include "core/db/recordset.h"
#include "editing/amounts.h"
#include "finance/auditfile/auditfile.h"
#include "finance/auditfile/sections.h"
#include "finance/auditfile/values.h"
#include "finance/auditfile/xmlwriter.h"
#include "support/demofixture.h"

#include <QBuffer>
#include <QDir>

#include <functional>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

// ---------------------------------------------------------------- value rules

TEST(AuditfileValues, AmountsAreFormatBedragWithAPointBeforeTheCents)
{
    struct Case {
        QVariant value;
        const char *written;
        qint64 cents;
    } cases[] = {
        {1234.56, "1234.56", 123456},
        {7, "7.00", 700},
        {0, "0.00", 0},
        {QVariant(), "0.00", 0},
        {-1234.5, "-1234.50", -123450},
        {-0.5, "-0.50", -50},
        {0.05, "0.05", 5},
        {0.005, "0.01", 1},   // halves round up, as on screen
        {0.995, "1.00", 100},
        {2.345, "2.35", 235},
        {-2.675, "-2.68", -268},   // below the half as a double, on the half as shown
        {1.005, "1.01", 101},
        {123456789.125, "123456789.13", 12345678913},
        {qlonglong(42), "42.00", 4200},
        {1e16, "10000000000000000.00", 1000000000000000000}, // beyond the fast path
        {1e12, "1000000000000.00", 100000000000000},
        {-1e12, "-1000000000000.00", -100000000000000},
        {u"1234,56"_s, "1234.56", 123456},
    };
    for (const Case &c : cases) {
        kv::Separators separators;
        const QString written = xaf::bedrag(separators, c.value);
        EXPECT_EQ(written, QString::fromLatin1(c.written)) << c.value.toString().toStdString();
        EXPECT_EQ(xaf::centen(written), c.cents) << c.written;
        EXPECT_EQ(xaf::bedragUitCenten(c.cents), written) << c.written;
        // The same digits the screens show, only the separators differ.
        kv::Separators again;
        QString shown = kv::FormatBedrag(again, c.value);
        EXPECT_EQ(shown.remove(u'.').replace(u',', u'.'), written) << c.written;
    }
}

TEST(AuditfileValues, DatesAreRepairedFromTheYear)
{
    const struct {
        const char *stored, *written;
    } cases[] = {
        {"20260215", "2026-02-15"}, {"00000315", "2026-03-15"}, {"20250015", "2025-01-15"},
        {"20250300", "2025-03-01"}, {"00000000", "2026-01-01"}, {"2026021", "2026-01-01"},
        {"202602150", "2026-01-01"}, {"", "2026-01-01"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(xaf::datum(QString::fromLatin1(c.stored), u"2026"_s), QString::fromLatin1(c.written)) << c.stored;
}

TEST(AuditfileValues, TextsPostcodesAndStoredValues)
{
    EXPECT_EQ(xaf::postcode(u"7731 ab"_s), u"7731AB"_s);
    EXPECT_EQ(xaf::postcode(u" 77 31ab "_s), u"7731AB"_s);

    const struct {
        QString in;
        int maximum;
        QString out;
    } texts[] = {
        {u"Jansen & Zn"_s, 0, u"Jansen   Zn"_s},
        {u"Café <Ommen>"_s, 0, u"Cafe .Ommen"_s},
        {QString(60, u'a'), 50, QString(50, u'a')},
        {u"+31 (0)529-45 67 89 toestel 12345"_s, 30, u"+31 (0)529-45 67 89 toestel 12"_s},
    };
    for (const auto &t : texts)
        EXPECT_EQ(xaf::tekst(t.in, t.maximum), t.out) << t.in.toStdString();

    EXPECT_EQ(xaf::alsOpgeslagen(u"A&B<C>D\"E'F"_s), u"A&amp;B&lt;C&gt;D\"E'F"_s);
    EXPECT_EQ(xaf::alsOpgeslagen(u"&amp;"_s), u"&amp;amp;"_s);
}

TEST(AuditfileValues, JournalTypeFirstMatchWins)
{
    const struct {
        const char *desc, *type;
    } cases[] = {
        {"Inkoopboek", "P"}, {"VERKOOPBOEK", "S"}, {"Memoriaal", "M"}, {"Beginbalans", "O"},
        {"Kasboek", "C"}, {"Bank", "B"}, {"Rekening courant", "B"}, {"Spaarrekening", "B"},
        {"Rabobank", "B"}, {"ABN AMRO", "B"}, {"SKG", "B"}, {"Diversen", "Z"}, {"", "Z"},
        {"Bank inkoop", "P"},        // purchases before bank
        {"Verkoop kassa", "S"},      // sales before cash
        {"Kasrekening", "C"},        // cash before account
        {"Memoriaal beginbalans", "M"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(xaf::journaalType(QString::fromLatin1(c.desc)), QString::fromLatin1(c.type)) << c.desc;
}

TEST(AuditfileValues, CountryCodes)
{
    for (const char *code : {"AD", "NL", "BE", "DE", "GB", "UK", "US", "NE", "CS", "AN", "ZW"})
        EXPECT_TRUE(xaf::isLandcode(QString::fromLatin1(code))) << code;
    for (const char *code : {"", "N", "nl", "DU", "XX", "12", "BQ", "NLD", "ZZ"})
        EXPECT_FALSE(xaf::isLandcode(QString::fromLatin1(code))) << code;

    int accepted = 0;
    for (char16_t a = u'A'; a <= u'Z'; ++a)
        for (char16_t b = u'A'; b <= u'Z'; ++b)
            accepted += xaf::isLandcode(QString(QChar(a)).append(QChar(b)));
    EXPECT_EQ(accepted, 241); // every code of the list is found, so the list is sorted

    EXPECT_EQ(xaf::landcodeVan(u"NL Nederland"_s), u"NL"_s);
    EXPECT_EQ(xaf::landcodeVan(u"be België"_s), u"BE"_s);
    EXPECT_EQ(xaf::landcodeVan(u" D"_s), u"D"_s);
    EXPECT_EQ(xaf::landcodeVan(u""_s), u""_s);
}

// ---------------------------------------------------------------- XML writer

TEST(AuditfileXmlWriter, WritesBytesAsGivenAndEmptyElementsOpenAndClosed)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        xaf::XmlWriter out(buffer);
        out.open("a");
        out.element("b", u""_s);
        out.element("c", u"é&amp;"_s);
        out.element("d", QByteArrayView("x"));
        out.close("a");
        EXPECT_EQ(out.written(), 36);
    }
    EXPECT_EQ(buffer.data(), QByteArray("<a><b></b><c>\xc3\xa9&amp;</c><d>x</d></a>"));
}

// Output larger than a block is compared byte for byte in the demo's kept file.
TEST(AuditfileXmlWriter, AFailedWriteIsReported)
{
    QBuffer closed; // never opened: every write fails
    xaf::XmlWriter out(closed);
    out.element("n", u"1"_s);
    EXPECT_FALSE(out.flush());
    EXPECT_FALSE(out.ok());
}

// ---------------------------------------------------------------- sections on the demo

class AuditfileSections : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        ctx.AdminCode = u"01"_s;
        ctx.AdminJaar = u"2026"_s;
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); };
    }

    QString write(xaf::Opties opties = {})
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            xaf::XmlWriter out(buffer);
            xaf::Secties s(ctx, out, opties);
            s.all();
            herstellingen = s.herstellingen();
            opmerkingen = s.opmerkingen().join(u'\n');
        }
        return QString::fromUtf8(buffer.data());
    }

    // The stop message of a run that must not succeed.
    QString stop(xaf::Opties opties = {})
    {
        try {
            write(opties);
        } catch (const xaf::Stop &s) {
            return s.melding;
        }
        return {};
    }

    void execute(const QString &jetSql) { session.DBAdmin().Execute(jetSql); }

    QString firstRelation()
    {
        auto rs = session.DBAdmin().OpenQuery(u"SELECT RelNr FROM RelatieGegevens ORDER BY RelNr"_s);
        return rs->text(u"RelNr");
    }

    std::vector<xaf::BtwHerstel> herstellingen;
    QString opmerkingen;
};

TEST_F(AuditfileSections, BrokenYear)
{
    execute(u"UPDATE UserGegevens SET BoekjaarGebroken = -1, BoekjaarPeriodeStart = \"20260401\", "
            u"BoekjaarPeriodeEind = \"20270331\""_s);
    EXPECT_TRUE(write().contains(u"<header><fiscalYear>2026-2027</fiscalYear><startDate>2026-04-01</startDate>"
                                 u"<endDate>2027-03-31</endDate>"_s));
}

TEST_F(AuditfileSections, RelationTextsGoThroughTheSepaSetAndStoredValuesAreEscaped)
{
    const QString nr = firstRelation();
    execute(u"UPDATE RelatieGegevens SET Bedrijfsnaam1 = \"Jansen & Zn <Ommen> en nog een lange naam erachter aan\", "
            u"BedrijfsHuisNr = \"12<a>&\", BedrijfsPostcode = \"7731 ab\", BTWNr = \"\", RelSoort = 7 "
            u"WHERE RelNr = \""_s + nr + u'"');
    const QString file = write();
    const QString expected = u"<customerSupplier><custSupID>"_s + nr
                             + u"</custSupID><custSupName>Jansen   Zn .Ommen en nog een lange naam erachter </custSupName>"_s;
    EXPECT_TRUE(file.contains(expected)) << file.mid(file.indexOf(u"<customerSupplier>"), 400).toStdString();
    EXPECT_TRUE(file.contains(u"<taxRegistrationCountry>NL</taxRegistrationCountry><taxRegIdent></taxRegIdent>"
                              u"<relationshipID>7</relationshipID><streetAddress>"_s)); // no custSupTp for 7
    EXPECT_TRUE(file.contains(u"<number>12&lt;a&gt;&amp;</number><numberExtension></numberExtension>"
                              u"<property></property>"_s));
    EXPECT_TRUE(file.contains(u"<postalCode>7731AB</postalCode><region></region><country>NL</country>"_s));
}

// The repairs the golden file shows (a bare Dutch number gets its prefix) are in fixture.xaf;
// here the numbers and countries that stop the file.
TEST_F(AuditfileSections, VatNumbersAndCountriesThatStopTheFile)
{
    const QString nr = firstRelation();
    const auto set = [&](const QString &assignments) {
        execute(u"UPDATE RelatieGegevens SET "_s + assignments + u" WHERE RelNr = \""_s + nr + u'"');
    };
    const QString vatStop = u"Let op:\nEr is geen geldigde landcodering (volgens de verplichte ISO 3166 norm) "
                            u"aangetroffen bij de BTW-rekening van relatienummer : "_s
                            + nr + u"\n\nDe XML Auditfile kan op dit moment niet worden aangemaakt."_s;
    const QString addressStop = u"Let op:\nEr is een ongeldige landcodering bij relatienummer "_s + nr
                                + u" aangetroffen.\n(volgens de verplichte ISO 3166 norm)\n\n"
                                  u"De XML Auditfile kan op dit moment niet worden aangemaakt."_s;
    const struct {
        QString assignments, message;
    } stops[] = {
        {u"BTWNr = \"XX123\", Bedrijfslandcode = 1"_s, vatStop},
        {u"BTWNr = \"123456782B01\", Bedrijfslandcode = 3"_s, vatStop},  // bare number, not Dutch
        {u"BTWNr = \"123456789B01\", Bedrijfslandcode = 1"_s, vatStop},  // fails the check
        {u"BTWNr = \"\", Bedrijfslandcode = 9"_s, addressStop},         // a description without its code
    };
    execute(u"INSERT INTO TabelLandcode (CodeNr, Omschrijving) VALUES (9, \"Duitsland\")"_s);
    for (const auto &s : stops) {
        set(s.assignments);
        EXPECT_EQ(stop(), s.message) << s.assignments.toStdString();
    }
}

TEST_F(AuditfileSections, PeriodsByBookingPeriodType)
{
    const struct {
        int type;
        int count;
        const char16_t *fragment;
    } cases[] = {
        {0, 1, u"<periods><period><periodNumber>1</periodNumber><periodDesc>Periode 1</periodDesc>"
               u"<startDatePeriod>2026-01-01</startDatePeriod><endDatePeriod>2026-12-31</endDatePeriod></period></periods>"},
        {1, 4, u"<period><periodNumber>2</periodNumber><periodDesc>2e kwartaal</periodDesc>"
               u"<startDatePeriod>2026-04-01</startDatePeriod><endDatePeriod>2026-06-30</endDatePeriod></period>"},
        {2, 12, u"<period><periodNumber>2</periodNumber><periodDesc>Maand 2</periodDesc>"
                u"<startDatePeriod>2026-02-01</startDatePeriod><endDatePeriod>2026-02-28</endDatePeriod></period>"},
        {3, 12, u"<period><periodNumber>12</periodNumber><periodDesc>Maand 12</periodDesc>"
                u"<startDatePeriod>2026-12-01</startDatePeriod><endDatePeriod>2026-12-31</endDatePeriod></period></periods>"},
    };
    for (const auto &c : cases) {
        execute(u"UPDATE UserGegevens SET BoekingsPeriode = "_s + QString::number(c.type));
        const QString file = write();
        EXPECT_TRUE(file.contains(QString::fromUtf16(c.fragment))) << c.type;
        const QString periods = file.mid(file.indexOf(u"<periods>"));
        EXPECT_EQ(periods.count(u"<period>"), c.count) << c.type;
    }
}

// Accounts, cost centres and opening balance as written are in fixture.xaf; here what is left
// out when there is nothing, or when asked.
TEST_F(AuditfileSections, EmptySectionsAndTheOpeningBalanceAreLeftOut)
{
    EXPECT_FALSE(write().contains(u"<basicType>02</basicType>"_s)); // cost centres only when asked
    EXPECT_TRUE(write().contains(u"openingBalance"_s));
    EXPECT_FALSE(write({.zonderBeginbalans = true}).contains(u"openingBalance"_s));
    execute(u"UPDATE RekeningSchema SET BeginsaldoDebet = 10, BeginsaldoCredit = 10"_s);
    EXPECT_FALSE(write().contains(u"openingBalance"_s));

    execute(u"DELETE FROM BTWcodering"_s);
    execute(u"DELETE FROM RelatieGegevens"_s);
    const QString bare = write();
    EXPECT_FALSE(bare.contains(u"vatCodes"_s));
    EXPECT_FALSE(bare.contains(u"customersSuppliers"_s));
    EXPECT_TRUE(bare.contains(u"</postalAddress><generalLedger>"_s));
}

TEST_F(AuditfileSections, TransactionStops)
{
    // One line a euro off: the totals message names the transaction that does not balance.
    session.DBAdmin().BeginTrans();
    auto line = session.DBAdmin().OpenQuery(u"SELECT ID, DagboekCode, BoekstukNr, Bedrag, DCCode FROM GrootboekMutaties "
                                            u"WHERE ID = (SELECT MIN(ID) FROM GrootboekMutaties WHERE Periode <> 0)"_s);
    const QString named = u"Dagboek "_s + line->text(u"DagboekCode") + u", boekstuk "_s + line->text(u"BoekstukNr") + u": debet "_s;
    execute(u"UPDATE GrootboekMutaties SET Bedrag = Bedrag + 1 WHERE ID = "_s + line->text(u"ID"));
    const QString totals = stop();
    EXPECT_TRUE(totals.startsWith(u"Let op:\nEr zit een verschil in de grootboekmutaties.\n\n"
                                  u"De XML Auditfile kan op dit moment niet worden aangemaakt.\n\n"_s + named))
        << totals.toStdString();
    EXPECT_TRUE(totals.endsWith(u" zijn niet gelijk."_s) && totals.count(u'\n') == 5) << totals.toStdString();
    session.DBAdmin().Rollback();

    session.DBAdmin().BeginTrans();
    execute(u"UPDATE GrootboekMutaties SET DagboekCode = \"ZZ\" WHERE Periode <> 0 AND DagboekCode = "
            u"(SELECT MAX(DagboekCode) FROM GrootboekMutaties)"_s);
    EXPECT_EQ(stop(), u"Tijdens het aanmaken is er ongeldige of onjuiste data aangetroffen.\n\nDe XML auditfile is NIET aangemaakt."_s);
    session.DBAdmin().Rollback();
    EXPECT_EQ(stop(), QString()); // the demo itself is fine
}

TEST_F(AuditfileSections, RemarksNameTheirRecordAndTheFileIsStillMade)
{
    auto first = session.DBAdmin().OpenQuery(u"SELECT ID, DagboekCode, BoekstukNr, DCCode FROM GrootboekMutaties "
                                             u"WHERE ID = (SELECT MIN(ID) FROM GrootboekMutaties WHERE Periode <> 0)"_s);
    const QString id = first->text(u"ID"), transaction = u"Dagboek "_s + first->text(u"DagboekCode") + u", boekstuk "_s
                                                         + first->text(u"BoekstukNr");
    // A euro more on the other side of another transaction: the totals agree, two transactions do not.
    auto other = session.DBAdmin().OpenQuery(u"SELECT MIN(ID) AS ID FROM GrootboekMutaties WHERE Periode <> 0 AND DCCode <> \""_s
                                             + first->text(u"DCCode") + u"\" AND BoekstukNr <> \""_s + first->text(u"BoekstukNr") + u'"');
    const QString name60 = QString(60, u'A');
    const struct {
        QString change, remark;
    } cases[] = {
        {u"UPDATE GrootboekMutaties SET RelatieNr = \"ZZ999\" WHERE ID = "_s + id,
         u"): relatie \"ZZ999\" bestaat niet (custSupID)."_s},
        {u"UPDATE GrootboekMutaties SET BTWCode = 77, BTWPercentage = 9 WHERE ID = "_s + id, u"BTW code 77 bestaat niet (vatID)."_s},
        {u"UPDATE GrootboekMutaties SET Periode = 13 WHERE ID = "_s + id,
         transaction + u": periode 13 staat niet in de perioden van het bestand (periodNumber)."_s},
        {u"UPDATE GrootboekMutaties SET Bedrag = Bedrag + 1 WHERE ID IN ("_s + id + u", "_s + other->text(u"ID") + u')',
         transaction + u": debet "_s},
        {u"UPDATE RelatieGegevens SET Bedrijfsnaam1 = \""_s + name60 + u"\" WHERE RelNr = \""_s + firstRelation() + u'"',
         u"Relatie "_s + firstRelation() + u": \""_s + name60 + u"\" is ingekort tot 50 tekens (custSupName)."_s},
        {u"UPDATE RelatieGegevens SET BankNr = \"NL58ABNA041716430\" WHERE RelNr = \""_s + firstRelation() + u'"',
         u"Relatie "_s + firstRelation() + u": \"NL58ABNA041716430\": Let op: een IBAN uit Nederland heeft 18 tekens."_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change.toStdString());
        session.DBAdmin().BeginTrans();
        execute(c.change);
        const QString file = write({.btw = true});
        EXPECT_TRUE(file.endsWith(u"</auditfile>\r\n"_s));
        EXPECT_TRUE(opmerkingen.contains(c.remark)) << opmerkingen.toStdString();
        session.DBAdmin().Rollback();
    }

    // A value written as stored that is longer than its element allows stops the file.
    execute(u"UPDATE GrootboekMutaties SET BoekstukNr = \""_s + QString(36, u'7') + u"\" WHERE ID = "_s + id);
    EXPECT_TRUE(stop().contains(u"\""_s + QString(36, u'7') + u"\" is langer dan 35 tekens (nr)."_s)) << stop().toStdString();
}

// ---------------------------------------------------------------- delivery

TEST_F(AuditfileSections, DeliveredWholeOrNotAtAllAndVatRepairsOnlyAfterwards)
{
    QTemporaryDir out;
    const QString target = out.filePath(u"2026.xaf"_s);
    const QString nr = firstRelation();
    execute(u"UPDATE RelatieGegevens SET BTWNr = \"123456782B01\", Bedrijfslandcode = 1 WHERE RelNr = \""_s + nr + u'"');
    const auto storedVat = [&] {
        auto rs = session.DBAdmin().OpenQuery(u"SELECT BTWNr FROM RelatieGegevens WHERE RelNr = \""_s + nr + u'"');
        return rs->text(u"BTWNr");
    };
    const auto files = [&] { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); };
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oud");
    }

    // A stop leaves the old file, no temp file and the data as they were.
    session.DBAdmin().Execute(u"UPDATE GrootboekMutaties SET Bedrag = Bedrag + 1 WHERE ID = "
                              u"(SELECT MIN(ID) FROM GrootboekMutaties WHERE Periode <> 0)"_s);
    EXPECT_THROW(xaf::maakAuditfile(ctx, target, {}), xaf::Stop);
    EXPECT_EQ(files(), QStringList{u"2026.xaf"_s});
    QFile check(target);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("oud"));
    check.close();
    EXPECT_EQ(storedVat(), u"123456782B01"_s);

    session.DBAdmin().Execute(u"UPDATE GrootboekMutaties SET Bedrag = Bedrag - 1 WHERE ID = "
                              u"(SELECT MIN(ID) FROM GrootboekMutaties WHERE Periode <> 0)"_s);
    const xaf::Resultaat made = xaf::maakAuditfile(ctx, target, {});
    EXPECT_EQ(files(), QStringList{u"2026.xaf"_s});
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    const QByteArray bytes = check.readAll();
    EXPECT_EQ(bytes.size(), made.bytes);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?><auditfile "));
    EXPECT_TRUE(bytes.endsWith("</auditfile>\r\n"));
    EXPECT_EQ(storedVat(), u"NL123456782B01"_s);

    // A folder that does not exist: a file fault, nothing made.
    EXPECT_THROW(xaf::maakAuditfile(ctx, out.filePath(u"geen/map/a.xaf"_s), {}), xaf::Schrijffout);
    EXPECT_FALSE(QDir(out.filePath(u"geen"_s)).exists());
}

TEST_F(AuditfileSections, BadLinesAreNamedByTheirRecord)
{
    auto rs = session.DBAdmin().OpenQuery(u"SELECT DagboekCode FROM GrootboekMutaties WHERE Periode <> 0 ORDER BY ID"_s);
    const QString journal = rs->text(u"DagboekCode");
    auto acc = session.DBAdmin().OpenQuery(u"SELECT GrootboekReknr FROM RekeningSchema ORDER BY GrootboekReknr"_s);
    const QString good = acc->text(u"GrootboekReknr");
    const auto line = [&](const QString &account, const char *dc, const char *amount, const char *date = "20260105") {
        execute(u"INSERT INTO GrootboekMutaties (DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, "
                u"Bedrag, DCCode) VALUES (\""_s + journal + u"\", \"999999\", 1, \""_s + QLatin1String(date)
                + u"\", \""_s + account + u"\", "_s + QLatin1String(amount) + u", \""_s + QLatin1String(dc) + u"\")"_s);
    };
    const QString who = u"Dagboek "_s + journal + u", boekstuk 999999, regel "_s;
    const QString end = u"\n\nDe XML auditfile is NIET aangemaakt."_s;
    const struct {
        std::function<void()> change;
        QString message;
    } cases[] = {
        {[&] { line(good, "D", "5"); line(good, "C", "5"); line(good, "X", "0"); },
         who + u"3 (rekening "_s + good + u"): het debet/credit-kenmerk \"X\" is geen D of C."_s + end},
        {[&] { line(u"7777"_s, "D", "5"); line(good, "C", "5"); },
         who + u"1 (rekening 7777): de rekening staat niet in het rekeningschema."_s + end},
        {[&] { line(good, "D", "5", "20260230"); line(good, "C", "5", "20260200"); },
         who + u"1 (rekening "_s + good + u"): \"2026-02-30\" is geen geldige datum (effDate)."_s + end},
        {[&] {
             line(good, "D", "5");
             line(good, "C", "5");
             execute(u"UPDATE GrootboekMutaties SET BTWCode = 77, BTWPercentage = Null WHERE BoekstukNr = \"999999\" "
                     u"AND DCCode = \"D\""_s);
             execute(u"UPDATE GrootboekMutaties SET BTWCode = 1, BTWPercentage = -9 WHERE BoekstukNr = \"999999\" "
                     u"AND DCCode = \"C\""_s);
         },
         who + u"1 (rekening "_s + good + u"): BTW code 77 bestaat niet en de regel heeft geen BTW percentage.\n"_s
             + who + u"2 (rekening "_s + good + u"): het BTW percentage -9.00 is negatief."_s + end},
        {[&] {
             line(good, "D", "5");
             line(good, "C", "5");
             execute(u"UPDATE GrootboekMutaties SET Periode = Null WHERE BoekstukNr = \"999999\" AND DCCode = \"D\""_s);
             execute(u"UPDATE GrootboekMutaties SET Periode = 1000 WHERE BoekstukNr = \"999999\" AND DCCode = \"C\""_s);
         },
         who + u"1 (rekening "_s + good + u"): de periode \"\" ligt niet tussen 0 en 999.\n"_s + who + u"2 (rekening "_s
             + good + u"): de periode \"1000\" ligt niet tussen 0 en 999."_s + end},
        {[&] { for (int i = 0; i < 25; ++i) { line(u"7777"_s, "D", "1"); line(u"7777"_s, "C", "1"); } },
         QString()},
    };
    for (const auto &c : cases) {
        session.DBAdmin().BeginTrans();
        c.change();
        const QString message = stop(xaf::Opties{.btw = true});
        if (c.message.isEmpty()) { // more than twenty: the rest counted
            EXPECT_EQ(message.count(u"de rekening staat niet in het rekeningschema."_s), 20);
            EXPECT_TRUE(message.endsWith(u"\nen nog 30"_s + end)) << message.toStdString();
            EXPECT_TRUE(message.contains(who + u"20 (rekening 7777)"_s));
        } else {
            EXPECT_EQ(message, c.message);
        }
        session.DBAdmin().Rollback();
    }

    // A chart without accounts (only "*" ones): nothing the lines could point to.
    execute(u"DELETE FROM GrootboekMutaties"_s);
    execute(u"UPDATE RekeningSchema SET GrootboekReknr = GrootboekReknr & \"*\""_s);
    EXPECT_EQ(stop(), u"Het rekeningschema bevat geen grootboekrekeningen.\n\nDe XML auditfile is NIET aangemaakt."_s);
}

TEST_F(AuditfileSections, StoredValuesXmlCannotHoldAreNamedByTheirRecord)
{
    const QString nr = firstRelation();
    execute(u"UPDATE RelatieGegevens SET BedrijfsHuisNr = \"12\tb\" WHERE RelNr = \""_s + nr + u'"');
    auto code = session.DBAdmin().OpenQuery(u"SELECT BTWCode FROM BTWcodering ORDER BY BTWCode"_s);
    const QString vat = code->text(u"BTWCode");
    execute(u"UPDATE BTWcodering SET grootboekreknrverkoop = \"16\uFFFF00\" WHERE BTWCode = "_s + vat);
    execute(u"UPDATE UserGegevens SET Huisnummer = \"7\x01\""_s);
    const QString tail = u" bevat een teken dat XML niet kan bevatten"_s;
    EXPECT_EQ(stop(), u"Bedrijfsgegevens: de waarde \"7?\""_s + tail + u" (number).\nRelatie "_s + nr
                          + u": de waarde \"12?b\""_s + tail + u" (number).\nBTW code "_s + vat + u": de waarde \"16?00\""_s
                          + tail + u" (vatToPayAccID).\n\nDe XML auditfile is NIET aangemaakt."_s);
}

TEST_F(AuditfileSections, TheReadSnapshotDoesNotHoldUpWriters)
{
    kv::db::Database &db = session.DBAdmin();
    auto other = kv::db::Database::open(db.path(), {});
    const auto count = [](kv::db::Database &d) {
        return d.OpenQuery(u"SELECT COUNT(*) AS n FROM TabelKostenplaatsen"_s)->value(u"n").toInt();
    };
    const int before = count(db);
    db.BeginReadTrans();
    EXPECT_EQ(count(db), before);
    other->Execute(u"INSERT INTO TabelKostenplaatsen (CodeNr, Omschrijving) VALUES (99, \"Nieuw\")"_s);
    EXPECT_EQ(count(db), before); // the export keeps reading what it started with
    db.Rollback();
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(count(db), before + 1);
}

} // namespace
