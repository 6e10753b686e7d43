// korvenal-admin auditfile as a second process: killed, short of disk, racing a program that
// books meanwhile, and what it answers to wrong usage and bad data.
#include "correctionfixture.h"

#include "core/db/database.h"
#include "core/log/workstation.h"
#include "core/session/session.h"
#include "support/toolprocess.h"
#include "finance/auditfile/values.h"

#include <QProcess>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <signal.h>

using namespace Qt::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

const QStringList kOpties{u"--kostenplaatsen"_s, u"--btw"_s};
const QString kNiet = u"\n\nDe XML auditfile is NIET aangemaakt.\n"_s;

class AuditfileTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = correctiontest::copyOf(kv::demo::Scale::demo(), dir);
        target = dir.filePath(u"2026.xaf"_s);
        ASSERT_TRUE(session.OpenAdministratie(folder));
    }

    std::unique_ptr<QProcess> start(const QStringList &arguments, const QString &shell = {})
    {
        return kv::test::startTool(dir.filePath(u"registry.reg"_s), arguments, shell);
    }
    kv::test::ToolResult run(const QStringList &arguments, const QString &shell = {})
    {
        return kv::test::runTool(dir.filePath(u"registry.reg"_s), arguments, shell);
    }
    QStringList export_() const { return QStringList{u"auditfile"_s, folder, target} + kOpties; }
    QStringList leftovers() const { return QDir(dir.path()).entryList({u".*.tmp"_s}, QDir::Files | QDir::Hidden); }
    QByteArray bytesOf(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Each booking twice more under other numbers (36,000 lines, a 9 MB file), so that
    // a run lasts long enough to be caught half-way.
    void lengthen()
    {
        session.DBAdmin().Execute(
            u"INSERT INTO GrootboekMutaties (DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, Omschrijving, "
            u"Bedrag, DCCode, RelatieNr, FactuurNr, Kostenplaats, BTWCode, BTWPercentage, BTWBedrag) "
            u"SELECT g.DagboekCode, g.BoekstukNr & \"-\" & p.PeriodeNr, g.Periode, g.BoekingsDatum, g.GrootboekReknr, "
            u"g.Omschrijving, g.Bedrag, g.DCCode, g.RelatieNr, g.FactuurNr, g.Kostenplaats, g.BTWCode, g.BTWPercentage, "
            u"g.BTWBedrag FROM GrootboekMutaties AS g, Perioden AS p WHERE p.PeriodeNr IN (1, 2)"_s);
    }

    QTemporaryDir dir;
    kv::Session session;
    QString folder, target;
};

TEST_F(AuditfileTool, ExitCodesForUsageBadDataAndAMissingAdministration)
{
    EXPECT_EQ(run({u"auditfile"_s, folder}).code, 64);
    EXPECT_EQ(run({u"auditfile"_s, folder, target, target}).code, 64);
    EXPECT_EQ(run({u"auditfile"_s, dir.filePath(u"Elders012026"_s), target}).code, 2);

    auto first = session.DBAdmin().OpenQuery(u"SELECT DagboekCode, GrootboekReknr FROM GrootboekMutaties WHERE Periode <> 0"_s);
    const QString journal = first->text(u"DagboekCode"), account = first->text(u"GrootboekReknr");
    for (const auto &[rekening, dc] : {std::pair{u"7777"_s, "D"}, std::pair{account, "C"}})
        session.DBAdmin().Execute(u"INSERT INTO GrootboekMutaties (DagboekCode, BoekstukNr, Periode, BoekingsDatum, "
                                  u"GrootboekReknr, Bedrag, DCCode) VALUES (\""_s + journal + u"\", \"999999\", 1, \"20260105\", \""_s
                                  + rekening + u"\", 5, \""_s + QLatin1String(dc) + u"\")"_s);
    const kv::test::ToolResult bad = run(export_());
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, u"Dagboek "_s + journal + u", boekstuk 999999, regel 1 (rekening 7777): de rekening staat niet in het "
                                                   u"rekeningschema."_s + kNiet);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.xaf*"_s, u".*.tmp"_s}, QDir::Files | QDir::Hidden), QStringList());
}

