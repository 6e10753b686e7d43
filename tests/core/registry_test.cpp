#include "core/registry/registryfile.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using kv::RegKeyKorvenal;

namespace {

class RegistryFileTest : public ::testing::Test {
protected:
    void writeFile(const QByteArray &content)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("user")));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("user/registry.reg"));
    kv::RegistryFile registry{path};
};

} // namespace

TEST_F(RegistryFileTest, WritesOnlyUnderKeysThatExist)
{
    EXPECT_FALSE(registry.SchrijfRegistry(RegKeyKorvenal, u"SnelZoeken", QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    EXPECT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"SnelZoeken", QStringLiteral("1")));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"snelzoeken"), QStringLiteral("1"));
    // A sub-key is not made by writing under it.
    EXPECT_FALSE(registry.SchrijfRegistry(kv::RegKeyPrinter, u"Printer_Weegbon", QStringLiteral("PDF")));
    EXPECT_EQ(registry.LeesRegistry(kv::RegKeyPrinter, u"Printer_Weegbon"), QString());
}

TEST_F(RegistryFileTest, CreatingAKeyMakesTheKeysAboveItInTheExportLayout)
{
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"EmailSMTPPort", QStringLiteral("465")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Windows Registry Editor Version 5.00\n"
                              "\n[HKEY_CURRENT_USER\\Software]\n"
                              "\n[HKEY_CURRENT_USER\\Software\\Velmo]\n"
                              "\n[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal]\n"
                              "\n[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro]\n"
                              "\n[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\n"
                              "\"EmailSMTPPort\"=\"465\"\n");
}

TEST_F(RegistryFileTest, ReadsStringsOnlyAndDropsNulCharacters)
{
    writeFile(QByteArrayLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\r\n"
                                "\"Leeg\"=\"\"\r\n"
                                "\"Pad\"=\"C:\\\\Data\\\\\\\"x\\\"\"\r\n"
                                "\"MetNul\"=hex(1):41,00,00,00,42,00,00,00\r\n"
                                "\"LeegHex\"=hex(1):00,00\r\n"
                                "\"Lang\"=hex(1):43,00,\\\r\n"
                                "  44,00,00,00\r\n"
                                "\"Getal\"=dword:00000001\r\n"
                                "\"Binair\"=hex:01,02\r\n"
                                "@=\"standaard\"\r\n"));
    struct Case {
        const char16_t *name;
        QString value;
    } cases[] = {
        {u"Leeg", QString()},
        {u"Pad", QStringLiteral("C:\\Data\\\"x\"")},
        {u"MetNul", QStringLiteral("AB")},
        {u"LeegHex", QString()},
        {u"Lang", QStringLiteral("CD")},
        {u"Getal", QString()},
        {u"Binair", QString()},
        {u"", QStringLiteral("standaard")},
        {u"Ontbreekt", QString()},
    };
    for (const Case &c : cases) {
        const QString value = registry.LeesRegistry(u"software\\velmo\\korvenal\\pro\\currentversion", c.name);
        EXPECT_EQ(value, c.value) << QString::fromUtf16(c.name).toStdString();
    }
    EXPECT_EQ(registry.LeesRegistry(u"Software\\Velmo\\Sorbex\\CurrentVersion", u"RootDir"), QString());
}

TEST_F(RegistryFileTest, WrittenTextsComeBackAsWrittenAndOtherValuesSurvive)
{
    // A UTF-16 export of the Registry Editor, as a user might put in place.
    const QString exported = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                            "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\r\n"
                                            "\"Getal\"=dword:00000001\r\n"
                                            "\"UBLArchiefPath-07\"=\"oud\"\r\n");
    writeFile(QByteArrayLiteral("\xff\xfe") +
              QByteArray(reinterpret_cast<const char *>(exported.utf16()), exported.size() * 2));

    const QString texts[] = {
        QStringLiteral("/home/beheer/UBL archief/\"2026\"\\"),
        QStringLiteral("regel 1\r\nregel 2"),
        QStringLiteral("A") + QChar(0) + QStringLiteral("B"),
        QStringLiteral("Nutriënten €"),
        QString(),
    };
    for (const QString &text : texts) {
        ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"ublarchiefpath-07", text));
        EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"UBLArchiefPath-07"), QString(text).remove(QChar(0)));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("\"Getal\"=dword:00000001\n"));
    EXPECT_TRUE(content.contains("\"UBLArchiefPath-07\"=")) << "the stored name keeps its case";
}

