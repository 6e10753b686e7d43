#include "finance/correction/correctionscreen.h"

#include "core/context.h"
#include "editing/widgets/busypanel.h"
#include "editing/dates.h"
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
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);

    auto *caption = new QLabel(QStringLiteral("Corrigeren boekdata, periode en betaaldata"), this);
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    caption->setFont(big);
    layout->addWidget(caption);

    auto addText = [&](const QString &text, const char *name) {
        auto *label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        return label;
    };
    addText(u"Er zijn na " + d + u" nog correctieboekingen doorgevoerd..", "lblNa");
    addText(u" Hier kunt u deze boekingsdata, perioden en betaaldata corrigeren naar de laatste datum van het boekjaar. ( "
                + d + u" )",
            "lblUitleg");
    QLabel *warning = addText(QStringLiteral("Let op: Corrigeren is DEFINITIEF - Maak van te voren ALTIJD een backup!"), "lblDefinitief");
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    warning->setStyleSheet(QStringLiteral("color: #B3261E;"));
    addText(QStringLiteral("Let op: Afgesloten perioden hebben hier geen effect."), "lblAfgesloten");
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
    auto *buttons = new QHBoxLayout;
    m_run = new QPushButton(QStringLiteral("Corrigeren"), this);
    m_run->setObjectName(QStringLiteral("cmdCorrigeren"));
    m_run->setMinimumWidth(120);
    connect(m_run, &QPushButton::clicked, this, &CorrectionScreen::cmdCorrigeren_Click);
    buttons->addWidget(m_run);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_busy = new BusyPanel(this, false);
    layout->addWidget(m_busy);
    layout->addStretch();
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
