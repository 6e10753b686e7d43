#include "core/context.h"
#include "core/log/schrijflog.h"
#include "core/log/workstation.h"
#include "support/printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SchrijfLogTest : public ::testing::Test {
protected:
    SchrijfLogTest()
    {
        ctx.DataPad = dir.path() + u'/';
        ctx.locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
        ctx.clock = [] { return QDateTime(QDate(2026, 3, 5), QTime(14, 3, 7)); };
        ctx.workstation = QStringLiteral("WERKPLEK-07");
    }

    QByteArray logged() const
    {
        QFile file(dir.filePath(QStringLiteral("kvpro-2026-03.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }

    QTemporaryDir dir;
    kv::Context ctx;
};

} // namespace

TEST(PadRechts, TrimsThenCutsOrPadsToTheWidth)
{
    struct Case {
        const char *text;
        int width;
        const char *padded;
    } cases[] = {
        {"BEHEER", 15, "BEHEER         "},
        {"  SYSTEEM ", 10, "SYSTEEM   "},
        {"ABCDEFGHIJKLMNOPQRST", 15, "ABCDEFGHIJKLMNO"},
        {"", 3, "   "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kv::PadRechts(QString::fromLatin1(c.text), c.width), QString::fromLatin1(c.padded)) << c.text;
}

TEST(GetComputerNaam, DropsWhatAFileNameCannotHoldAndCutsAtNul)
{
    struct Case {
        QString machine, name;
    } cases[] = {
        {QStringLiteral("KANTOOR-PC"), QStringLiteral("KANTOOR-PC")},
        {QStringLiteral("a:b/c\\d?e!f<g>h*i\"j|k"), QStringLiteral("abcdefghijk")},
        {QStringLiteral("PC1") + QChar(0) + QStringLiteral("rest"), QStringLiteral("PC1")},
        {QStringLiteral(":/?"), QStringLiteral("-")},
        {QString(), QStringLiteral("-")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kv::GetComputerNaam(c.machine), c.name) << c.machine.toStdString();
}

TEST_F(SchrijfLogTest, WritesTheFieldsSeparatedAndPaddedWithCrLf)
{
    kv::SchrijfLog(ctx, kv::PadRechts(QStringLiteral("SYSTEEM"), 10) + u": Formulier       : Opschonen administratie");
    EXPECT_EQ(logged(), "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : "
                        "SYSTEEM   : Formulier       : Opschonen administratie\r\n");
}

TEST_F(SchrijfLogTest, AddsTheErrorLineWhenThereIsAnErrorNumber)
{
    kv::SchrijfLog(ctx, QStringLiteral("BOEKSTUK  : + Actie         : opslaan"), 3021, QStringLiteral("Geen huidige record."));
    EXPECT_EQ(logged(), "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : BOEKSTUK  : + Actie         : opslaan\r\n"
                        "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : "
                        "ERROR     :  + Error        : 3021 -> Geen huidige record.\r\n");
}

TEST_F(SchrijfLogTest, EmptyTextWritesAnEmptyLineAndAppendsToTheMonthsFile)
{
    kv::SchrijfLog(ctx, QString());
    kv::SchrijfLog(ctx, QString());
    EXPECT_EQ(logged(), "\r\n\r\n");
}

TEST_F(SchrijfLogTest, CutsALongWorkstationNameToFifteen)
{
    ctx.workstation = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
    kv::SchrijfLog(ctx, QStringLiteral("x"));
    EXPECT_TRUE(logged().startsWith("05-mrt-2026 14:03:07 : ABCDEFGHIJKLMNO : BEHEER          : x")) << logged().toStdString();
}

TEST_F(SchrijfLogTest, WritesNothingWithoutADataFolderAndNeverFails)
{
    ctx.DataPad.clear();
    kv::SchrijfLog(ctx, QStringLiteral("x"), 5, QStringLiteral("y"));
    EXPECT_EQ(logged(), "(no file)");

    ctx.DataPad = dir.filePath(QStringLiteral("bestaat-niet/"));
    EXPECT_NO_THROW(kv::SchrijfLog(ctx, QStringLiteral("x")));
}
