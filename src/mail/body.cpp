#include "mail/body.h"

#include "editing/text.h"

#include <QRegularExpression>

namespace kv {

QString prepareBody(const QString &content)
{
    QString body = content;
    if (!body.contains(u'<') && !body.contains(u'>'))
        body.replace(QStringLiteral("\r\n"), QStringLiteral("<br />"));
    body.remove(QStringLiteral("\r\n"));
    body = VervangAlles(body, u"  ", u" ");
    body.remove(u'\r');
    body.remove(u'\n');
    return body;
}

QString mergeFields(QString text, const MergeValues &values)
{
    const struct {
        QStringView field;
        QString value;
    } fields[] = {
        {u"%factuurnr%", values.factuurNr},
        {u"%factuurnummer%", values.factuurNr},
        {u"%directmailnaam%", QStringLiteral("Geachte heer of mevrouw Achternaam,")},
        {u"%relatienummer%", values.today.toString(u"yyyyMMdd")},
        {u"%emailadres%", values.address},
    };
    for (const auto &f : fields)
        text.replace(f.field.toString(), f.value, Qt::CaseInsensitive);
    return text;
}

namespace {

QString decodeReferences(const QString &text)
{
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    static const struct {
        QStringView name;
        char32_t code;
    } named[] = {{u"amp", U'&'}, {u"lt", U'<'},     {u"gt", U'>'},     {u"quot", U'"'},    {u"apos", U'\''},
                 {u"nbsp", U' '}, {u"euro", U'€'},  {u"eacute", U'é'}, {u"euml", U'ë'},    {u"iuml", U'ï'},
                 {u"ouml", U'ö'}, {u"uuml", U'ü'},  {u"copy", U'©'}};
    QString result;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString name = match.captured(1);
        char32_t code = 0;
        if (name.startsWith(u"#x", Qt::CaseInsensitive))
            code = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt();
        else
            for (const auto &n : named)
                if (n.name == name)
                    code = n.code;
        if (code == 0 || code > 0x10FFFF)
            continue; // unknown: left as written
        result += QStringView(text).mid(last, match.capturedStart() - last);
        result += QString::fromUcs4(&code, 1);
        last = match.capturedEnd();
    }
    return result + QStringView(text).mid(last);
}

} // namespace

QString textFromHtml(const QString &html)
{
    static const QRegularExpression hidden(QStringLiteral("<(head|style|script)\\b.*?</\\1\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression lineEnd(QStringLiteral("<(br|/p|/div|/tr|/h[1-6]|/li|/table)\\b[^>]*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\n]+"));
    static const QRegularExpression lineEdges(QStringLiteral(" *\n *"));
    QString text = html;
    text.remove(hidden);
    text.replace(lineEnd, QStringLiteral("\x01"));
    text.remove(tag);
    text.replace(blanks, QStringLiteral(" "));
    text.replace(u'\x01', u'\n');
    text.replace(lineEdges, QStringLiteral("\n"));
    return decodeReferences(text).trimmed() + u'\n';
}

} // namespace kv
