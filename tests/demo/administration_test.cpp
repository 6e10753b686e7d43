#include "core/db/recordset.h"
#include "core/session/session.h"
#include "demo/banking.h"
#include "demo/demoadministration.h"
#include "demo/generator.h"
#include "editing/iban.h"
#include "schema/schema.h"
#include "support/printers.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>

#include <gtest/gtest.h>

using kv::Session;
using kv::demo::Scale;

namespace {

// Small enough to generate in a moment, large enough that every kind of record turns up.
const Scale kSmall{60, 40, 150, 2001, 90, 25};

class SmallAdministration : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_folder = s_dir->filePath(QStringLiteral("Proef032026"));
        kv::demo::generateAdministratie(s_folder, kSmall);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(m_session.OpenAdministratie(s_folder + u'/')); }

    kv::db::Database &db() { return m_session.DBAdmin(); }
    QVariant scalar(const QString &sql)
    {
        auto rs = db().OpenQuery(sql);
        return rs->Eof() ? QVariant() : rs->value(0);
    }
    // Every row of a query, one text per row with the fields joined.
    QStringList rows(const QString &sql)
    {
        QStringList out;
        for (auto rs = db().OpenQuery(sql); !rs->Eof(); rs->MoveNext()) {
            QStringList fields;
            for (int i = 0; i < rs->FieldCount(); ++i)
                fields << rs->value(i).toString();
            out << fields.join(u'|');
        }
        return out;
    }

    static QTemporaryDir *s_dir;
    static QString s_folder;
    Session m_session;
};

QTemporaryDir *SmallAdministration::s_dir = nullptr;
QString SmallAdministration::s_folder;

qint64 cents(const QVariant &amount)
{
    return std::llround(amount.toDouble() * 100);
}

QByteArray checksum(kv::db::Database &db, const QStringList &tables)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &table : tables)
        for (auto rs = db.OpenQuery(QStringLiteral("SELECT * FROM ") + table); !rs->Eof(); rs->MoveNext())
            for (int i = 0; i < rs->FieldCount(); ++i)
                hash.addData(QByteArray(rs->value(i).toString().toUtf8() + '\x1f'));
    return hash.result();
}

} // namespace

TEST_F(SmallAdministration, OpensAsTheCompanyOfTheFoldersYear)
{
    auto &company = m_session.table(QStringLiteral("UserGegevens"));
    company.MoveFirst();
    ASSERT_FALSE(company.Eof());
    EXPECT_EQ(company.text(u"Naam"), u"Akkerhof Agrarische Handel B.V.");
    EXPECT_EQ(company.text(u"Boekjaar"), u"2026");
    EXPECT_EQ(company.text(u"BoekjaarPeriodeStart"), u"20260101");
    EXPECT_EQ(company.text(u"BoekjaarPeriodeEind"), u"20261231");
    EXPECT_TRUE(kv::IsGeldigIBAN(company.text(u"IncassoRekening")));
    EXPECT_TRUE(kv::demo::vatNumberValid(company.text(u"BTWNr")));
    // The next numbers follow the ones handed out.
    EXPECT_EQ(scalar(QStringLiteral("SELECT max(OrderNr) FROM Ordergegevens")).toInt() + 1,
              company.text(u"OrderNummer").toInt());
    EXPECT_EQ(scalar(QStringLiteral("SELECT max(FactuurNr) FROM Ordergegevens WHERE Left(FactuurNr, 2) = '26'")).toString(),
              company.text(u"FactuurNr"));
    // Periods: opening balance, twelve months, a blocked correction period.
    EXPECT_EQ(rows(QStringLiteral("SELECT PeriodeNr, Startdatum, Einddatum, Geblokkeerd FROM Perioden WHERE PeriodeNr IN (0, 2, 13) ORDER BY PeriodeNr")),
              QStringList({"0|20260101|20261231|false", "2|20260201|20260228|false", "13|20260101|20261231|true"}));
}

