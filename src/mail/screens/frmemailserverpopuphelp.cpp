#include "mail/screens/frmemailserverpopuphelp.h"

#include "core/context.h"
#include "core/dialogs.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv {
namespace {

const QString uitleg = uR"(<h3>Een HTML e-mailbericht opzetten</h3>
<p><b>Stap 1:</b> Schrijf de tekst van het bericht in HTML, bijvoorbeeld met &lt;p&gt; per alinea en &lt;br /&gt; voor een nieuwe regel. Een tekst zonder HTML-codes krijgt bij het versturen vanzelf een &lt;br /&gt; voor iedere nieuwe regel.</p>
<p><b>Stap 2:</b> Gebruik samenvoegvelden voor wat per bericht verschilt: %directmailnaam% (de aanhef), %factuurnr% of %factuurnummer%, %relatienummer% en %emailadres%. Ook het onderwerp mag ze bevatten.</p>
<p><b>Stap 3:</b> Een afbeelding in de tekst plaatst u met een &lt;img&gt;-code. Zet het bestand in de gegevensmap van de administratie of geef het volledige pad op.</p>
<p><b>Stap 4:</b> Gebruik bij src de volgende opbouw: src="cid:%bestandsnaam%"</p>
<p><b>Stap 5:</b> Sla het sjabloon op en stuur met "Test e-mailbericht sturen..." een testbericht naar uw eigen adres om het resultaat te bekijken.</p>)"_s;

} // namespace

const QString &FrmEmailServerPopupHelp::example()
{
    static const QString letter = uR"(<html>
<body style="font-family: Arial, sans-serif; font-size: 10pt;">
<p><img src="cid:%Afbeeldingen\logo.png%" alt="Logo" /></p>
<p>%directmailnaam%</p>
<p>Hierbij ontvangt u als bijlage factuur %factuurnr%. Wij verzoeken u het bedrag binnen de
betalingstermijn over te maken onder vermelding van het factuurnummer.</p>
<p>Heeft u vragen over deze factuur? Beantwoord dan gerust dit bericht.</p>
<p>Met vriendelijke groet,<br />
de administratie</p>
</body>
</html>)"_s;
    return letter;
}

FrmEmailServerPopupHelp::FrmEmailServerPopupHelp(Context &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName(u"frmEmailServerPopupHelp"_s);
    setWindowTitle(u"E-mail sjablonen - Help"_s);
    auto *tabs = new QTabWidget(this);
    auto *explanation = new QTextBrowser(tabs);
    explanation->setHtml(uitleg);
    tabs->addTab(explanation, u"Uitleg"_s);
    auto *letter = new QPlainTextEdit(example(), tabs);
    letter->setReadOnly(true);
    tabs->addTab(letter, u"Voorbeeld"_s);

    auto *buttons = new QDialogButtonBox(this);
    auto *copy = buttons->addButton(u"Overnemen naar sjabloon"_s, QDialogButtonBox::ActionRole);
    copy->setObjectName(u"cmdCopy"_s);
    buttons->addButton(u"Sluiten"_s, QDialogButtonBox::RejectRole);
    connect(copy, &QPushButton::clicked, this, &FrmEmailServerPopupHelp::cmdCopy_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &FrmEmailServerPopupHelp::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    resize(620, 460);
}

void FrmEmailServerPopupHelp::cmdCopy_Click()
{
    if (m_ctx.dialogs->MsgBox(u"Weet u zeker dat u deze tekst wilt overnemen?"_s, mb::YesNo | mb::Question, u"Beheer"_s) != mb::Yes)
        return;
    Q_EMIT copied(example());
    accept();
}

} // namespace kv