// Half a character in a damaged UTF-16 file reads as U+FFFD, before and after the file is
// written again as UTF-8.
TEST_F(RegistryFileTest, ADamagedUtf16CharacterReadsTheSameAfterAWrite)
{
    const QString exported = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                            "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\r\n"
                                            "\"Naam\"=\"a") + QChar(0xD800) + QStringLiteral("b\"\r\n");
    writeFile(QByteArrayLiteral("\xff\xfe") +
              QByteArray(reinterpret_cast<const char *>(exported.utf16()), exported.size() * 2));
    const QString damaged = QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + QStringLiteral("b");

    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Naam"), damaged);
    ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"Ander", QStringLiteral("x")));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Naam"), damaged);
}

// A file cut off after a value that announces a continuation line: a value written after it
// must not become that continuation.
TEST_F(RegistryFileTest, AValueWrittenAfterACutOffLineStaysItsOwn)
{
    writeFile("Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\n"
              "\"Getal\"=hex:01,02,\\");
    ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, u"Ander", QStringLiteral("x")));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Ander"), QStringLiteral("x"));
    EXPECT_EQ(registry.valueNames(RegKeyKorvenal), (QStringList{QStringLiteral("Getal"), QStringLiteral("Ander")}));
}

TEST_F(RegistryFileTest, TwoWritersAtOnceLoseNothing)
{
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    auto writer = [this](const QString &prefix) {
        kv::RegistryFile own(path);
        for (int i = 0; i < 25; ++i)
            own.SchrijfRegistry(RegKeyKorvenal, QString(prefix + QString::number(i)), QString::number(i));
    };
    std::thread a(writer, QStringLiteral("A")), b(writer, QStringLiteral("B"));
    a.join();
    b.join();
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, QString(u"A" + QString::number(i))), QString::number(i));
        EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, QString(u"B" + QString::number(i))), QString::number(i));
    }
}

// A reader keeps what it parsed only while the file is the same: another program's replace, or
// an edit in place of the same length, is seen at the next read.
TEST_F(RegistryFileTest, AReaderSeesAnotherProgramsWrite)
{
    ASSERT_TRUE(registry.createKey(RegKeyKorvenal));
    ASSERT_TRUE(registry.SchrijfRegistry(RegKeyKorvenal, QStringLiteral("Kleur"), QStringLiteral("rood")));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Kleur"), QStringLiteral("rood"));
    kv::RegistryFile other(path);
    ASSERT_TRUE(other.SchrijfRegistry(RegKeyKorvenal, QStringLiteral("Kleur"), QStringLiteral("blauw")));
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Kleur"), QStringLiteral("blauw"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray content = file.readAll();
    content.replace("blauw", "groen");
    file.seek(0);
    file.write(content);
    file.close();
    EXPECT_EQ(registry.LeesRegistry(RegKeyKorvenal, u"Kleur"), QStringLiteral("groen"));
}

TEST_F(RegistryFileTest, ValueNamesAreListedAsStoredUnderTheKeyOnly)
{
    writeFile("Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\r\n"
              "\"Boven\"=\"1\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion\\PrinterSetting]\r\n"
              "\"Printer_3_2\"=\"Zebra\"\r\n"
              "\"Getal\"=dword:00000001\r\n"
              "@=\"standaard\"\r\n"
              "\"Printer_3_1\"=\"\"\r\n");
    EXPECT_EQ(registry.valueNames(kv::RegKeyPrinter),
              QStringList({QStringLiteral("Printer_3_2"), QStringLiteral("Getal"), QString(), QStringLiteral("Printer_3_1")}));
    EXPECT_EQ(registry.valueNames(u"software\\velmo\\korvenal\\pro\\currentversion"), QStringList{QStringLiteral("Boven")});
    EXPECT_TRUE(registry.valueNames(kv::RegKeyEtiket).isEmpty());
    EXPECT_TRUE(kv::RegistryFile(dir.filePath(QStringLiteral("geen.reg"))).valueNames(kv::RegKeyPrinter).isEmpty());
}

TEST(RegistryNames, CarryTheAdministrationCodeInTheirThreeForms)
{
    const QString code = QStringLiteral("07");
    EXPECT_EQ(kv::regNameCodeFirst(code, u"EmailSMTPServer"), QStringLiteral("07-EmailSMTPServer"));
    EXPECT_EQ(kv::regNameCodeLast(code, u"AdminColor"), QStringLiteral("AdminColor07"));
    EXPECT_EQ(kv::regNameDashCode(code, u"UBLArchiefPath-"), QStringLiteral("UBLArchiefPath-07"));
}

TEST(RegistryFile, PathComesFromTheEnvironmentWhenSet)
{
    qputenv("BEHEER_REGISTRY", "/tmp/elders.reg");
    EXPECT_EQ(kv::RegistryFile::defaultPath(), QStringLiteral("/tmp/elders.reg"));
    qunsetenv("BEHEER_REGISTRY");
    EXPECT_TRUE(kv::RegistryFile::defaultPath().endsWith(u"/KorvenalPro/registry.reg"));
}
