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

// The caller's text after date, workstation and program, each padded or cut to its width.
TEST_F(SchrijfLogTest, WritesTheFieldsPaddedWithCrLfAndTheErrorLineWhenThereIsANumber)
{
    const struct {
        const char *workstation;
        QString text;
        int error;
        const char *written;
    } cases[] = {
        {"WERKPLEK-07", kv::PadRechts(QStringLiteral("  SYSTEEM "), 10) + u": Formulier       : Opschonen administratie", 0,
         "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : SYSTEEM   : Formulier       : Opschonen administratie\r\n"},
        {"WERKPLEK-07", QStringLiteral("BOEKSTUK  : + Actie         : opslaan"), 3021,
         "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : BOEKSTUK  : + Actie         : opslaan\r\n"
         "05-mrt-2026 14:03:07 : WERKPLEK-07     : BEHEER          : ERROR     :  + Error        : 3021 -> Geen huidige record.\r\n"},
        {"ABCDEFGHIJKLMNOPQRST", QStringLiteral("x"), 0, "05-mrt-2026 14:03:07 : ABCDEFGHIJKLMNO : BEHEER          : x\r\n"},
        {"WERKPLEK-07", QString(), 0, "\r\n"}, // an empty line
    };
    QByteArray expected;
    for (const auto &c : cases) {
        ctx.workstation = QString::fromLatin1(c.workstation);
        kv::SchrijfLog(ctx, c.text, c.error, QStringLiteral("Geen huidige record."));
        expected += c.written; // the month's file is appended to
        EXPECT_EQ(logged(), expected);
    }
}

TEST_F(SchrijfLogTest, WritesNothingWithoutADataFolderAndNeverFails)
{
    ctx.DataPad.clear();
    kv::SchrijfLog(ctx, QStringLiteral("x"), 5, QStringLiteral("y"));
    EXPECT_EQ(logged(), "(no file)");

    ctx.DataPad = dir.filePath(QStringLiteral("bestaat-niet/"));
    EXPECT_NO_THROW(kv::SchrijfLog(ctx, QStringLiteral("x")));
}
