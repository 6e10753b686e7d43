// korvenal-admin afschrijvingen on the demo: the year's periods of every asset as a kept
// table, read without changing a byte, and what it answers to bad input and a refused asset.
#include "core/session/session.h"
#include "support/demofixture.h"
#include "support/toolprocess.h"

#include <QCryptographicHash>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

class AssetsJob : public DemoTest {
protected:
    kv::test::ToolResult run(const QStringList &arguments)
    {
        return kv::test::runTool(dir.filePath(u"registry.reg"_s), QStringList{u"afschrijvingen"_s, ctx.DataPad} + arguments);
    }
    QByteArray database() const
    {
        QFile file(ctx.DataPad + u"KorvenalDB.sqlite"_s);
        return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
    }
};

TEST_F(AssetsJob, TheDemoYearAsKeptAndNothingWritten)
{
    const QByteArray before = database();
    const kv::test::ToolResult year = run({u"2026"_s});
    EXPECT_EQ(year.code, 0) << year.err.toStdString();
    QFile golden(QStringLiteral(FINANCE_TEST_DATA) + u"/afschrijvingen-2026.tsv"_s);
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(year.out, QString::fromUtf8(golden.readAll()));
    EXPECT_EQ(database(), before);
}

TEST_F(AssetsJob, BadInputPrintsNothingAndARefusedAssetIsNamed)
{
    const struct {
        QStringList arguments;
        QString message;
    } bad[] = {{{u"2026x"_s}, u"Het jaar moet uit vier cijfers bestaan, bijvoorbeeld 2026.\n"_s},
               {{u"2026"_s, u"--activum"_s, u"12"_s}, u"Activum 12 bestaat niet.\n"_s},
               {{u"2026"_s, u"--activum"_s, u"x"_s}, u"Activum x bestaat niet.\n"_s}};
    for (const auto &b : bad) {
        const kv::test::ToolResult r = run(b.arguments);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, b.message);
        EXPECT_EQ(r.out, QString());
    }
    session.DBAdmin().Execute(u"UPDATE ActivaRegistratie SET RestWaarde = 999999 WHERE InternNr = 3"_s);
    const kv::test::ToolResult refused = run({u"2026"_s});
    EXPECT_EQ(refused.code, 3);
    EXPECT_EQ(refused.err, u"Activum 3 (Graandroger 25 ton/uur) overgeslagen: De restwaarde kan niet hoger zijn dan de aanschafwaarde. "
                          u"Het af te schrijven bedrag kan niet hoger zijn dan de aanschafwaarde min de restwaarde.\n"_s);
    EXPECT_FALSE(refused.out.contains(u"\n3\t"_s));
    EXPECT_TRUE(refused.out.contains(u"\n6\tScania R 450\t"_s));
}

} // namespace
