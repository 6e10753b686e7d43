#include "finance/correction/correctionscreen.h"

#include "core/context.h"
#include "core/mainwindow/theme.h"
#include "editing/dates.h"
#include "editing/widgets/yesno.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::finance {

// Shows the busy panel on the first step of a run and keeps it painted while the run works;
// the busy pointer is up as long as the panel shows.
class CorrectionScreen::Busy : public CorrectionProgress {
public:
    explicit Busy(CorrectionScreen &screen) : m_screen(screen) {}
    ~Busy() override { finished(); }
    void finished() override
    {
        if (m_shown) {
            m_shown = false;
            QApplication::restoreOverrideCursor();
            m_screen.m_busy->hide();
        }
    }
    void step(const QString &text) override
    {
        if (!m_shown) {
            m_shown = true;
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_screen.m_busy->show();
        }
        m_screen.m_busyStep->setText(text);
        m_screen.m_busyBar->setValue(0);
        paint();
    }
    void percent(int value) override
    {
        m_screen.m_busyBar->setValue(value);
        paint();
    }

private:
    static void paint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

    CorrectionScreen &m_screen;
    bool m_shown = false;
};

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

    // The busy panel: what the run is doing and how far it is.
    m_busy = new QWidget(this);
    m_busy->setObjectName(QStringLiteral("pnlBezig"));
    m_busy->setAttribute(Qt::WA_StyledBackground);
    m_busy->setStyleSheet(QStringLiteral("#pnlBezig { background: %1; border: 1px solid %2; }")
                              .arg(QColor(theme::background).name(), QColor(theme::border).name()));
    auto *busy = new QVBoxLayout(m_busy);
    busy->setContentsMargins(16, 12, 16, 12);
    auto *busyTitle = new QLabel(QStringLiteral("De gegevens worden verwerkt..."), m_busy);
    busyTitle->setFont(bold);
    m_busyStep = new QLabel(m_busy);
    m_busyStep->setObjectName(QStringLiteral("lblStap"));
    m_busyBar = new QProgressBar(m_busy);
    m_busyBar->setRange(0, 100);
    busy->addWidget(busyTitle);
    busy->addWidget(m_busyStep);
    busy->addWidget(m_busyBar);
    m_busy->setMaximumWidth(560);
    m_busy->hide();
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
    {
        Busy busy(*this);
        m_logic.run(choice(), &busy);
    }
    m_run->setEnabled(true);
}

} // namespace kv::finance
