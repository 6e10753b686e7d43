// Lists written to .xlsx and read back by openpyxl, to CSV, refused when too long, and the tool
// killed halfway.
#include "core/db/database.h"
#include "core/db/statement.h"
#include "export/exporter.h"
#include "support/demofixture.h"
#include "support/toolprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <csignal>

using namespace kv;
using namespace kv::exporting;
using namespace Qt::StringLiterals;

namespace {

ListSource fixed(const QStringList &headers, const std::vector<QStringList> &rows, qint64 count = -1)
{
    return {u"Proef"_s, headers, count < 0 ? qint64(rows.size()) : count, [rows](const auto &visit) {
                for (const QStringList &row : rows)
                    if (!visit(row))
                        return;
            }};
}

QJsonObject dump(const QString &path)
{
    QProcess python;
    // Debian's interpreter, the one python3-openpyxl is installed for.
    python.start(u"/usr/bin/python3"_s, {QStringLiteral(XLSX_DUMP), path});
    python.waitForFinished(60000);
    if (python.exitCode() != 0)
        ADD_FAILURE() << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({u".*.tmp"_s}, QDir::Files | QDir::Hidden);
}

class ExportTest : public DemoTest {
protected:
    QString file(const QString &name) { return dir.filePath(name); }
};

} // namespace

TEST_F(ExportTest, XlsxReadsBackTypedWithWidths)
{
    const QString path = file(u"lijst.xlsx"_s);
    const ListSource source = fixed({u" Nr "_s, u"Datum"_s, u"Omschrijving"_s},
                                    {{u"1.234,56"_s, u"05-01-2020"_s, u"A12B"_s},
                                     {u"12,345"_s, u""_s, QString(100, u'x')},
                                     {u"0012"_s, u"100126"_s, u"€ 5"_s}});
    const ExportResult result = exportList(ctx, source, path, nullptr);
    ASSERT_EQ(result.outcome, ExportResult::Outcome::Written) << result.message.toStdString();
    EXPECT_EQ(result.rows, 3);

    const QJsonObject sheet = dump(path);
    EXPECT_EQ(sheet[u"sheets"_s].toArray(), QJsonArray({u"Resultaat"_s}));
    const QJsonArray expected = QJsonDocument::fromJson(R"js([
        [["Nr", "s", "General"], ["Datum", "s", "General"], ["Omschrijving", "s", "General"]],
        [[1234.56, "n", "#,##0.00_);[Red](#,##0.00)"], ["2020-01-05", "d", "dd-mm-yyyy"], ["A12B", "s", "@"]],
        [[12.345, "n", "#,##0.000_);[Red](#,##0.000)"], [null, "n", "@"], null],
        [["0012", "s", "@"], [100126, "n", "#,##0.00_);[Red](#,##0.00)"], ["€ 5", "s", "@"]]
    ])js").array();
    QJsonArray rows = sheet[u"rows"_s].toArray();
    ASSERT_EQ(rows.size(), 4);
    QJsonArray second = rows[2].toArray();
    EXPECT_EQ(second[2].toArray()[0].toString(), QString(100, u'x'));
    for (int r : {0, 1, 3})
        EXPECT_EQ(rows[r], expected[r]) << r;
    EXPECT_EQ(second[0], expected[2].toArray()[0]);
    EXPECT_EQ(second[1], expected[2].toArray()[1]);
    // The widest text shown, plus two, at most 80 (the file adds the cell padding).
    QJsonObject widths = sheet[u"widths"_s].toObject();
    for (const QString &column : widths.keys())
        widths[column] = int(widths[column].toDouble());
    EXPECT_EQ(widths, QJsonObject({{u"A"_s, 10}, {u"B"_s, 12}, {u"C"_s, 80}}));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}

TEST_F(ExportTest, CsvQuotesWhatNeedsIt)
{
    const QString path = file(u"lijst.csv"_s);
    const ExportResult result = exportList(
        ctx, fixed({u"Code"_s, u"Tekst"_s}, {{u"1.234,56"_s, u"a;b"_s}, {u"zeg \"ja\""_s, u"twee\nregels"_s}, {u"€ 5"_s, u"café 🍺"_s}}),
        path, nullptr);
    ASSERT_EQ(result.outcome, ExportResult::Outcome::Written);
    EXPECT_EQ(contents(path), "\xEF\xBB\xBF"
                              "Code;Tekst\r\n1.234,56;\"a;b\"\r\n\"zeg \"\"ja\"\"\";\"twee\nregels\"\r\n"
                              "\xE2\x82\xAC 5;caf\xC3\xA9 \xF0\x9F\x8D\xBA\r\n");
}

TEST_F(ExportTest, TooManyRowsForASheetIsRefusedUnlessCsv)
{
    const QString path = file(u"groot.xlsx"_s);
    bool visited = false;
    ListSource source = fixed({u"Nr"_s}, {}, MaxSheetRows + 1);
    source.visitRows = [&](const auto &) { visited = true; };
    const ExportResult refused = exportList(ctx, source, path, nullptr);
    EXPECT_EQ(refused.outcome, ExportResult::Outcome::Refused);
    EXPECT_EQ(refused.message, TeveelRegels);
    EXPECT_FALSE(visited);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
    EXPECT_EQ(exportList(ctx, source, file(u"groot.csv"_s), nullptr).outcome, ExportResult::Outcome::Written);
}

