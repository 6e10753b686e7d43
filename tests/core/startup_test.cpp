#include "core/context.h"
#include "core/registry/registryfile.h"
#include "core/startup/startup.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StartUp, TakesTheFolderCodeAndYearFromTheCommandLine)
{
    struct Case {
        const char *commandLine, *dataPad, *code, *year;
    } cases[] = {
        {"/data/Akkerhof012024", "/data/Akkerhof012024/", "01", "2024"},
        {"/data/Akkerhof012024/", "/data/Akkerhof012024/", "01", "2024"},
        {"C:\\Korvenal\\Data\\Bakker072026\\", "C:\\Korvenal\\Data\\Bakker072026\\", "07", "2026"},
        {"  /data/Mijn bedrijf AB2025  ", "/data/Mijn bedrijf AB2025/", "AB", "2025"}, // no check for digits
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        const kv::CommandLineFolder folder = kv::parseCommandLine(QString::fromLatin1(c.commandLine));
        EXPECT_EQ(folder.dataPad, QString::fromLatin1(c.dataPad)) << c.commandLine;
        EXPECT_EQ(folder.adminCode, QString::fromLatin1(c.code)) << c.commandLine;
        EXPECT_EQ(folder.adminJaar, QString::fromLatin1(c.year)) << c.commandLine;
    }
}

TEST(StartUp, TwoDigitYearPivotComesFromTheCalendarSettingsOrIsThisYearPlus25)
{
    QTemporaryDir dir;
    kv::RegistryFile registry(dir.filePath(QStringLiteral("registry.reg")));
    const QDate today(2026, 6, 1);
    EXPECT_EQ(kv::readTweeCijferJaarMax(registry, today), 2051);

    const QStringView key = u"Control Panel\\International\\Calendars\\TwoDigitYearMax";
    ASSERT_TRUE(registry.createKey(key));
    ASSERT_TRUE(registry.SchrijfRegistry(key, u"1", QStringLiteral(" 2049") + QChar(0)));
    EXPECT_EQ(kv::readTweeCijferJaarMax(registry, today), 2049);
    ASSERT_TRUE(registry.SchrijfRegistry(key, u"1", QString()));
    EXPECT_EQ(kv::readTweeCijferJaarMax(registry, today), 2051);
}

TEST(StartUp, InstallsTheSuitesKeysOnce)
{
    QTemporaryDir dir;
    kv::RegistryFile registry(dir.filePath(QStringLiteral("registry.reg")));
    kv::installRegistryKeys(registry);
    ASSERT_TRUE(registry.SchrijfRegistry(kv::RegKeyKorvenal, u"SnelZoeken", QStringLiteral("1")));
    EXPECT_TRUE(registry.SchrijfRegistry(kv::RegKeyPrinter, u"Printer", QStringLiteral("PDF")));
    EXPECT_TRUE(registry.SchrijfRegistry(kv::RegKeyEtiket, u"Printer", QStringLiteral("Zebra")));
    kv::installRegistryKeys(registry); // a second start keeps what was written
    EXPECT_EQ(registry.LeesRegistry(kv::RegKeyKorvenal, u"SnelZoeken"), QStringLiteral("1"));
}

TEST(StartUp, ReadsSeparatorsCurrencyAndShortDateFromTheLocale)
{
    kv::Context ctx;
    ctx.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    kv::readLocale(ctx);
    EXPECT_EQ(ctx.separators.DecimaalTeken, u'.');
    EXPECT_EQ(ctx.separators.DuizendTeken, u',');
    EXPECT_EQ(ctx.separators.GetalDecimaalTeken, u'.');
    EXPECT_EQ(ctx.currencySymbol, QStringLiteral("$"));
    EXPECT_EQ(ctx.dateSeparator, QStringLiteral("/"));
    EXPECT_EQ(ctx.shortDateFormat, ctx.locale.dateFormat(QLocale::ShortFormat).toLower());

    ctx.locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
    kv::readLocale(ctx);
    EXPECT_EQ(ctx.separators.DecimaalTeken, u',');
    EXPECT_EQ(ctx.dateSeparator, QStringLiteral("-"));
    EXPECT_EQ(ctx.shortDateFormat, QStringLiteral("dd-mm-yyyy"));
}
