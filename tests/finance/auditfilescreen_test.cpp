// The audit file screen on the demo: where it proposes the file, what it refuses before any
// work, what it tells and logs when it is done.
#include "core/log/schrijflog.h"
#include "finance/auditfile/frmauditfile.h"
#include "support/demofixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

class AuditFileScreen : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        ctx.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(10, 0)); };
        QDir().mkpath(documents());
        const auto folders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
        registry.createKey(folders);
        ASSERT_TRUE(registry.SchrijfRegistry(folders, u"Personal", documents()));
    }
    QString documents() const { return dir.filePath(u"Mijn documenten"_s); }
    QString log() const
    {
        QFile file(kv::logFilePath(ctx));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(AuditFileScreen, ProposesTheDocumentsFolderAndMakesTheFileThere)
{
    xaf::FrmAuditFile screen(ctx);
    screen.findChild<QCheckBox *>(u"chkBtw"_s)->setChecked(true);
    QSignalSpy done(&screen, &xaf::FrmAuditFile::done);
    dialogs.saveFiles = {documents() + u"/jaar2026"_s}; // the suffix is added
    screen.cmdAanmaken_Click();

    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].title, u"Opslaan XML auditfile");
    EXPECT_EQ(dialogs.saveRequests[0].filter, u"XML Auditfile Finanancieel (*.xaf) | *.xaf");
    EXPECT_EQ(dialogs.saveRequests[0].proposed, documents() + u"/20261207.xaf"_s);
    const QString made = documents() + u"/jaar2026.xaf"_s;
    ASSERT_EQ(dialogs.prompts().value(0), u"De XML auditfile is aangemaakt.\n\nBestandslocatie:\n"_s + made);
    EXPECT_TRUE(QFile::exists(made));
    EXPECT_EQ(QDir(documents()).entryList(QDir::Files | QDir::Hidden), QStringList{u"jaar2026.xaf"_s}); // no probe, no temp
    EXPECT_EQ(done.count(), 1);
    EXPECT_TRUE(log().contains(u"SYSTEEM   : Formulier       : Auditfile XML aanmaken"_s));
    EXPECT_TRUE(log().contains(u"SYSTEEM   : + Afgerond      : "_s + made + u" ("_s));
}

TEST_F(AuditFileScreen, RefusesBeforeAnyWorkAndStopsOnBadData)
{
    xaf::FrmAuditFile screen(ctx);
    dialogs.saveFiles = {u""_s}; // cancelled
    screen.cmdAanmaken_Click();
    EXPECT_TRUE(dialogs.shown.empty());

    dialogs.saveFiles = {dir.filePath(u"bestaat niet/a.xaf"_s)};
    screen.cmdAanmaken_Click();
    EXPECT_EQ(dialogs.prompts(), QStringList{u"Er kan op de gekozen doelbestemming niet worden geschreven. "
                                             u"Selecteer een andere bestemming."_s});

    session.DBAdmin().Execute(u"UPDATE GrootboekMutaties SET GrootboekReknr = \"9999\" WHERE ID = "
                              u"(SELECT MIN(ID) FROM GrootboekMutaties WHERE Periode <> 0)"_s);
    dialogs.shown.clear();
    dialogs.saveFiles = {documents() + u"/a.xaf"_s};
    screen.cmdAanmaken_Click();
    const QString melding = dialogs.prompts().value(0);
    EXPECT_TRUE(melding.contains(u", regel 1 (rekening 9999): de rekening staat niet in het rekeningschema."_s)) << melding.toStdString();
    EXPECT_TRUE(melding.endsWith(u"\n\nDe XML auditfile is NIET aangemaakt."_s));
    EXPECT_TRUE(QDir(documents()).isEmpty(QDir::Files | QDir::Hidden));
    EXPECT_TRUE(log().contains(u"SYSTEEM   : + Onverwerkt    : Dagboek "_s));
}

} // namespace
