#include "editing/environment.h"

#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;

TEST(BestandBestaat, FindsFilesIgnoringCaseAndDatabaseExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + u'/';
    for (const QString &name : {u"KorvenalDB.sqlite"_s, u"Notes.TXT"_s, u"[x].log"_s}) {
        QFile f(root + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(root).mkpath(u"leeg"_s);
    QDir(root).mkpath(u"alleenmappen/sub"_s);

    struct Row {
        QString path;
        bool expected;
    };
    const Row rows[] = {
        {root + u"korvenaldb.mdb", true}, {root + u"KORVENALDB.SQLITE", true}, {root + u"Archief.mdb", false},
        {root + u"notes.txt", true},      {root + u"N?tes.*", true},           {root + u"*.*", true},
        {root + u"[x].log", true},        {root + u"x.log", false},            {root + u"leeg", false},
        {root + u"leeg/", false},         {root + u"alleenmappen/", false},    {root, true},
        {QString(root).replace(u'/', u'\\') + u"KorvenalDB.mdb", true},
    };
    for (const Row &r : rows)
        EXPECT_EQ(BestandBestaat(r.path), r.expected) << r.path.toStdString();
}