TEST_F(SmallAdministration, LedgerHoldsExactlyTheLinesAskedForBalancedPerBooking)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM GrootboekMutaties")).toInt(), kSmall.ledgerLines);
    QHash<QString, qint64> perBooking;
    qint64 total = 0;
    for (auto rs = db().OpenTable(QStringLiteral("GrootboekMutaties")); !rs->Eof(); rs->MoveNext()) {
        const qint64 signedCents = cents(rs->value(u"Bedrag")) * (rs->text(u"DCCode") == u"D" ? 1 : -1);
        perBooking[rs->text(u"BoekstukNr")] += signedCents;
        total += signedCents;
        const QString date = rs->text(u"BoekingsDatum");
        ASSERT_TRUE(date.startsWith(u"2026")) << qPrintable(date);
        EXPECT_EQ(rs->value(u"Periode").toInt(), date.mid(4, 2).toInt());
        EXPECT_TRUE(rs->text(u"DCCode") == u"D" || rs->text(u"DCCode") == u"C");
    }
    EXPECT_EQ(total, 0);
    for (auto it = perBooking.cbegin(); it != perBooking.cend(); ++it)
        EXPECT_EQ(it.value(), 0) << "boekstuk " << it.key().toStdString();
    // Every account booked on exists, and VAT on the year's sales was booked.
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM GrootboekMutaties WHERE GrootboekReknr NOT IN "
                                    "(SELECT GrootboekReknr FROM RekeningSchema)")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM GrootboekMutaties WHERE DagboekCode = '70' AND BTWBedrag > 0")).toInt(), 0);
    for (const char *journal : {"10", "20", "60", "70", "90"})
        EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM GrootboekMutaties WHERE DagboekCode = '%1'").arg(journal)).toInt(), 0)
            << journal;
}

TEST_F(SmallAdministration, SalesBookingsChargeWhatTheOrderLinesInvoiced)
{
    // Per invoice: the lines in state 9 per revenue account and VAT code, VAT rounded per group.
    QHash<QString, qint64> invoiced;
    for (auto rs = db().OpenQuery(QStringLiteral(
             "SELECT o.FactuurNr, sum(o.Bedrag) AS Netto, v.BTWPercentage FROM (Ordergegevens o INNER JOIN Artikelen a "
             "ON o.Artnr = a.ArtikelNummer) INNER JOIN BTWcodering v ON o.BTWCode = v.BTWCode WHERE o.FactuurNr <> '' "
             "GROUP BY o.FactuurNr, a.Grootboeknummer, o.BTWCode, v.BTWPercentage"));
         !rs->Eof(); rs->MoveNext()) {
        const qint64 net = cents(rs->value(1));
        invoiced[rs->value(0).toString()] += net + kv::demo::percentOf(net, rs->value(2).toInt());
    }
    int compared = 0;
    for (auto rs = db().OpenQuery(QStringLiteral("SELECT FactuurNr, Bedrag FROM GrootboekMutaties WHERE DagboekCode = '70' "
                                                 "AND GrootboekReknr = '1300'"));
         !rs->Eof(); rs->MoveNext(), ++compared)
        EXPECT_EQ(cents(rs->value(1)), invoiced.value(rs->value(0).toString(), -1)) << qPrintable(rs->value(0).toString());
    EXPECT_GT(compared, 10);
}

TEST_F(SmallAdministration, OpeningBalancesAreBalanced)
{
    EXPECT_EQ(cents(scalar(QStringLiteral("SELECT sum(BeginsaldoDebet) FROM RekeningSchema"))),
              cents(scalar(QStringLiteral("SELECT sum(BeginsaldoCredit) FROM RekeningSchema"))));
    EXPECT_GE(scalar(QStringLiteral("SELECT count(*) FROM RekeningSchema")).toInt(), 90);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM RekeningSchema WHERE Subverdichting NOT IN "
                                    "(SELECT Subverdichting FROM Subverdichting) OR Hoofdverdichting NOT IN "
                                    "(SELECT Hoofdverdichting FROM Hoofdverdichting)")).toInt(), 0);
}

