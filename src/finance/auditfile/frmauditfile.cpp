#include "finance/auditfile/frmauditfile.h"

#include "core/context.h"
#include "core/dialogs.h"
#include "core/registry/registry.h"
#include "editing/environment.h"
#include "editing/widgets/busypanel.h"
#include "editing/widgets/taskform.h"
#include "finance/auditfile/auditfile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {

FrmAuditFile::FrmAuditFile(Context &ctx) : m_ctx(ctx)
{
    setObjectName(u"frmAuditFile"_s);
    TaskForm form(this, 10);
    form.caption(u"Auditfile XML aanmaken"_s)->setObjectName(u"lblTitel"_s);
    form.text(u"Hier kunt u een standaard Auditfile XML Financieel versie 3.2 aanmaken"_s, "lblUitleg");
    form.text(u"Uitwisseling Auditfile met Belastingdienst of uw accountant"_s, "lblUitwisseling");
    form.text(u"Standaardoverzicht van alle mutaties in de grootboekrekeningen"_s, "lblOverzicht");
    form.layout()->addSpacing(10);
    form.text(u"Extra opties na overleg met uw accountant:"_s, "lblOpties", true);

    const auto addCheck = [&](const QString &text, const char *name) {
        auto *check = new QCheckBox(text, this);
        check->setObjectName(QLatin1String(name));
        form.layout()->addWidget(check);
        return check;
    };
    m_zonderBeginbalans = addCheck(u"XML auditfile zonder beginbalans"_s, "chkZonderBeginbalans");
    m_kostenplaatsen = addCheck(u"XML auditfile inclusief kostenplaatsen aanmaken"_s, "chkKostenplaatsen");
    m_btw = addCheck(u"XML auditfile inclusief btw gegevens aanmaken"_s, "chkBtw");

    form.layout()->addSpacing(10);
    m_aanmaken = form.button(u"Aanmaken..."_s, "cmdAanmaken");
    connect(m_aanmaken, &QPushButton::clicked, this, &FrmAuditFile::cmdAanmaken_Click);
    m_bezig = new BusyPanel(this, true);
    form.end(m_bezig);
}

Opties FrmAuditFile::opties() const
{
    return {m_zonderBeginbalans->isChecked(), m_kostenplaatsen->isChecked(), m_btw->isChecked()};
}

QString FrmAuditFile::voorgesteldBestand() const
{
    return DocumentsFolder(m_ctx.registry) + m_ctx.today().toString(u"yyyyMMdd"_s) + u".xaf"_s;
}

void FrmAuditFile::cmdAanmaken_Click()
{
    QString pad = m_ctx.dialogs->SaveFile(u"Opslaan XML auditfile"_s, u"XML Auditfile Finanancieel (*.xaf) | *.xaf"_s,
                                          voorgesteldBestand());
    if (pad.isEmpty())
        return;
    if (QFileInfo(pad).suffix().isEmpty())
        pad += u".xaf"_s;
    // Whether the chosen folder takes a file at all, before any work is done.
    QFile proef(QFileInfo(pad).absolutePath() + u"/testwrite.txt"_s);
    const bool schrijfbaar = proef.open(QIODevice::WriteOnly) && proef.write("test") == 4;
    proef.remove();
    if (!schrijfbaar) {
        m_ctx.dialogs->MsgBox(u"Er kan op de gekozen doelbestemming niet worden geschreven. Selecteer een andere bestemming."_s,
                              mb::Exclamation);
        return;
    }

    m_aanmaken->setEnabled(false);
    const Uitkomst uitkomst = voerUit(m_ctx, pad, opties(), m_bezig);
    m_aanmaken->setEnabled(true);
    switch (uitkomst.soort) {
    case Uitkomst::Soort::Gemaakt:
        m_ctx.dialogs->MsgBox(uitkomst.melding, mb::Information);
        if (!uitkomst.resultaat.opmerkingen.isEmpty())
            m_ctx.dialogs->MsgBox(u"Opmerkingen bij de XML auditfile (het bestand is aangemaakt):\n\n"_s
                                      + uitkomst.resultaat.opmerkingen.join(u"\n\n"_s),
                                  mb::Information);
        break;
    case Uitkomst::Soort::Afgebroken:
        m_ctx.dialogs->MsgBox(uitkomst.melding, mb::Information);
        break;
    case Uitkomst::Soort::Fout:
    case Uitkomst::Soort::Mislukt:
        if (!uitkomst.melding.isEmpty())
            m_ctx.dialogs->MsgBox(uitkomst.melding, mb::Exclamation);
        break;
    }
    Q_EMIT done();
}

} // namespace kv::finance::auditfile
