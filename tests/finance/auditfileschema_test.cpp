// Every audit file the demo administration gives passes the official XAF 3.2 schema.
#include "finance/auditfile/auditfile.h"
#include "support/demofixture.h"

#include <QCryptographicHash>
#include <QFile>

#include <libxml/xmlschemas.h>

using namespace kv;
using namespace Qt::Literals::StringLiterals;
namespace xaf = kv::finance::auditfile;

namespace {

// The schema's problems with a file, one line each; empty when it is valid.
QStringList schemaErrors(const QString &file)
{
    QStringList errors;
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(XAF_SCHEMA);
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidStructuredErrors(
        validator, [](void *list, xmlErrorPtr error) {
            static_cast<QStringList *>(list)->append(QString::fromUtf8(error->message).trimmed());
        },
        &errors);
    if (xmlSchemaValidateFile(validator, QFile::encodeName(file).constData(), 0) != 0 && errors.isEmpty())
        errors << u"not valid"_s;
    xmlSchemaFreeValidCtxt(validator);
    xmlSchemaFree(schema);
    xmlSchemaFreeParserCtxt(parser);
    return errors;
}

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
        const QStringList errors = schemaErrors(file);
        EXPECT_TRUE(errors.isEmpty()) << errors.mid(0, 3).join(u'\n').toStdString() << " (" << errors.size() << ")";
    }
}

} // namespace
