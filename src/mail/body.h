#pragma once

#include <QDate>
#include <QString>

namespace kv {

// The HTML of a template as it goes out: a body without any tag is plain text whose line breaks
// become "<br />"; then the whole body becomes one line (line breaks removed, runs of blanks
// made one blank), so that the HTML alone decides the layout.
QString prepareBody(const QString &content);

// What the merge fields of subject and body stand for in a message.
struct MergeValues {
    QString factuurNr; // "%factuurnr%", "%factuurnummer%"
    QString address;   // "%emailadres%"
    QDate today;       // "%relatienummer%", as yyyymmdd
};

// Replaces the merge fields, whatever their case; "%directmailnaam%" becomes the salutation.
QString mergeFields(QString text, const MergeValues &values);

// The plain-text alternative of an HTML body: tags out, line and paragraph ends kept as line
// breaks, character references decoded.
QString textFromHtml(const QString &html);

} // namespace kv
