#include "finance/correction/correctionscreen.h"

#include "core/context.h"
#include "editing/dates.h"
#include "editing/widgets/busypanel.h"
#include "editing/widgets/taskform.h"
#include "editing/widgets/yesno.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::finance {

CorrectionScreen::CorrectionScreen(Context &ctx) : m_ctx(ctx), m_logic(ctx)
{
    setObjectName(QStringLiteral("frmBoekhouding_CorrectieBoekPeriode"));
    const QString d = DatumSysteemVorm(ctx, m_logic.yearEnd());
    TaskForm form(this, 12);
    QVBoxLayout *layout = form.layout();
    form.caption(QStringLiteral("Corrigeren boekdata, periode en betaaldata"));
    form.text(u"Er zijn na " + d + u" nog correctieboekingen doorgevoerd..", "lblNa");
    form.text(u" Hier kunt u deze boekingsdata, perioden en betaaldata corrigeren naar de laatste datum van het boekjaar. ( "
                  + d + u" )",
              "lblUitleg");
    form.text(QStringLiteral("Let op: Corrigeren is DEFINITIEF - Maak van te voren ALTIJD een backup!"), "lblDefinitief", true)
        ->setStyleSheet(QStringLiteral("color: #B3261E;"));
    form.text(QStringLiteral("Let op: Afgesloten perioden hebben hier geen effect."), "lblAfgesloten");
    layout->addSpacing(8);

    auto addSwitch = [&](const QString &text, const char *name) {
        auto *row = new QHBoxLayout;
        row->setSpacing(12);
        auto *toggle = new YesNo(this);
        toggle->setObjectName(QLatin1String(name));
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(toggle);
        row->addWidget(toggle, 0, Qt::AlignTop);
        row->addWidget(label, 1);
        layout->addLayout(row);
        return toggle;
    };
    m_boekdata = addSwitch(u"Wijzig boekingsdata gedaan na het einde van het boekjaar naar " + d, "ynBoekdata");
    m_periode = addSwitch(
        QStringLiteral("Bij voorkomende gevallen ook de periode corrigeren naar de periode behorend bij de laatste datum van het boekjaar"),
        "ynPeriode");
    m_betaaldata = addSwitch(QStringLiteral("Wijzig de betaaldatum corrigeren de laatste datum van het boekjaar"), "ynBetaaldata");

    layout->addSpacing(8);
    m_run = form.button(QStringLiteral("Corrigeren"), "cmdCorrigeren");
    connect(m_run, &QPushButton::clicked, this, &CorrectionScreen::cmdCorrigeren_Click);
    m_busy = new BusyPanel(this, false);
    form.end(m_busy);
}

CorrectionChoice CorrectionScreen::choice() const
{
    const auto on = [](const YesNo *toggle) { return toggle->state() == u"on"; };
    return {on(m_boekdata), on(m_periode), on(m_betaaldata)};
}

void CorrectionScreen::cmdCorrigeren_Click()
{
    m_run->setEnabled(false);
    m_logic.run(choice(), m_busy);
    m_run->setEnabled(true);
}

} // namespace kv::finance