TEST_F(SmallAdministration, EveryAccountNumberAndVatNumberPassesItsCheck)
{
    const struct {
        const char *table, *field;
    } ibans[] = {{"RelatieGegevens", "BankNr"}, {"Medewerkers", "BankNr"}, {"UserGegevens", "BetaalRekening"},
                 {"Dagboek", "BankRekening"}};
    int checked = 0;
    for (const auto &f : ibans)
        for (const QString &iban : rows(QStringLiteral("SELECT %1 FROM %2 WHERE %1 <> ''").arg(f.field, f.table))) {
            EXPECT_TRUE(kv::IsGeldigIBAN(iban)) << f.table << ": " << iban.toStdString();
            ++checked;
        }
    EXPECT_GE(checked, kSmall.relations);
    for (const QString &vat : rows(QStringLiteral("SELECT BTWNr FROM RelatieGegevens WHERE BTWNr <> ''"))) {
        EXPECT_TRUE(kv::demo::vatNumberValid(vat)) << vat.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, kSmall.relations * 3 / 2);
}

TEST_F(SmallAdministration, OrdersShowEveryLineStateAndArchivableHistory)
{
    const QStringList states = rows(QStringLiteral("SELECT DISTINCT RecordCode FROM Ordergegevens ORDER BY RecordCode"));
    EXPECT_EQ(states, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    // Final lines of last year that archiving takes, and invoiced lines that keep their order.
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM Ordergegevens WHERE OrderDatum < '20260101' AND "
                                    "RecordCode = 9 AND OrderTag = 'UVF' AND FactuurNr <> ''")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM Ordergegevens WHERE OrderDatum < '20260101' AND RecordCode = 1")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Ordergegevens WHERE RecordCode <> 9 AND FactuurNr <> ''")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Ordergegevens WHERE Artnr NOT IN (SELECT ArtikelNummer FROM Artikelen)")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Ritgegevens")).toInt(), kSmall.trips);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Ritgegevens WHERE OrderNr NOT IN (SELECT OrderNr FROM Ordergegevens)")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Artikelen")).toInt(), kSmall.articles);
}

TEST_F(SmallAdministration, OpenItemsPaymentsAndBalancesAgree)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM OpenstaandePosten")).toInt(), kSmall.openItems);
    // Each payment belongs to an item and together they make up what the item shows as paid.
    EXPECT_EQ(rows(QStringLiteral("SELECT o.RelNr, o.FactuurNr FROM OpenstaandePosten o LEFT JOIN Betalingen b "
                                  "ON b.RelNr = o.RelNr AND b.FactuurNr = o.FactuurNr GROUP BY o.RelNr, o.FactuurNr, o.BedragBetaald "
                                  "HAVING abs(Nz(sum(b.Bedrag), 0) - o.BedragBetaald) > 0.001")),
              QStringList());
    // What a relation's items leave open is its balance.
    QHash<QString, qint64> open;
    for (auto rs = db().OpenQuery(QStringLiteral("SELECT * FROM OpenstaandePosten WHERE FactuurNr <> 'TEGOED'")); !rs->Eof(); rs->MoveNext()) {
        const qint64 rest = cents(rs->value(u"FactuurBedrag")) - cents(rs->value(u"BedragBetaald")) - cents(rs->value(u"AfboekingsBedrag"));
        const bool purchase = rs->text(u"Omschrijving").startsWith(u"Inkoop");
        open[rs->text(u"RelNr")] += purchase ? -rest : rest;
    }
    for (auto rs = db().OpenTable(QStringLiteral("RelatieGegevens")); !rs->Eof(); rs->MoveNext())
        EXPECT_EQ(cents(rs->value(u"Saldo")), open.value(rs->text(u"RelNr"))) << qPrintable(rs->text(u"RelNr"));
    // Settled history for the deletion tools: old, counter-sale and credit items.
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM OpenstaandePosten WHERE FactuurDatum < '20250101' AND "
                                    "FactuurBedrag - BedragBetaald - AfboekingsBedrag = 0")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM OpenstaandePosten WHERE RelNr = '9'")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM OpenstaandePosten WHERE FactuurNr = 'TEGOED'")).toInt(), 0);
}

