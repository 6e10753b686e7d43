#include "core/registry/registryfile.h"
#include "support/printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(RegistryValueNames, AreListedAsStoredUnderTheKeyOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"registry.reg"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion]\r\n"
               "\"Boven\"=\"1\"\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Velmo\\Korvenal\\Pro\\CurrentVersion\\PrinterSetting]\r\n"
               "\"Printer_3_2\"=\"Zebra\"\r\n"
               "\"Getal\"=dword:00000001\r\n"
               "@=\"standaard\"\r\n"
               "\"Printer_3_1\"=\"\"\r\n");
    file.close();
    kv::RegistryFile registry(path);

    EXPECT_EQ(registry.valueNames(kv::RegKeyPrinter), QStringList({u"Printer_3_2"_s, u"Getal"_s, QString(), u"Printer_3_1"_s}));
    EXPECT_EQ(registry.valueNames(u"software\\velmo\\korvenal\\pro\\currentversion"), QStringList{u"Boven"_s});
    EXPECT_TRUE(registry.valueNames(kv::RegKeyEtiket).isEmpty());
    EXPECT_TRUE(kv::RegistryFile(dir.filePath(u"geen.reg"_s)).valueNames(kv::RegKeyPrinter).isEmpty());
}