// Killed as it starts and half-way: the target stays absent or stays the old file to the byte;
// the temp file the kill leaves behind goes with the next run on this workstation.
TEST_F(AuditfileTool, AKilledRunDeliversNothingAndTheNextRunClearsItsTempFile)
{
    lengthen();
    ASSERT_EQ(run(export_()).code, 0);
    const qint64 whole = QFileInfo(target).size();
    const QByteArray old = "<oud/>";
    for (const bool halfway : {false, true}) {
        for (const bool earlier : {false, true}) {
            SCOPED_TRACE(std::string(halfway ? "half-way" : "starting") + (earlier ? ", old target" : ", no target"));
            QFile::remove(target);
            if (earlier) {
                QFile file(target);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(old);
            }
            std::unique_ptr<QProcess> tool = start(export_());
            // The run's own temp file; the one an earlier kill left is gone before it is made.
            const QString temp = u".2026.xaf."_s + kv::GetComputerNaam() + u'.' + QString::number(tool->processId()) + u".tmp"_s;
            const auto due = [&] {
                const QFileInfo file(dir.filePath(temp));
                return file.exists() && (!halfway || file.size() >= whole / 2);
            };
            bool ended = false;
            while (!due() && !(ended = tool->waitForFinished(1))) {
            }
            ASSERT_FALSE(ended) << "the run ended before it was killed";
            ::kill(pid_t(tool->processId()), SIGKILL);
            tool->waitForFinished();
            EXPECT_EQ(leftovers().join(u' '), temp);
            if (earlier)
                EXPECT_EQ(bytesOf(target), old);
            else
                EXPECT_FALSE(QFile::exists(target));
        }
    }
    EXPECT_EQ(run(export_()).code, 0);
    EXPECT_EQ(QFileInfo(target).size(), whole);
    EXPECT_EQ(leftovers().join(u' '), QString());
}

TEST_F(AuditfileTool, AFullDiskIsAFileFaultAndLeavesNothing)
{
    // 100 blocks against a file of 3 MB; with SIGXFSZ ignored a write fails with EFBIG instead.
    const kv::test::ToolResult full = run(export_(), u"ulimit -f 100; trap '' XFSZ"_s);
    EXPECT_EQ(full.code, 2);
    EXPECT_TRUE(full.err.startsWith(u"Het bestand "_s + target + u" kan niet worden geschreven: "_s)) << qPrintable(full.err);
    EXPECT_TRUE(full.err.endsWith(kNiet));
    EXPECT_FALSE(full.err.contains(u"Unknown error"_s)) << qPrintable(full.err); // the system's reason
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(leftovers().join(u' '), QString());
}

// What the file says about its transactions, and what its lines add up to.
struct Transacties {
    qint64 linesCount = -1, totalDebit = -1, totalCredit = -1;
    qint64 trLines = 0, debit = 0, credit = 0;
};

Transacties transactiesIn(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    Transacties t;
    bool inTransactions = false;
    qint64 amount = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"transactions")
            inTransactions = true;
        else if (!inTransactions)
            continue;
        else if (name == u"linesCount")
            t.linesCount = xml.readElementText().toLongLong();
        else if (name == u"totalDebit")
            t.totalDebit = xaf::centen(xml.readElementText());
        else if (name == u"totalCredit")
            t.totalCredit = xaf::centen(xml.readElementText());
        else if (name == u"trLine")
            ++t.trLines;
        else if (name == u"amnt")
            amount = xaf::centen(xml.readElementText());
        else if (name == u"amntTp")
            (xml.readElementText() == u"D" ? t.debit : t.credit) += amount;
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return t;
}

// Another program books balanced pairs for as long as the export runs: the header's count and
// totals are those of the lines written, all read in one snapshot.
TEST_F(AuditfileTool, BookingsMadeDuringTheRunDoNotSplitHeaderAndLines)
{
    lengthen();
    auto other = kv::db::Database::open(folder + u"KorvenalDB.sqlite"_s, {});
    auto first = other->OpenQuery(u"SELECT DagboekCode, GrootboekReknr FROM GrootboekMutaties WHERE Periode <> 0"_s);
    const QString journal = first->text(u"DagboekCode"), account = first->text(u"GrootboekReknr");
    first.reset();
    const auto count = [&] {
        return other->OpenQuery(u"SELECT COUNT(*) FROM GrootboekMutaties WHERE Periode <> 0 AND instr(GrootboekReknr, \"*\") = 0"_s)
            ->value(0).toLongLong();
    };
    const qint64 before = count();
    std::unique_ptr<QProcess> tool = start(export_());
    int pairs = 0;
    while (!tool->waitForFinished(0)) {
        other->BeginTrans();
        for (const char *dc : {"D", "C"})
            other->Execute(u"INSERT INTO GrootboekMutaties (DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, "
                           u"Bedrag, DCCode) VALUES (\""_s + journal + u"\", \"N"_s + QString::number(pairs) + u"\", 1, "
                           u"\"20260105\", \""_s + account + u"\", "_s + QString::number(pairs % 97 + 1) + u".25, \""_s
                           + QLatin1String(dc) + u"\")"_s);
        other->CommitTrans();
        ++pairs;
    }
    ASSERT_EQ(tool->exitCode(), 0) << tool->readAllStandardError().constData();
    const Transacties t = transactiesIn(target);
    EXPECT_EQ(t.linesCount, t.trLines);
    EXPECT_EQ(t.totalDebit, t.debit);
    EXPECT_EQ(t.totalCredit, t.credit);
    EXPECT_EQ(t.debit, t.credit);
    // Lines came in while it ran, before and after the moment it read.
    EXPECT_GE(t.trLines, before);
    EXPECT_LT(t.trLines, count());
    EXPECT_GT(pairs, 10);
}

} // namespace
