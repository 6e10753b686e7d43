#include "maintenance/deletion.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/busycursor.h"
#include "maintenance/ordermove.h"

#include <QDate>
#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

constexpr qint64 kGroupMs = 100;

const QString kRetention = u"Let op:\nHiermee worden %1 regels verwijderd die binnen de wettelijke bewaartermijn van 7 jaar "
                           u"vallen.\nWeet u zeker dat u wilt doorgaan?"_s;

// What goes with a relation, in this order, by the column holding its number; its invoice
// history (`FaktuurHistorie`, in the archive) goes after these, its subscriptions' direct debits
// with the subscriptions.
constexpr std::pair<const char *, const char *> kWithRelation[] = {
    {"FaktuurMutaties", "RelNr"},
    {"OpenstaandePosten", "RelNr"},
    {"Betalingen", "RelNr"},
    {"Ordergegevens", "RelNr"},
    {"RelatieStatistiek", "RelNr"},
    {"VoorraadInname", "RelNr"},
    {"RelatieGegevensAfleverAdressen", "RelNr"},
    {"RelatieGegevensContactPersonen", "RelNr"},
    {"OrderNotitie", "Relnr"},
    {"Mandaten", "RelNr"},
    {"FGContractBeheer", "RelNr"},
    {"FGContractDeellevering", "RelNr"},
    {"FGVVKOrders", "RelatieNr"},
    {"AbonnementIncasso", nullptr}, // by the Guid of the relation's subscriptions
    {"Abonnement", "RelNr"},
    {"RelatieGegevens", "RelNr"},
};

// A settled invoice of before the limit; the credit balance "TEGOED" is no invoice.
const QString kSettled = u"FactuurDatum <> '' AND FactuurDatum < ?1 AND FactuurNr <> 'TEGOED' AND "
                         u"round(coalesce(FactuurBedrag, 0) - coalesce(BedragBetaald, 0) - coalesce(AfboekingsBedrag, 0), 4) = 0"_s;

QString oldest(const Context &ctx)
{
    return QString::number(ctx.today().year() - BewaarJaren) + u"0101"_s;
}

// Cached: most are asked once a unit.
qint64 number(db::Database &db, const QString &sql, const QVariantList &values = {})
{
    db::Statement st = db.prepare(sql);
    st.bindAll(values);
    st.step();
    return st.column(0).toLongLong();
}

} // namespace

const std::vector<YearTable> &yearTables()
{
    static const std::vector<YearTable> tables = {
        {"frmBalie_DelOrders", u"Verwijderen orders uit baliefacturatie"_s, u"Verwijder balie orders van jaar:"_s,
         u"BalieVerkoop"_s, u"trim(Boekjaar)"_s, u"Weet u zeker dat u deze balie orders wilt verwijderen?"_s, u"Balie orders"_s,
         u"Aangemaakte openstaande posten blijven uiteraard behouden."_s},
        {"frmRitten_DelOrders", u"Verwijderen ritten uit planbord"_s, u"Verwijder ritten van jaar:"_s, u"Ritgegevens"_s,
         u"substr(Einddatum, 1, 4)"_s, u"Weet u zeker dat u deze ritten wilt verwijderen?"_s, u"Ritten verwijderen"_s, {}},
        {"frmDel_InslagUitslag", u"Verwijderen inslag / uitslag mutaties"_s, u"Verwijder inslag/uitslag van jaar:"_s,
         u"VoorraadInname"_s, u"substr(Datum, 1, 4)"_s, u"Weet u zeker dat u deze inslag/uitslag wilt verwijderen?"_s,
         u"Inslag/Uitslag verwijderen"_s, {}},
    };
    return tables;
}

