#include "maintenance/ordermovescreen.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/messages/errorreport.h"
#include "core/navigation/screenregistry.h"
#include "core/session/session.h"
#include "editing/widgets/busypanel.h"
#include "editing/widgets/taskform.h"
#include "editing/widgets/yesno.h"
#include "maintenance/jobrows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

// What each of the two screens shows.
struct Look {
    const char *name;
    QString caption, limit, button;
    QStringList texts;
};

Look lookOf(OrderSelection::Job job)
{
    if (job == OrderSelection::Job::Archiveren)
        return {"frmOrdersArchiveren", u"Archiveren historische orders"_s, u"Orders archiveren met een orderdatum voor:"_s,
                u"Archiveren"_s,
                {u"Hier kunt u vervallen en gefactureerde orders archiveren naar een archiefbestand. De orders blijven indien nodig beschikbaar."_s,
                 u"Normaal gesproken kunt u orders ouder dan een jaar archiveren"_s, u"Gemaakte facturen blijven uiteraard bestaan."_s}};
    return {"frmOpschonen", u"Administratie opschonen"_s, u"Informatie opschonen t/m jaar:"_s, u"Opschonen"_s,
            {u"Hier kunt u oudere informatie verwijderen om zodoende de snelheid van uw systeem te verbeteren"_s}};
}

// A trial's outcome as the screen lists it: rows per table, then each order that stays.
QString described(const MoveCounts &counts)
{
    QStringList lines;
    lines << u"Orders naar het archief: %1"_s.arg(counts.orders);
    for (const auto &[table, rows] : counts.naarArchief)
        lines << u"  %1 naar archief: %2"_s.arg(table).arg(rows);
    for (const auto &[table, rows] : counts.verwijderd)
        lines << u"  %1 verwijderd: %2"_s.arg(table).arg(rows);
    if (!counts.blijven.empty())
        lines << QString() << u"Blijven staan (%1):"_s.arg(counts.blijven.size());
    for (const auto &[orderNr, reason] : counts.blijven)
        lines << u"  "_s + orderNr + u"  "_s + reason;
    return lines.join(u'\n');
}

} // namespace

OrderMoveScreen::OrderMoveScreen(Context &ctx, OrderSelection::Job job) : m_ctx(ctx), m_job(job)
{
    const Look look = lookOf(job);
    setObjectName(QLatin1String(look.name));
    TaskForm form(this, 10);
    QVBoxLayout *layout = form.layout();
    form.caption(look.caption);
    for (const QString &text : look.texts)
        form.text(text, "lblUitleg");
    layout->addSpacing(8);

    m_limit = limitRow(form, this, look.limit);
    if (job == OrderSelection::Job::Archiveren) {
        m_unfinished = switchRow(form, this, u"Ook onverwerkte, niet gefactureerde orders voor bovenstaande orderdatum verwijderen"_s,
                                 u"ynOnverwerkt"_s);
        m_archived = form.text({}, "lblArchief");
        showArchiveCount();
    }

    layout->addSpacing(8);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    m_delete = jobButton(this, look.button, u"cmdDelete"_s);
    connect(m_delete, &QPushButton::clicked, this, &OrderMoveScreen::cmdDelete_Click);
    buttons->addWidget(m_delete);
    if (job == OrderSelection::Job::Archiveren) {
        m_purge = jobButton(this, u"Verwijderen"_s, u"cmdPurge"_s);
        m_purge->setToolTip(u"De orders voor de datum definitief uit het archief verwijderen"_s);
        connect(m_purge, &QPushButton::clicked, this, &OrderMoveScreen::cmdPurge_Click);
        buttons->addWidget(m_purge);
    }
    m_trial = jobButton(this, u"Proefdraaien"_s, u"cmdProef"_s);
    m_trial->setToolTip(u"Laat zien wat er zou gebeuren, zonder iets te wijzigen"_s);
    connect(m_trial, &QPushButton::clicked, this, &OrderMoveScreen::cmdProef_Click);
    buttons->addWidget(m_trial);
    buttons->addStretch();
    layout->addLayout(buttons);
    m_busy = new BusyPanel(this, true);
    layout->addWidget(m_busy);
    m_result = trialPanel(form, this);
}

void OrderMoveScreen::showArchiveCount()
{
    tryOperation(m_ctx, u"frmOrdersArchiveren: Tellen"_s, [this] {
        db::Statement lines = m_ctx.session->DBArchief().prepareOnce(u"SELECT COUNT(*) FROM OrderGegevensArchief"_s);
        lines.step();
        m_archived->setText(u"Aanwezige orderregels in archief: "_s + lines.column(0).toString());
    });
}

std::optional<OrderSelection> OrderMoveScreen::selection()
{
    const std::optional<QString> voor = orderLimit(m_ctx, m_job, m_limit->text());
    if (!voor) {
        m_limit->setFocus();
        return std::nullopt;
    }
    return OrderSelection{m_job, *voor, m_unfinished && m_unfinished->state() == u"on"};
}

// The buttons stay off while the work runs; the archive's count is read again after it.
void OrderMoveScreen::runWith(QPushButton *button, const std::function<void(OrderMove &)> &work)
{
    const std::optional<OrderSelection> chosen = selection();
    if (!chosen)
        return;
    for (QPushButton *b : {m_delete, m_purge, m_trial})
        if (b)
            b->setEnabled(false);
    OrderMove move(m_ctx, *chosen);
    work(move);
    for (QPushButton *b : {m_delete, m_purge, m_trial})
        if (b)
            b->setEnabled(true);
    if (m_archived)
        showArchiveCount();
    button->setFocus();
}

void OrderMoveScreen::cmdDelete_Click()
{
    runWith(m_delete, [this](OrderMove &move) {
        m_result->hide();
        move.run(m_busy);
    });
}

void OrderMoveScreen::cmdPurge_Click()
{
    runWith(m_purge, [this](OrderMove &move) {
        m_result->hide();
        move.runPurge(m_busy);
    });
}

void OrderMoveScreen::cmdProef_Click()
{
    runWith(m_trial, [this](OrderMove &move) {
        if (tryOperation(m_ctx, objectName() + u": Proefdraaien"_s, [&] { move.perform(m_busy, true); })) {
            m_result->setPlainText(described(move.counts()));
            m_result->show();
        }
        m_busy->finished();
    });
}

void registerMaintenanceScreens(ScreenRegistry &screens)
{
    for (const OrderSelection::Job job : {OrderSelection::Job::Archiveren, OrderSelection::Job::Opschonen})
        screens.add(QLatin1String(lookOf(job).name), [job](Context &ctx) { return std::make_unique<OrderMoveScreen>(ctx, job); });
}

} // namespace kv::maintenance