TEST_F(SmallAdministration, SomeMarkedRelationsCanGoAndSomeMustStay)
{
    int deletable = 0, kept = 0;
    for (const QString &relNr : rows(QStringLiteral("SELECT RelNr FROM RelatieGegevens WHERE RecordCode = 9"))) {
        const bool busy = scalar(QStringLiteral("SELECT count(*) FROM RelatieGegevens WHERE RelNr = '%1' AND Saldo <> 0").arg(relNr)).toInt()
            + scalar(QStringLiteral("SELECT count(*) FROM Ordergegevens WHERE RelNr = '%1' AND RecordCode = 1").arg(relNr)).toInt()
            + scalar(QStringLiteral("SELECT count(*) FROM OpenstaandePosten WHERE RelNr = '%1' AND FactuurNr <> 'TEGOED' AND Boekjaar >= '2026'").arg(relNr)).toInt();
        ++(busy ? kept : deletable);
    }
    EXPECT_GT(deletable, 0);
    EXPECT_GT(deletable + kept, 1);
}

TEST_F(SmallAdministration, YearDeletionsFindThisYearAndTheLast)
{
    for (const char *sql : {"SELECT DISTINCT Boekjaar FROM BalieVerkoop ORDER BY Boekjaar",
                            "SELECT DISTINCT Left(Datum, 4) FROM VoorraadInname ORDER BY 1",
                            "SELECT DISTINCT Left(Einddatum, 4) FROM Ritgegevens WHERE Einddatum < '20270101' ORDER BY 1"})
        EXPECT_EQ(rows(QString::fromLatin1(sql)), QStringList({"2025", "2026"})) << sql;
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM AbonnementIncasso WHERE Guid NOT IN (SELECT Guid FROM Abonnement)")).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM AbonnementIncasso")).toInt(), 0);
}

TEST_F(SmallAdministration, EveryCodeTableHasNumberedActiveEntries)
{
    for (const kv::schema::Table &t : kv::schema::tables()) {
        if (t.fields.size() < 4 || QLatin1String(t.fields[0].name) != u"CodeNr" || QLatin1String(t.fields[2].name) != u"Selected"
            || QLatin1String(t.fields[3].name) != u"RecordCode")
            continue;
        const QString table = QString::fromLatin1(t.name);
        const QStringList entries = rows(QStringLiteral("SELECT CodeNr, RecordCode, Selected FROM %1 ORDER BY CodeNr").arg(table));
        ASSERT_GE(entries.size(), 3) << t.name;
        for (int i = 0; i < entries.size(); ++i)
            EXPECT_EQ(entries[i], QStringLiteral("%1|1|true").arg(i + 1)) << t.name;
    }
}

TEST_F(SmallAdministration, ReferenceTablesAreComplete)
{
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM Landen")).toInt(), 249);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ValutaTabel WHERE Valutacode = 'EUR'")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM DouaneKantoren d LEFT JOIN Landen l ON d.ISO = l.ISO WHERE l.ISO IS NULL")).toInt(), 0);
    EXPECT_GE(scalar(QStringLiteral("SELECT count(*) FROM DouaneKantoren WHERE ISO = 'NL'")).toInt(), 5);
    // VAT codes: 21 %, 9 %, 0 % and the shifted and export codes, each with its accounts.
    for (const char *percent : {"21", "9", "0"})
        EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM BTWcodering WHERE BTWPercentage = %1").arg(percent)).toInt(), 0);
    EXPECT_GT(scalar(QStringLiteral("SELECT count(*) FROM BTWcodering WHERE BTWverlegd")).toInt(), 5);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM BTWcodering WHERE grootboekreknrverkoop NOT IN (SELECT GrootboekReknr FROM RekeningSchema)")).toInt(), 0);
}