TEST_F(ExportTest, ToolKilledHalfwayLeavesTheOldFile)
{
    session.DBAdmin().write([&] {
        db::Statement insert = session.DBAdmin().prepareOnce(
            u"INSERT INTO TabelVerpakking (CodeNr, Omschrijving, VerpakkingsPrijs, RecordCode) VALUES (?, ?, ?, 1)"_s);
        for (int nr = 500000; nr < 620000; ++nr) {
            insert.bindAll(QVariantList{nr, QString(u"Kist "_s + QString::number(nr)), nr / 100.0});
            insert.step();
            insert.reset();
        }
    });
    const QString reg = file(u"registry.reg"_s), target = file(u"verpakkingen.csv"_s);
    const auto run = [&](const QString &list, const QString &path) { return test::runTool(reg, {u"exporteer"_s, ctx.DataPad, list, path}); };

    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud bestand\r\n");
    old.close();
    // Interrupted (SIGINT) or killed (SIGKILL) once its temp file is there: the old file stays.
    for (const int signal : {SIGINT, SIGKILL}) {
        const auto tool = test::startTool(reg, {u"exporteer"_s, ctx.DataPad, u"frmVerpakkingen"_s, target});
        for (int wait = 0; wait < 2000 && leftovers(dir.path()).isEmpty(); ++wait)
            QThread::msleep(5);
        ASSERT_FALSE(leftovers(dir.path()).isEmpty());
        ::kill(pid_t(tool->processId()), signal);
        EXPECT_EQ(test::finish(*tool).code, signal == SIGINT ? 130 : -1);
        EXPECT_EQ(contents(target), "oud bestand\r\n");
        EXPECT_EQ(leftovers(dir.path()).isEmpty(), signal == SIGINT); // a killed run cannot clean up
    }
    // A full disk (a file-size limit) fails the run; it removes its own temp and the killed one's.
    const test::ToolResult full =
        test::runTool(reg, {u"exporteer"_s, ctx.DataPad, u"frmVerpakkingen"_s, target}, u"ulimit -f 100; trap '' XFSZ"_s);
    EXPECT_EQ(full.code, 2) << full.err.toStdString();
    EXPECT_EQ(contents(target), "oud bestand\r\n");
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());

    const test::ToolResult again = run(u"frmVerpakkingen"_s, target);
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
    EXPECT_TRUE(contents(target).startsWith("\xEF\xBB\xBFNr;Verpakking;Prijs;Eigenaar\r\n"));
    EXPECT_GT(contents(target).count("\r\n"), 120000);
}

// The tool finds each kind of list by its name, narrowed as asked, and refuses what does not
// fit without writing anything.
TEST_F(ExportTest, ToolExportsEachKindOfListByName)
{
    const struct {
        QStringList arguments;
        int code;
        QByteArray header; // written: the first line; refused: empty
        QString refusal;
    } cases[] = {
        {{u"frmVerpakkingen"_s}, 0, "Nr;Verpakking;Prijs;Eigenaar", {}},
        {{u"tabelloods"_s}, 0, "Loods;Actief", {}},
        {{u"frmrelaties"_s, u"--zoek"_s, u"agra"_s}, 0, "relatienr.;bedrijfsnaam;postcode;woonplaats", {}},
        {{u"frmOverzicht_NietGebruikteOrdernummers"_s}, 0, "Van;T/m;Aantal;Vorige order;Datum", {}},
        {{u"leveringenlijst"_s, u"--datum"_s, u"02-03-2026"_s, u"--tot"_s, u"06-03-2026"_s}, 0,
         "Datum;Relatie en adres;Regel;Artikel;Aantal;Prijs;Bedrag", {}},
        {{u"frmrelaties"_s}, 1, {}, u"Geef de zoektekst met --zoek."_s},
        {{u"frmLosLijst"_s, u"--datum"_s, u"06-03-2026"_s, u"--tot"_s, u"02-03-2026"_s}, 1, {},
         u"De datum t/m ligt voor de eerste datum."_s},
        {{u"frmLosLijst"_s, u"--datum"_s, u"01-01-2020"_s}, 1, {}, u"Er is niets te exporteren voor deze periode."_s},
        {{u"frmOnbekend"_s}, 1, {}, u"Onbekende lijst: frmOnbekend"_s},
    };
    const QString reg = file(u"registry.reg"_s);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const QString target = file(u"lijst.csv"_s);
        const test::ToolResult result =
            test::runTool(reg, QStringList{u"exporteer"_s, ctx.DataPad, c.arguments[0], target} + c.arguments.mid(1));
        EXPECT_EQ(result.code, c.code) << result.err.toStdString();
        const QByteArray written = contents(target);
        EXPECT_EQ(written.left(written.indexOf("\r\n")), c.header.isEmpty() ? QByteArray() : "\xEF\xBB\xBF" + c.header);
        if (!c.refusal.isEmpty()) {
            EXPECT_EQ(result.err.trimmed(), c.refusal);
        }
        QFile::remove(target);
    }
    EXPECT_EQ(test::runTool(reg, {u"exporteer"_s, ctx.DataPad, u"frmVerpakkingen"_s, file(u"lijst.txt"_s)}).code, 1);
    EXPECT_TRUE(leftovers(dir.path()).isEmpty());
}