const YearTable *yearTable(QStringView screen)
{
    for (const YearTable &table : yearTables())
        if (screen.compare(QLatin1String(table.screen), Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

std::optional<int> deletionYear(Context &ctx, const QString &typed)
{
    const QString text = typed.trimmed();
    bool digits = text.size() == 4;
    const int year = text.toInt(digits ? &digits : nullptr);
    if (!digits) {
        ctx.dialogs->MsgBox(u"U heeft nog geen jaartal ingegeven."_s, mb::Exclamation);
        return std::nullopt;
    }
    if (year > ctx.today().year()) {
        ctx.dialogs->MsgBox(u"Deze datum ligt in de toekomst.\nWijzig de datum."_s, mb::OKOnly | mb::Exclamation);
        return std::nullopt;
    }
    return year;
}

Deletion::Deletion(Context &ctx, DeletionRequest request) : m_ctx(ctx), m_request(std::move(request))
{
}

void Deletion::log(const QString &tag, const QString &label, const QString &text) const
{
    SchrijfLog(m_ctx, PadRechts(tag, 10) + label + text);
}

void Deletion::count(const QString &table, qint64 rows)
{
    for (auto &[name, n] : m_counts.verwijderd)
        if (name == table) {
            n += rows;
            return;
        }
    m_counts.verwijderd.emplace_back(table, rows);
}

// The questions of the job, in order; "recent" ones start with "Let op:".
QStringList Deletion::questions() const
{
    const int lastYear = m_ctx.today().year() - 1;
    switch (m_request.job) {
    case DeletionRequest::Job::Relaties:
        return {u"Weet u zeker dat u de relaties die gekenmerkt staan om te verwijderen ook daadwerkelijk wilt verwijderen?"_s,
                u"HERHALINGSVRAAG:\n"
                u"Weet u ECHT zeker dat u de relaties die gekenmerkt staan om te verwijderen ook daadwerkelijk wilt verwijderen?"_s};
    case DeletionRequest::Job::Facturen:
        return {(m_request.voor.left(4).toInt() >= lastYear ? u"Let op:\nDe geselecteerde datum ligt niet ver in het verleden.\n"_s
                                                            : QString())
                + u"Weet u zeker dat u deze facturen wilt verwijderen?"_s};
    case DeletionRequest::Job::AlleFacturen:
        return {u"Weet u zeker dat u alle facturen en alle betalingen wilt verwijderen?"_s};
    case DeletionRequest::Job::Jaar:
        return {(m_request.jaar >= lastYear ? u"Let op:\nHet geselecteerde jaar ligt niet ver in het verleden.\n"_s : QString())
                + m_request.jaarTabel->question};
    }
    return {};
}

qint64 Deletion::withinRetention() const
{
    db::Database &main = m_ctx.session->DBAdmin();
    const QString from = oldest(m_ctx);
    switch (m_request.job) {
    case DeletionRequest::Job::Relaties: { // the invoices of the relations that go
        qint64 rows = 0;
        db::Statement marked = main.prepareOnce(u"SELECT RelNr FROM RelatieGegevens WHERE RecordCode = 9"_s);
        while (marked.step())
            if (const QString relNr = marked.column(0).toString(); keepsRelation(relNr).isEmpty())
                rows += number(main, u"SELECT COUNT(*) FROM OpenstaandePosten WHERE FactuurDatum >= ?1 AND RelNr = ?2"_s, {from, relNr});
        return rows;
    }
    case DeletionRequest::Job::Facturen:
        return number(main, u"SELECT COUNT(*) FROM OpenstaandePosten WHERE "_s + kSettled + u" AND FactuurDatum >= ?2"_s
                                + (m_request.alleenBalie ? u" AND RelNr = '9'"_s : QString()),
                      {m_request.voor, from});
    case DeletionRequest::Job::AlleFacturen:
        return number(main, u"SELECT COUNT(*) FROM OpenstaandePosten WHERE FactuurDatum >= ?1"_s, {from});
    case DeletionRequest::Job::Jaar:
        if (m_request.jaar < from.left(4).toInt())
            return 0;
        return number(main, u"SELECT COUNT(*) FROM "_s + m_request.jaarTabel->table + u" WHERE "_s + m_request.jaarTabel->yearOf
                                + u" = ?1"_s,
                      {QString::number(m_request.jaar)});
    }
    return 0;
}

Deletion::Outcome Deletion::run(Progress *progress)
{
    for (const QString &question : questions())
        if (m_ctx.dialogs->MsgBox(question, mb::YesNo | mb::Information) != mb::Yes)
            return Outcome::Cancelled;
    if (const qint64 kept = withinRetention();
        kept > 0 && m_ctx.dialogs->MsgBox(kRetention.arg(kept), mb::YesNo | mb::Question | mb::DefaultButton2) != mb::Yes)
        return Outcome::Cancelled;
    const BusyCursor busy;
    Outcome outcome = Outcome::Cancelled;
    if (!tryOperation(m_ctx, u"Verwijderen"_s, [&] { outcome = perform(progress); }))
        return Outcome::Cancelled;
    m_ctx.dialogs->MsgBox(closing(), mb::Information);
    return outcome;
}

QString Deletion::closing() const
{
    QString text;
    switch (m_request.job) {
    case DeletionRequest::Job::Relaties: text = u"Er zijn %1 relaties verwijderd."_s.arg(m_counts.units); break;
    case DeletionRequest::Job::Facturen: text = u"Er zijn %1 facturen verwijderd."_s.arg(m_counts.units); break;
    case DeletionRequest::Job::AlleFacturen: text = u"Alle factuurinformatie is verwijderd."_s; break;
    case DeletionRequest::Job::Jaar: text = u"Er zijn %1 regel(s) verwijderd."_s.arg(m_counts.units); break;
    }
    if (m_counts.overgeslagen > 0)
        text += u"\n\nOvergeslagen omdat ze in gebruik zijn: %1; zie het logbestand."_s.arg(m_counts.overgeslagen);
    return text;
}

// The lines the job's log starts with; the facturen job writes none.
std::vector<std::pair<QString, QString>> Deletion::startLines() const
{
    switch (m_request.job) {
    case DeletionRequest::Job::Relaties:
        return {{u": Formulier       : "_s, u"Relatiebeheer - Configuratiescherm - Verwijderen relaties"_s},
                {u": + Beginnen      : "_s, u"Verwijderde relaties verzamelen en verwijderen"_s}};
    case DeletionRequest::Job::Facturen:
        return {};
    case DeletionRequest::Job::AlleFacturen:
        return {{u": Formulier       : "_s, u"Systeem"_s}, {u": + Actie         : "_s, u"Verwijderen alle factuurinformatie"_s}};
    case DeletionRequest::Job::Jaar:
        return {{u": Formulier       : "_s, m_request.jaarTabel->form},
                {u": + Actie         : "_s, u"Verwijderen jaar: "_s + QString::number(m_request.jaar)}};
    }
    return {};
}

Deletion::Outcome Deletion::perform(Progress *progress, bool trial)
{
    m_counts = {};
    const QString tag = m_request.job == DeletionRequest::Job::Relaties ? u"BOEKSTUK"_s : u"SYSTEEM"_s;
    if (!trial) {
        for (const auto &[label, text] : startLines())
            log(tag, label, text);
        if (withinRetention() > 0)
            log(tag, u": + Opmerking     : "_s, u"Verwijderen binnen de bewaartermijn bevestigd"_s);
    }
    if (progress)
        progress->step(orders::Verwerken.toString());
    switch (m_request.job) {
    case DeletionRequest::Job::Relaties:
        deleteRelations(progress, trial);
        if (!trial)
            log(tag, u": + Afgerond      : "_s, QString::number(m_counts.units) + u" verwijderd"_s);
        break;
    case DeletionRequest::Job::Facturen:
        deleteRows(u"OpenstaandePosten"_s, kSettled + (m_request.alleenBalie ? u" AND RelNr = '9'"_s : QString()),
                   {m_request.voor}, progress, trial, [&](qint64 rowid) {
                       db::Database &main = m_ctx.session->DBAdmin();
                       // By the invoice's own RelNr and FactuurNr, so that the index on them finds its payments.
                       const QString payments = u" FROM Betalingen WHERE RelNr = (SELECT RelNr FROM OpenstaandePosten WHERE rowid = ?1) "
                                                u"AND FactuurNr = (SELECT FactuurNr FROM OpenstaandePosten WHERE rowid = ?1)"_s;
                       if (trial) {
                           count(u"Betalingen"_s, number(main, u"SELECT COUNT(*)"_s + payments, {rowid}));
                           return;
                       }
                       db::Statement remove = main.prepare(u"DELETE"_s + payments);
                       remove.bind(1, rowid);
                       remove.step();
                       count(u"Betalingen"_s, number(main, u"SELECT changes()"_s));
                   });
        break;
    case DeletionRequest::Job::AlleFacturen:
        deleteAllInvoices(trial);
        break;
    case DeletionRequest::Job::Jaar:
        deleteRows(m_request.jaarTabel->table, m_request.jaarTabel->yearOf + u" = ?1"_s, {QString::number(m_request.jaar)},
                   progress, trial);
        break;
    }
    return progress && progress->stopRequested() ? Outcome::Interrupted : Outcome::Done;
}

// The rows of `table` that meet `condition`, each a unit with what `alongWith` removes for it,
// a group at a time under the write lock; a row another program holds is skipped.
void Deletion::deleteRows(const QString &table, const QString &condition, const QVariantList &values, Progress *progress,
                          bool trial, const std::function<void(qint64)> &alongWith)
{
    db::Database &main = m_ctx.session->DBAdmin();
    std::vector<qint64> rows;
    {
        db::Statement found = main.prepareOnce(u"SELECT rowid FROM "_s + table + u" WHERE "_s + condition + u" ORDER BY rowid"_s);
        found.bindAll(values);
        while (found.step())
            rows.push_back(found.column(0).toLongLong());
    }
    count(table, 0);
    size_t next = 0;
    while (next < rows.size()) {
        if (progress && progress->stopRequested())
            return;
        QElapsedTimer timer;
        timer.start();
        std::vector<qint64> locked;
        const auto group = [&] {
            for (int n = 0; next < rows.size() && n < groupUnits && timer.elapsed() < kGroupMs; ++next, ++n) {
                const qint64 rowid = rows[next];
                if (main.locks().tryLock(this, table, rowid) == db::RecordLocks::HeldElsewhere) {
                    ++m_counts.overgeslagen;
                    const QString unit = table + u' ' + QString::number(rowid);
                    m_counts.blijven.emplace_back(unit, u"in gebruik"_s);
                    if (!trial)
                        log(u"SYSTEEM"_s, u": + Overgeslagen  : "_s, unit + u" (in gebruik)"_s);
                    continue;
                }
                locked.push_back(rowid);
                if (alongWith)
                    alongWith(rowid);
                ++m_counts.units;
                count(table, 1);
                if (!trial) {
                    db::Statement remove = main.prepare(u"DELETE FROM "_s + table + u" WHERE rowid = ?1"_s);
                    remove.bind(1, rowid);
                    remove.step();
                }
            }
        };
        runGroup(trial, table, locked, group);
        if (!trial && afterCommit)
            afterCommit(u"werk");
        if (progress)
            progress->percent(int(next * 100 / rows.size()));
    }
}

// A group of units, in one write transaction unless it is a trial; the record locks it took in
// `table` are released however it ends.
void Deletion::runGroup(bool trial, const QString &table, const std::vector<qint64> &locked, const std::function<void()> &group)
{
    db::Database &main = m_ctx.session->DBAdmin();
    const auto release = [&] {
        for (const qint64 rowid : locked)
            main.locks().unlock(this, table, rowid);
    };
    try {
        if (trial)
            group();
        else
            main.write(group);
    } catch (...) {
        release();
        throw;
    }
    release();
}

// Why a marked relation stays; empty when it goes.
QString Deletion::keepsRelation(const QString &relNr) const
{
    db::Database &main = m_ctx.session->DBAdmin();
    if (number(main, u"SELECT COUNT(*) FROM RelatieGegevens WHERE RelNr = ?1 AND coalesce(Saldo, 0) <> 0"_s, {relNr}) > 0)
        return u"saldo is niet 0"_s;
    if (number(main, u"SELECT COUNT(*) FROM Ordergegevens WHERE RelNr = ?1 AND RecordCode = 1"_s, {relNr}) > 0)
        return u"open orderregel"_s;
    if (number(main, u"SELECT COUNT(*) FROM FaktuurMutaties WHERE RelNr = ?1 AND NOT coalesce(Doorgeboekt, 0)"_s, {relNr}) > 0)
        return u"factuurmutatie niet doorgeboekt"_s;
    if (number(main, u"SELECT COUNT(*) FROM OpenstaandePosten WHERE RelNr = ?1 AND FactuurNr <> 'TEGOED' "
                     u"AND CAST(Boekjaar AS INTEGER) >= ?2"_s,
               {relNr, m_ctx.AdminJaar.toInt()})
        > 0)
        return u"factuur in het lopende jaar"_s;
    return {};
}

// Relations whose working rows went and whose invoice history did not.
void Deletion::finishMarked()
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    QStringList marked;
    db::Statement markers = main.prepareOnce(u"SELECT DISTINCT Sleutel FROM OnderhoudLopend WHERE Taak = 'relatie'"_s);
    while (markers.step())
        marked << markers.column(0).toString();
    if (marked.isEmpty())
        return;
    archief.write([&] {
        db::Statement remove = archief.prepare(u"DELETE FROM FaktuurHistorie WHERE RelNr = ?1"_s);
        for (const QString &relNr : std::as_const(marked)) {
            remove.bind(1, relNr);
            remove.step();
            remove.reset();
        }
    });
    if (afterCommit)
        afterCommit(u"archief");
    main.write([&] { main.exec(u"DELETE FROM OnderhoudLopend WHERE Taak = 'relatie'"_s); });
}

void Deletion::deleteRelations(Progress *progress, bool trial)
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    if (!trial)
        finishMarked();
    QStringList relations;
    {
        db::Statement marked = main.prepareOnce(u"SELECT RelNr FROM RelatieGegevens WHERE RecordCode = 9 ORDER BY RelNr"_s);
        while (marked.step())
            relations << marked.column(0).toString();
    }
    count(u"FaktuurHistorie"_s, 0);
    for (const auto &[table, column] : kWithRelation)
        count(QString::fromLatin1(table), 0);
    qsizetype next = 0;
    while (next < relations.size()) {
        if (progress && progress->stopRequested())
            return;
        QElapsedTimer timer;
        timer.start();
        QStringList gone;
        std::vector<qint64> locked;
        const auto group = [&] {
            for (int n = 0; next < relations.size() && n < groupUnits && timer.elapsed() < kGroupMs; ++next, ++n) {
                const QString &relNr = relations[next];
                if (const QString reason = keepsRelation(relNr); !reason.isEmpty()) {
                    if (trial)
                        m_counts.blijven.emplace_back(relNr, reason);
                    continue;
                }
                const qint64 rowid = number(main, u"SELECT rowid FROM RelatieGegevens WHERE RelNr = ?1"_s, {relNr});
                if (main.locks().tryLock(this, u"RelatieGegevens"_s, rowid) == db::RecordLocks::HeldElsewhere) {
                    ++m_counts.overgeslagen;
                    m_counts.blijven.emplace_back(relNr, u"in gebruik"_s);
                    if (!trial)
                        log(u"BOEKSTUK"_s, u": + Overgeslagen  : "_s, relNr + u" (in gebruik)"_s);
                    continue;
                }
                locked.push_back(rowid);
                if (!trial)
                    log(u"BOEKSTUK"_s, u": + Verwijderen   : "_s, relNr);
                count(u"FaktuurHistorie"_s, number(archief, u"SELECT COUNT(*) FROM FaktuurHistorie WHERE RelNr = ?1"_s, {relNr}));
                for (const auto &[name, column] : kWithRelation) {
                    const QString table = QString::fromLatin1(name);
                    const QString rows = column ? u" FROM "_s + table + u" WHERE "_s + QLatin1String(column) + u" = ?1"_s
                                                : u" FROM AbonnementIncasso WHERE Guid IN (SELECT Guid FROM Abonnement WHERE RelNr = ?1)"_s;
                    count(table, number(main, u"SELECT COUNT(*)"_s + rows, {relNr}));
                    if (!trial) {
                        db::Statement remove = main.prepare(u"DELETE"_s + rows);
                        remove.bind(1, relNr);
                        remove.step();
                    }
                }
                if (!trial) {
                    db::Statement marker = main.prepare(
                        u"INSERT INTO OnderhoudLopend (Taak, Sleutel, Tijdstip, Werkstation) VALUES ('relatie', ?1, ?2, ?3)"_s);
                    marker.bindAll({relNr, m_ctx.now().toString(u"yyyyMMddHHmmss"_s), m_ctx.workstation});
                    marker.step();
                    log(u"BOEKSTUK"_s, u": + Verwijderd    : "_s, relNr);
                }
                gone << relNr;
                ++m_counts.units;
            }
        };
        runGroup(trial, u"RelatieGegevens"_s, locked, group);
        if (!trial && !gone.isEmpty()) {
            if (afterCommit)
                afterCommit(u"werk");
            finishMarked();
            if (afterCommit)
                afterCommit(u"markeringen");
        }
        if (progress)
            progress->percent(int(next * 100 / relations.size()));
    }
}

// Every invoice, payment and invoice mutation in one transaction, then the invoice history
// in the archive; a run stopped in between leaves only history, which the next run removes.
void Deletion::deleteAllInvoices(bool trial)
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    for (const char *name : {"OpenstaandePosten", "Betalingen", "FaktuurMutaties"})
        count(QString::fromLatin1(name), number(main, u"SELECT COUNT(*) FROM "_s + QLatin1String(name)));
    count(u"FaktuurHistorie"_s, number(archief, u"SELECT COUNT(*) FROM FaktuurHistorie"_s));
    m_counts.units = m_counts.verwijderd.front().second;
    if (trial)
        return;
    main.write([&] {
        for (const char *name : {"OpenstaandePosten", "Betalingen", "FaktuurMutaties"})
            main.exec(u"DELETE FROM "_s + QLatin1String(name));
    });
    if (afterCommit)
        afterCommit(u"werk");
    archief.write([&] { archief.exec(u"DELETE FROM FaktuurHistorie"_s); });
}

} // namespace kv::maintenance
