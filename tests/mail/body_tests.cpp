#include "mail/body.h"
#include "mail/pictures.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(MailBody, PreparedAsOneLineOfHtml)
{
    const struct {
        const char *content, *body;
    } cases[] = {
        // Plain text: its line breaks become "<br />".
        {"Beste klant,\r\nHierbij de factuur.", "Beste klant,<br />Hierbij de factuur."},
        {"Regel 1\r\n\r\nRegel 3\r\n", "Regel 1<br /><br />Regel 3<br />"},
        // One tag anywhere and the HTML alone decides the layout.
        {"<p>Beste klant,</p>\r\n<p>Tot ziens</p>", "<p>Beste klant,</p><p>Tot ziens</p>"},
        {"a > b\r\nc", "a > bc"},
        // Runs of blanks become one, however long; stray CR and LF go.
        {"<b>veel      ruimte</b>", "<b>veel ruimte</b>"},
        {"<i>x</i>\ry\nz", "<i>x</i>yz"},
        {"twee  spaties\r\nen drie   hier", "twee spaties<br />en drie hier"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(prepareBody(QString::fromUtf8(c.content)), QString::fromUtf8(c.body)) << c.content;
}

TEST(MailBody, MergeFieldsInAnyCase)
{
    const MergeValues values{QStringLiteral("260042"), QStringLiteral("klant@voorbeeld.nl"), QDate(2026, 12, 7)};
    const struct {
        const char *text, *merged;
    } cases[] = {
        {"Factuur %factuurnr%", "Factuur 260042"},
        {"Factuur %FactuurNummer% en %factuurnr%", "Factuur 260042 en 260042"},
        {"%directmailnaam%<br />", "Geachte heer of mevrouw Achternaam,<br />"},
        {"Relatie %relatienummer%, adres %emailadres%", "Relatie 20261207, adres klant@voorbeeld.nl"},
        {"%factuur% en 100%", "%factuur% en 100%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mergeFields(QString::fromUtf8(c.text), values), QString::fromUtf8(c.merged)) << c.text;
}

TEST(MailBody, TextAlternativeOfTheHtml)
{
    const struct {
        const char *html, *text;
    } cases[] = {
        {"Beste klant,<br />Hierbij de factuur.", "Beste klant,\nHierbij de factuur.\n"},
        {"<html><head><title>T</title><style>p{color:red}</style></head><body><p>Een</p><p>Twee</p></body></html>",
         "Een\nTwee\n"},
        {"<p>Prijs &lt; &euro; 10 &amp; meer&#33; caf&eacute; &#x263A;</p>", "Prijs < € 10 & meer! café ☺\n"},
        {"<p>  veel \t ruimte  </p>", "veel ruimte\n"},
        {"&onbekend; blijft", "&onbekend; blijft\n"},
        {"<img src=\"cid:x\"><BR>Groet", "Groet\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textFromHtml(QString::fromUtf8(c.html)), QString::fromUtf8(c.text)) << c.html;
}

// A data folder with Afbeeldingen/Logo.PNG and a picture outside it.
class Pictures : public testing::Test {
protected:
    void SetUp() override
    {
        QDir(dataPad.path()).mkpath(QStringLiteral("Afbeeldingen"));
        touch(dataPad.filePath(QStringLiteral("Afbeeldingen/Logo.PNG")));
        touch(elsewhere.filePath(QStringLiteral("foto.jpg")));
    }
    static void touch(const QString &path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QString pad() const { return dataPad.path() + u'/'; }

    QTemporaryDir dataPad, elsewhere;
    const QDateTime now{QDate(2026, 12, 7), QTime(14, 5, 9)};
};

TEST_F(Pictures, FoundAsWrittenOrInTheDataFolder)
{
    const QString logo = dataPad.filePath(QStringLiteral("Afbeeldingen/Logo.PNG"));
    const QString foto = elsewhere.filePath(QStringLiteral("foto.jpg"));
    const struct {
        QString written, found;
    } cases[] = {
        {foto, foto},
        {QStringLiteral("Afbeeldingen\\logo.png"), logo},
        {QStringLiteral("afbeeldingen/LOGO.png"), logo},
        {QStringLiteral("Afbeeldingen\\weg.png"), {}},
        {QStringLiteral("Andere\\logo.png"), {}},
        {QStringLiteral("C:\\Afbeeldingen\\logo.png"), {}},
        {{}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(findTemplateFile(c.written, pad()), c.found) << c.written.toStdString();
}

TEST_F(Pictures, ReferencesRewrittenOncePerFile)
{
    const QString foto = elsewhere.filePath(QStringLiteral("foto.jpg"));
    const QString html = u"<img alt=\"logo\" src=\"cid:%Afbeeldingen\\logo.png%\" width=\"80\"/>"
                         u"<img src=\"cid:%weg.png%\" >"
                         u"<IMG SRC=\"cid:%" + foto + u"%\"><img src=\"cid:%afbeeldingen/LOGO.png%\">";
    const EmbeddedPictures result = embedPictures(html, pad(), now);
    EXPECT_EQ(result.html, u"<img alt=\"logo\" src=\"cid:20261207140509-01@beheer\" width=\"80\"/>"
                           u"<img src=\"cid:%weg.png%\" >"
                           u"<IMG src=\"cid:20261207140509-02@beheer\"><img src=\"cid:20261207140509-01@beheer\">");
    ASSERT_EQ(result.pictures.size(), 2u);
    EXPECT_EQ(result.pictures[0].path, dataPad.filePath(QStringLiteral("Afbeeldingen/Logo.PNG")));
    EXPECT_EQ(result.pictures[1].path, foto);
    EXPECT_EQ(result.pictures[1].contentId, u"20261207140509-02@beheer");
}

TEST_F(Pictures, AtMostNinetyNine)
{
    QString html;
    for (int n = 1; n <= 100; ++n) {
        touch(elsewhere.filePath(QStringLiteral("p%1.png").arg(n)));
        html += u"<img src=\"cid:%" + elsewhere.filePath(QStringLiteral("p%1.png").arg(n)) + u"%\">";
    }
    html += u"<img src=\"cid:%unclosed";
    const EmbeddedPictures result = embedPictures(html, pad(), now);
    ASSERT_EQ(result.pictures.size(), 99u);
    EXPECT_EQ(result.pictures.back().contentId, u"20261207140509-99@beheer");
    EXPECT_TRUE(result.html.endsWith(u"<img src=\"cid:%" + elsewhere.filePath(QStringLiteral("p100.png")) +
                                     u"%\"><img src=\"cid:%unclosed"));
}

} // namespace
} // namespace kv
