#include "support/toolprocess.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// One password set everywhere a secret can be set: the databases, the mail server, the portal
// and API keys. Every job of the tool then runs once, also into its failures (a mail server
// that is not there); the password appears in no log file, on no stderr and on no stdout.
TEST(Secrets, NoJobWritesThePassword)
{
    const QString secret = u"Zw8#gQ7!kx"_s; // ten characters: the longest a Sorbex PIN takes
    QTemporaryDir dir;
    const QString reg = dir.filePath(u"registry.reg"_s), map = dir.filePath(u"Akkerhof012026"_s) + u'/';
    const auto file = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };

    // Setting the password everywhere must work, or the rest proves little.
    const QList<QStringList> setup = {
        {u"demo"_s, map, u"--password"_s, secret},
        {u"new"_s, file("Leeg012026"), u"--password"_s, secret},
        {u"email"_s, map, u"server"_s, u"server=127.0.0.1"_s, u"poort=9"_s, u"gebruiker=beheer"_s, u"wachtwoord="_s + secret,
         u"ssl=nee"_s, u"auth=1"_s},
        {u"opties"_s, map, u"frmSubAdministratieSorbexOnline"_s, u"--ja"_s, u"InlogNaam=beheer"_s, u"Toegangscode="_s + secret,
         u"PINcode="_s + secret},
        {u"opties"_s, map, u"frmGoogle"_s, u"--ja"_s, u"UseGoogleAPIKey=aan"_s, u"GoogleAPIKey="_s + secret},
        {u"opties"_s, map, u"frmBedrijfsgegevens"_s, u"--ja"_s, u"RVDMWebserviceKey="_s + secret},
    };
    const QList<QStringList> jobs = {
        {u"opties"_s, map},
        {u"opties"_s, map, u"frmBedrijfsgegevens"_s, u"--ongedaan"_s, u"--ja"_s},
        {u"koppelingen"_s, map},
        {u"perioden"_s, map},
        {u"btwcontrole"_s, map},
        {u"correctie"_s, map, u"--boekdatum"_s, u"--betaaldatum"_s},
        {u"auditfile"_s, map, file("audit.xaf"), u"--btw"_s},
        {u"auditfile-controle"_s, file("audit.xaf")},
        {u"afschrijvingen"_s, map, u"2026"_s},
        {u"archiveren"_s, map, u"01-07-2026"_s, u"--ja"_s},
        {u"opschonen"_s, map, u"2025"_s, u"--proef"_s},
        {u"archief-verwijderen"_s, map, u"01-01-2027"_s, u"--proef"_s, u"--bewaartermijn"_s},
        {u"relaties-verwijderen"_s, map, u"--ja"_s},
        {u"facturen-verwijderen"_s, map, u"01-01-2027"_s, u"--proef"_s, u"--bewaartermijn"_s},
        {u"alle-facturen-verwijderen"_s, map, u"--ik-weet-wat-ik-doe"_s, u"--niet-per-ongeluk"_s, u"--proef"_s, u"--bewaartermijn"_s},
        {u"jaar-verwijderen"_s, map, u"ritten"_s, u"2025"_s, u"--proef"_s, u"--bewaartermijn"_s},
        {u"email"_s, map, u"server"_s},
        {u"email"_s, map, u"verbinding"_s},
        {u"email"_s, map, u"test"_s, u"1"_s, u"beheer@example.nl"_s},
        {u"printers"_s},
        {u"afdrukken"_s, map, u"loslijst"_s, u"02-03-2026"_s, u"--pdf"_s, file("loslijst.pdf")},
        {u"exporteer"_s, map, u"frmMedewerkers"_s, file("medewerkers.csv")},
        {u"exporteer"_s, map, u"frmrelaties"_s, file("relaties.xlsx"), u"--zoek"_s, u"a"_s},
    };
    for (const QStringList &job : setup + jobs) {
        SCOPED_TRACE(job.join(u' ').toStdString());
        const kv::test::ToolResult run = kv::test::runTool(reg, job);
        if (setup.contains(job))
            EXPECT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_NE(run.code, -1);
        EXPECT_NE(run.code, 64) << run.err.toStdString(); // the job ran, it was not refused as wrong usage
        EXPECT_FALSE(run.err.contains(secret)) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(secret)) << run.out.toStdString();
    }

    int logs = 0;
    for (QDirIterator it(dir.path(), {u"*.log"_s}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile log(it.next());
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        EXPECT_FALSE(text.contains(secret.toUtf8())) << log.fileName().toStdString();
        logs += !text.isEmpty();
    }
    EXPECT_GE(logs, 1); // the jobs did write their log lines
}
