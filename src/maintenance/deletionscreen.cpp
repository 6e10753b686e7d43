#include "maintenance/deletionscreen.h"

#include "core/context.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "editing/widgets/busypanel.h"
#include "editing/widgets/taskform.h"
#include "editing/widgets/yesno.h"
#include "maintenance/jobrows.h"
#include "maintenance/ordermove.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::maintenance {

const std::vector<DeletionLook> &deletionLooks()
{
    static const std::vector<DeletionLook> looks = [] {
        using Job = DeletionRequest::Job;
        std::vector<DeletionLook> all{
            {"frmRelaties_DelRelaties", Job::Relaties, u"Verwijderen relaties"_s,
             {u"Hier kunt u relaties die u gekenmerkt heeft om te verwijderen uit de administratie halen"_s,
              u"Let op: Relaties worden niet verwijderd indien er in het lopende jaar nog facturen voor zijn verwerkt."_s},
             {}, {}},
            {"frmRelaties_DelOpenstaandePosten", Job::Facturen, u"Verwijderen betaalde facturen"_s,
             {u"Let op: Het is voor het programma niet noodzakelijk om deze facturen te verwijderen."_s,
              u"Facturen die al meer dan 10 jaar in uw historie staan kunt u verwijderen om de historische overzichten te beperken."_s},
             u"Verwijder historische facturen met een factuurdatum voor:"_s,
             {{u"Verwijder alleen de betaalde baliefacturen"_s, "ynAlleenBalie"}}},
            {"frmRelaties_DelAlleOpenstaandePosten", Job::AlleFacturen, u"Verwijder alle facturen"_s, {}, {},
             {{u"Hierbij verklaar ik dat ik weet wat ik doe en dat ik alle factuurinformatie uit de boekhouding ga verwijderen"_s,
               "ynVerklaring"},
              {u"Ik weet dat ik dit niet per ongeluk doe, ik wil echt alle facturen en betalingen verwijderen"_s, "ynZeker"}}},
        };
        for (const YearTable &year : yearTables())
            all.push_back({year.screen, Job::Jaar, year.caption, year.note.isEmpty() ? QStringList() : QStringList{year.note},
                           year.field, {}, &year});
        return all;
    }();
    return looks;
}

DeletionScreen::DeletionScreen(Context &ctx, const DeletionLook &look) : m_ctx(ctx), m_look(look)
{
    setObjectName(QLatin1String(look.screen));
    TaskForm form(this, 10);
    form.caption(look.caption);
    for (const QString &text : look.texts)
        form.text(text, "lblUitleg");
    form.text(Definitief.toString(), "lblDefinitief", true)->setStyleSheet(u"color: #B3261E;"_s);
    form.layout()->addSpacing(8);
    if (!look.limit.isEmpty())
        m_limit = limitRow(form, this, look.limit);
    for (const auto &[caption, name] : look.switches)
        m_switches.push_back(switchRow(form, this, caption, QLatin1String(name)));
    form.layout()->addSpacing(8);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    m_delete = jobButton(this, u"Verwijderen"_s, u"cmdDelete"_s);
    m_trial = jobButton(this, u"Proefdraaien"_s, u"cmdProef"_s);
    m_trial->setToolTip(u"Laat zien wat er zou gebeuren, zonder iets te wijzigen"_s);
    connect(m_delete, &QPushButton::clicked, this, &DeletionScreen::cmdDelete_Click);
    connect(m_trial, &QPushButton::clicked, this, &DeletionScreen::cmdProef_Click);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_trial);
    buttons->addStretch();
    form.layout()->addLayout(buttons);
    m_busy = new BusyPanel(this, true);
    form.layout()->addWidget(m_busy);
    m_result = trialPanel(form, this);
}

// What the screen asks of the job; nothing (after saying why) when its input will not do. All
// invoice information goes only with both declarations on; without them nothing happens.
std::optional<DeletionRequest> DeletionScreen::request()
{
    DeletionRequest request{m_look.job, {}, false, m_look.year, 0};
    switch (m_look.job) {
    case DeletionRequest::Job::Relaties:
        break;
    case DeletionRequest::Job::Facturen: {
        const std::optional<QString> voor = orderLimit(m_ctx, OrderSelection::Job::Archiveren, m_limit->text());
        if (!voor)
            return std::nullopt;
        request.voor = *voor;
        request.alleenBalie = m_switches[0]->state() == u"on";
        break;
    }
    case DeletionRequest::Job::AlleFacturen:
        for (const YesNo *declared : m_switches)
            if (declared->state() != u"on")
                return std::nullopt;
        break;
    case DeletionRequest::Job::Jaar: {
        const std::optional<int> year = deletionYear(m_ctx, m_limit->text());
        if (!year)
            return std::nullopt;
        request.jaar = *year;
        break;
    }
    }
    return request;
}

void DeletionScreen::runWith(const std::function<void(Deletion &)> &work)
{
    const std::optional<DeletionRequest> asked = request();
    if (!asked) {
        if (m_limit)
            m_limit->setFocus();
        return;
    }
    m_delete->setEnabled(false);
    m_trial->setEnabled(false);
    Deletion deletion(m_ctx, *asked);
    work(deletion);
    m_delete->setEnabled(true);
    m_trial->setEnabled(true);
}

void DeletionScreen::cmdDelete_Click()
{
    runWith([this](Deletion &deletion) {
        m_result->hide();
        deletion.run(m_busy);
    });
}

void DeletionScreen::cmdProef_Click()
{
    runWith([this](Deletion &deletion) {
        if (tryOperation(m_ctx, objectName() + u": Proefdraaien"_s, [&] { deletion.perform(m_busy, true); })) {
            const DeletionCounts &counts = deletion.counts();
            QStringList lines{u"Te verwijderen: %1"_s.arg(counts.units)};
            for (const auto &[table, rows] : counts.verwijderd)
                lines << u"  %1: %2"_s.arg(table).arg(rows);
            if (const qint64 kept = deletion.withinRetention(); kept > 0)
                lines << QString() << u"Binnen de wettelijke bewaartermijn van 7 jaar: %1 regels"_s.arg(kept);
            if (!counts.blijven.empty())
                lines << QString() << u"Blijven staan (%1):"_s.arg(counts.blijven.size());
            for (const auto &[key, reason] : counts.blijven)
                lines << u"  "_s + key + u"  "_s + reason;
            m_result->setPlainText(lines.join(u'\n'));
            m_result->show();
        }
        m_busy->finished();
    });
}

void registerDeletionScreens(ScreenRegistry &screens)
{
    for (const DeletionLook &look : deletionLooks())
        screens.add(QLatin1String(look.screen), [&look](Context &ctx) { return std::make_unique<DeletionScreen>(ctx, look); });
}

} // namespace kv::maintenance
