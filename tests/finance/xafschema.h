#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <libxml/xmlschemas.h>

// The problems a schema finds with an audit file, one line each; empty when the file is valid.
inline QStringList schemaErrors(const char *xsd, const QString &file)
{
    QStringList errors;
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(xsd);
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema);
    xmlSchemaSetValidStructuredErrors(
        validator, [](void *list, xmlErrorPtr error) {
            static_cast<QStringList *>(list)->append(QString::fromUtf8(error->message).trimmed());
        },
        &errors);
    if (xmlSchemaValidateFile(validator, QFile::encodeName(file).constData(), 0) != 0 && errors.isEmpty())
        errors << QStringLiteral("not valid");
    xmlSchemaFreeValidCtxt(validator);
    xmlSchemaFree(schema);
    xmlSchemaFreeParserCtxt(parser);
    return errors;
}