TEST(DemoGeneration, TheSameScaleGivesTheSameData)
{
    const QStringList tables{"RelatieGegevens", "Artikelen", "Ordergegevens", "GrootboekMutaties",
                             "OpenstaandePosten", "Betalingen", "UserGegevens"};
    QTemporaryDir dir;
    QByteArray sums[2];
    for (int run = 0; run < 2; ++run) {
        const QString folder = dir.filePath(QStringLiteral("Run%1012026").arg(run));
        kv::demo::generateAdministratie(folder, Scale{40, 30, 80, 900, 50, 10});
        Session session;
        ASSERT_TRUE(session.OpenAdministratie(folder + u'/'));
        sums[run] = checksum(session.DBAdmin(), tables);
    }
    EXPECT_EQ(sums[0], sums[1]);
}

TEST(DemoGeneration, TinyLedgersGetExactlyTheirLineCount)
{
    QTemporaryDir dir;
    for (int lines : {2, 3, 11}) {
        const QString folder = dir.filePath(QStringLiteral("Klein%1012026").arg(lines));
        kv::demo::generateAdministratie(folder, Scale{6, 4, 5, lines, 5, 1});
        Session session;
        ASSERT_TRUE(session.OpenAdministratie(folder + u'/'));
        EXPECT_EQ(session.DBAdmin().OpenQuery(QStringLiteral("SELECT count(*) FROM GrootboekMutaties"))->value(0).toInt(), lines);
    }
}

TEST(DemoGeneration, TheDemoOpensWithItsFullYear)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Akkerhof012026"));
    std::vector<int> progress;
    kv::demo::generateAdministratie(folder, Scale::demo(), [&](int percent) { progress.push_back(percent); });
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
    Session session;
    ASSERT_TRUE(session.OpenAdministratie(folder + u'/'));
    auto count = [&](const char *table) {
        return session.DBAdmin().OpenQuery(QStringLiteral("SELECT count(*) FROM %1").arg(table))->value(0).toInt();
    };
    EXPECT_EQ(count("RelatieGegevens"), Scale::demo().relations);
    EXPECT_EQ(count("GrootboekMutaties"), Scale::demo().ledgerLines);
    EXPECT_EQ(count("OpenstaandePosten"), Scale::demo().openItems);
    EXPECT_EQ(session.DBAdmin().OpenQuery(QStringLiteral("SELECT count(DISTINCT OrderNr) FROM Ordergegevens"))->value(0).toInt(),
              Scale::demo().orders);
    // Of the lines, those entered after the year end, dated in the first weeks of the next year
    // and balanced per booking; among them payments, each in Betalingen with its booking number.
    auto value = [&](const char *sql) { return session.DBAdmin().OpenQuery(QString::fromLatin1(sql))->value(0); };
    EXPECT_EQ(value("SELECT count(*) FROM GrootboekMutaties WHERE BoekingsDatum > '20261231'").toInt(), Scale::demo().lateLines);
    EXPECT_EQ(value("SELECT count(*) FROM GrootboekMutaties WHERE BoekingsDatum > '20270121'").toInt(), 0);
    EXPECT_EQ(value("SELECT count(*) FROM (SELECT BoekstukNr FROM GrootboekMutaties WHERE BoekingsDatum > '20261231' "
                    "GROUP BY BoekstukNr HAVING abs(sum(IIf(DCCode = 'D', Bedrag, -Bedrag))) > 0.001)").toInt(), 0);
    EXPECT_GT(value("SELECT count(*) FROM Journaal WHERE BoekingsDatum > '20261231'").toInt(), 0);
    const int latePayments = value("SELECT count(*) FROM Betalingen WHERE BetaalDatum > '20261231'").toInt();
    EXPECT_GT(latePayments, 5);
    EXPECT_EQ(value("SELECT count(*) FROM Betalingen b WHERE BetaalDatum > '20261231' AND BoekstukNr IN "
                    "(SELECT BoekstukNr FROM GrootboekMutaties WHERE BoekingsDatum = b.BetaalDatum AND DagboekCode = '20')").toInt(),
              latePayments);
    // A second run into the same folder is refused rather than mixed in.
    EXPECT_ANY_THROW(kv::demo::generateAdministratie(folder, Scale::demo()));
}
