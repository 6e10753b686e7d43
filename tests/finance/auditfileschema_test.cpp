// Every audit file the demo administration gives passes the official XAF 3.2 schema.
#include "finance/auditfile/auditfile.h"
#include "support/demofixture.h"
#include "xafschema.h"

#include <QCryptographicHash>
#include <QFile>

using namespace kv;
using namespace Qt::Literals::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

TEST(AuditFileSchema, IsTheOfficialOneByteForByte)
{
    QFile schema(QStringLiteral(XAF_SCHEMA));
    ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QCryptographicHash::hash(schema.readAll(), QCryptographicHash::Sha256).toHex().startsWith("6127b3f19db2c5bc"));
}

TEST_F(DemoTest, EveryAuditFileOfTheDemoPassesTheSchema)
{
    const xaf::Opties choices[] = {{}, {.kostenplaatsen = true, .btw = true}, {.zonderBeginbalans = true, .btw = true}};
    for (const xaf::Opties &opties : choices) {
        SCOPED_TRACE(opties.btw + 2 * opties.kostenplaatsen + 4 * opties.zonderBeginbalans);
        const QString file = dir.filePath(u"demo.xaf"_s);
        xaf::maakAuditfile(ctx, file, opties);
        const QStringList errors = schemaErrors(XAF_SCHEMA, file);
        EXPECT_TRUE(errors.isEmpty()) << errors.mid(0, 3).join(u'\n').toStdString() << " (" << errors.size() << ")";
    }
}

} // namespace
