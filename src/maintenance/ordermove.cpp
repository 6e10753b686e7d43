#include "maintenance/ordermove.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/jetfunctions.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/busycursor.h"
#include "editing/datecheck.h"
#include "editing/listdetail/detaillogic.h"
#include "schema/schema.h"

#include <QDate>
#include <QElapsedTimer>

#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace kv::maintenance {
namespace {

constexpr qint64 kGroupMs = 100; // the longest a group keeps other programs waiting

// The working tables of an order and their archive tables, in the order they are moved.
const std::vector<schema::ArchivePair> &kPairs = schema::orderArchivePairs();

// Rows that belong to an order that is gone, in the order they are removed; a row without an
// order number, or of an order still being entered (`TempOrderGegevens`), stays.
constexpr const char *kOrphans[] = {"OrderNotitie", "OrderRitTussenLocaties", "Ritgegevens"};

// An order's lines as its verdict reads them (?1 the limit); the caller adds which and their order.
const QString kLines = u"SELECT RegelNr, RecordCode, OrderTag, FactuurNr, OrderDatum <> '' AND OrderDatum < ?1, OrderNr "
                       u"FROM Ordergegevens "_s;

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

} // namespace

// The statements of one working table and its archive table, made once a run.
struct OrderMove::Tables {
    struct Pair {
        QString work, archive;
        QString insert, removeArchived, rows;
        QString selectGroup, removeGroup, rowidsGroup; // the orders of temp.kv_groep
    };
    std::vector<Pair> pairs;

    // A trial copies nothing: an archive table it lacks is no matter to it.
    Tables(db::Database &main, db::Database &archief, bool trial)
    {
        main.exec(u"CREATE TEMP TABLE IF NOT EXISTS kv_groep (OrderNr TEXT COLLATE JET PRIMARY KEY)"_s);
        for (const auto &[work, archive] : kPairs) {
            Pair pair{QString::fromLatin1(work), QString::fromLatin1(archive), {}, {}, {}, {}, {}, {}};
            // By the archive table's names: a field the working table lacks stays empty there.
            QStringList columns;
            const db::TableInfo &from = main.table(pair.work);
            const bool there = !trial || archief.hasTable(pair.archive);
            for (const db::ColumnInfo &column : there ? archief.table(pair.archive).columns : from.columns)
                if (from.column(column.name) >= 0)
                    columns << quoted(column.name);
            const QString byOrder = u" WHERE OrderNr = ?1"_s;
            pair.insert = u"INSERT INTO "_s + quoted(pair.archive) + u" (" + columns.join(u", ") + u") VALUES ("
                        + QStringList(columns.size(), u"?"_s).join(u", ") + u')';
            pair.removeArchived = u"DELETE FROM "_s + quoted(pair.archive) + byOrder;
            pair.rows = u"SELECT COUNT(*) FROM "_s + quoted(pair.work) + byOrder;
            // Driven by the group's numbers, each order's rows found by the table's OrderNr index.
            QStringList fromWork;
            for (const QString &column : std::as_const(columns))
                fromWork << u"w."_s + column;
            // (CROSS JOIN keeps the group as the outer loop.)
            const QString group = u" FROM temp.kv_groep g CROSS JOIN "_s + quoted(pair.work) + u" w ON w.OrderNr = g.OrderNr"_s;
            pair.selectGroup = u"SELECT "_s + fromWork.join(u", ") + group;
            pair.removeGroup = u"DELETE FROM "_s + quoted(pair.work) + u" WHERE rowid IN (SELECT w.rowid"_s + group + u')';
            pair.rowidsGroup = u"SELECT g.OrderNr, w.rowid"_s + group;
            pairs.push_back(std::move(pair));
        }
    }
};

// The orders of one group, and the record locks taken for them.
struct OrderMove::Group {
    QStringList orders;
    std::vector<std::pair<QString, qint64>> locks;
};

std::optional<QString> orderLimit(Context &ctx, OrderSelection::Job job, const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        ctx.dialogs->MsgBox(orders::GeenDatum.toString(), mb::Exclamation);
        return std::nullopt;
    }
    std::optional<QString> date;
    if (job == OrderSelection::Job::Opschonen && text.size() == 4 && text.toInt() >= 1800)
        date = QString::number(text.toInt()) + u"1231"_s;
    else
        date = DatumControleren(ctx, text);
    if (!date) {
        ctx.dialogs->MsgBox(listdetail::OnlogischeDatum.toString(), mb::Exclamation);
        return std::nullopt;
    }
    if (*date > ctx.today().toString(u"yyyyMMdd"_s)) {
        ctx.dialogs->MsgBox(u"Deze datum ligt in de toekomst.\nWijzig de datum."_s, mb::OKOnly | mb::Exclamation);
        return std::nullopt;
    }
    if (text.size() == 4 && job == OrderSelection::Job::Opschonen) // through the year: before the next one
        return QString::number(text.toInt() + 1) + u"0101"_s;
    return date;
}

OrderMove::OrderMove(Context &ctx, OrderSelection selection) : m_ctx(ctx), m_selection(std::move(selection))
{
}

OrderMove::~OrderMove() = default;

void OrderMove::log(const QString &label, const QString &text) const
{
    SchrijfLog(m_ctx, PadRechts(u"SYSTEEM"_s, 10) + label + text);
}

void OrderMove::committed(QStringView step)
{
    if (afterCommit)
        afterCommit(step);
}

void OrderMove::count(std::vector<std::pair<QString, qint64>> &counts, const QString &table, qint64 rows)
{
    for (auto &[name, n] : counts)
        if (name == table) {
            n += rows;
            return;
        }
    counts.emplace_back(table, rows);
}

// An archive made by an older version may lack a table or a field: added before the first
// write, each logged.
void OrderMove::completeArchive() const
{
    for (const auto &[work, archive] : kPairs)
        for (const QString &added : m_ctx.session->DBArchief().completeTable(*schema::findTable(QString::fromLatin1(archive))))
            log(u": + Aangevuld     : "_s, added);
}

QString OrderMove::limitShown() const
{
    return QDate::fromString(m_selection.voor, u"yyyyMMdd"_s).toString(u"dd-MM-yyyy"_s);
}

OrderMove::Outcome OrderMove::run(Progress *progress)
{
    const int ask = mb::YesNo | mb::Question;
    if (m_ctx.dialogs->MsgBox(orders::Vraag.toString(), ask, u"Vraag"_s) != mb::Yes
        || m_ctx.dialogs->MsgBox(orders::Herhaling.toString(), ask, u"CONTROLE"_s) != mb::Yes)
        return Outcome::Cancelled;
    if (m_selection.job == OrderSelection::Job::Archiveren && m_selection.ookOnverwerkt
        && m_ctx.dialogs->MsgBox(orders::LaatsteControle.toString(), ask, u"CONTROLE"_s) != mb::Yes)
        return Outcome::Cancelled;
    const BusyCursor busy;
    Outcome outcome = Outcome::Cancelled;
    const QString operation = m_selection.job == OrderSelection::Job::Archiveren ? u"frmOrdersArchiveren: Archiveren"_s
                                                                                 : u"frmOpschonen: Opschonen"_s;
    if (!tryOperation(m_ctx, operation, [&] { outcome = perform(progress); }))
        return Outcome::Cancelled;
    QString done = orders::Opgeschoond.toString();
    if (m_counts.overgeslagen > 0)
        done += u"\n\nOvergeslagen omdat ze in gebruik zijn: %1; zie het logbestand."_s.arg(m_counts.overgeslagen);
    m_ctx.dialogs->MsgBox(done, mb::Information);
    return outcome;
}

OrderMove::Outcome OrderMove::perform(Progress *progress, bool trial)
{
    m_counts = {};
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    const bool archiving = m_selection.job == OrderSelection::Job::Archiveren;
    if (!trial)
        completeArchive();
    m_tables = std::make_unique<Tables>(main, archief, trial);
    for (const auto &[work, archive] : kPairs)
        count(m_counts.naarArchief, QString::fromLatin1(work), 0);
    if (!trial) {
        log(u": Formulier       : "_s, u"Archiveren orders"_s);
        log(u": + Actie         : "_s, u"Verwijderen t/m : "_s + limitShown());
        if (!archiving || m_selection.ookOnverwerkt)
            log(u": + Onverwerkt    : "_s, u"Ook verwijderen"_s);
        log(u": + Opmerking     : "_s, u"Gebruiker heeft minimaal 2x op JA geklikt dat men dit zeker weet"_s);
    }
    if (progress)
        progress->step(orders::Verwerken.toString());
    if (trial) // one snapshot; the orders it would move are noted to count their rows at the end
        return performTrial(progress);
    // Each page is written once or twice: mapping the files would only make the program look large.
    const db::Unmapped unmappedMain(main), unmappedArchive(archief);
    finishMarked(progress);

    moveGroups(candidates(), false, progress);
    if (progress && progress->stopRequested())
        return Outcome::Interrupted;
    removeOrphans(false);
    return Outcome::Done;
}

// Why an order stays, from its lines in RegelNr order: the statement's columns are RegelNr,
// RecordCode, OrderTag, FactuurNr and whether the line lies before the limit.
class OrderMove::Verdict {
public:
    explicit Verdict(bool all) : m_all(all) {}

    void line(const db::Statement &line)
    {
        m_before = m_before || line.column(4).toInt() == 1;
        if (m_all || !m_refused.isEmpty())
            return;
        const QString nr = u"regel "_s + line.column(0).toString() + u": "_s;
        const int state = line.column(1).toInt();
        if (state != 8 && state != 9)
            m_refused = nr + u"status "_s + QString::number(state);
        else if (state == 9 && line.column(2).toString().trimmed().compare(u"UVF"_s, Qt::CaseInsensitive) != 0)
            m_refused = nr + u"status 9 zonder UVF"_s;
        else if (state == 9 && line.column(3).toString().trimmed().isEmpty())
            m_refused = nr + u"status 9 zonder factuurnummer"_s;
    }
    bool before() const { return m_before; }
    // Empty when the order goes.
    QString stays() const { return m_before ? m_refused : u"geen regel voor de datum"_s; }

private:
    bool m_all;
    bool m_before = false;
    QString m_refused;
};

bool OrderMove::takesAll() const
{
    return m_selection.job == OrderSelection::Job::Opschonen || m_selection.ookOnverwerkt;
}

// The orders of the group (temp.kv_groep) that go, from their lines in RegelNr order. Read
// under the write lock, so that what another program changed meanwhile counts; an order whose
// lines have gone meanwhile stays.
QSet<QString> OrderMove::goingOrders() const
{
    db::Statement lines = m_ctx.session->DBAdmin().prepareOnce(
        u"SELECT o.RegelNr, o.RecordCode, o.OrderTag, o.FactuurNr, o.OrderDatum <> '' AND o.OrderDatum < ?1, g.OrderNr "
        u"FROM temp.kv_groep g CROSS JOIN Ordergegevens o ON o.OrderNr = g.OrderNr ORDER BY g.OrderNr, o.RegelNr"_s);
    lines.bind(1, m_selection.voor);
    QSet<QString> going;
    QString order;
    std::optional<Verdict> verdict;
    const auto decide = [&] {
        if (verdict && verdict->stays().isEmpty())
            going.insert(order);
    };
    while (lines.step()) {
        if (!verdict || lines.column(5).toString() != order) {
            decide();
            order = lines.column(5).toString();
            verdict.emplace(takesAll());
        }
        verdict->line(lines);
    }
    decide();
    return going;
}

// Every order with a line before the limit; whether it goes is decided again in its group.
QStringList OrderMove::candidates() const
{
    QStringList orders;
    db::Statement found = m_ctx.session->DBAdmin().prepareOnce(
        u"SELECT OrderNr FROM Ordergegevens GROUP BY OrderNr "
        u"HAVING MAX(OrderDatum <> '' AND OrderDatum < ?1) = 1 ORDER BY OrderNr"_s);
    found.bind(1, m_selection.voor);
    while (found.step())
        orders << found.column(0).toString();
    return orders;
}

// The run's decisions in one read snapshot, nothing written to the administration. One walk over
// every order line in order decides each order as its group would; the archived numbers are
// walked alongside in the same order, and the orders another program holds a row of are found
// from the locks held when the trial starts. The orders that would go are noted in a table of
// the connection's own, their rows counted per table at the end.
OrderMove::Outcome OrderMove::performTrial(Progress *progress)
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    const auto jetLess = [](const QString &a, const QString &b) { return db::jetCompare(a, b) < 0; };
    QStringList held;
    for (const Tables::Pair &pair : m_tables->pairs)
        for (const auto &[first, last] : main.locks().heldElsewhere(pair.work)) {
            db::Statement rows = main.prepareOnce(u"SELECT OrderNr FROM "_s + quoted(pair.work) + u" WHERE rowid BETWEEN ?1 AND ?2"_s);
            rows.bindAll({first, last});
            while (rows.step())
                held << rows.column(0).toString();
        }
    std::sort(held.begin(), held.end(), jetLess);

    main.exec(u"CREATE TEMP TABLE IF NOT EXISTS kv_weg (OrderNr TEXT COLLATE JET PRIMARY KEY)"_s);
    main.BeginReadTrans();
    try {
        main.exec(u"DELETE FROM temp.kv_weg"_s);
        const bool archive = archief.hasTable(u"OrderGegevensArchief"_s);
        db::Statement archived = archief.prepareOnce(archive ? u"SELECT DISTINCT OrderNr FROM OrderGegevensArchief ORDER BY OrderNr"_s
                                                             : u"SELECT NULL WHERE 0"_s);
        bool more = archived.step();
        db::Statement gone = main.prepare(u"INSERT INTO temp.kv_weg VALUES (?1)"_s);
        db::Statement all = main.prepareOnce(u"SELECT COUNT(*) FROM Ordergegevens"_s);
        all.step();
        const qint64 total = std::max<qint64>(1, all.column(0).toLongLong());
        const auto decide = [&](const QString &orderNr, const Verdict &verdict) {
            if (!verdict.before())
                return;
            if (const QString reason = verdict.stays(); !reason.isEmpty()) {
                m_counts.blijven.emplace_back(orderNr, reason);
                return;
            }
            while (more && db::jetCompare(archived.column(0).toString(), orderNr) < 0)
                more = archived.step();
            QString skipped;
            if (more && db::jetCompare(archived.column(0).toString(), orderNr) == 0)
                skipped = u"al in archief"_s;
            else if (std::binary_search(held.cbegin(), held.cend(), orderNr, jetLess))
                skipped = u"in gebruik"_s;
            if (!skipped.isEmpty()) {
                ++m_counts.overgeslagen;
                m_counts.blijven.emplace_back(orderNr, skipped);
                return;
            }
            ++m_counts.orders;
            gone.bind(1, orderNr);
            gone.step();
            gone.reset();
        };
        db::Statement lines = main.prepareOnce(kLines + u"ORDER BY OrderNr, RegelNr"_s);
        lines.bind(1, m_selection.voor);
        QString orderNr;
        std::optional<Verdict> verdict;
        qint64 walked = 0;
        while (lines.step()) {
            if (!verdict || db::jetCompare(lines.column(5).toString(), orderNr) != 0) {
                if (verdict)
                    decide(orderNr, *verdict);
                if (progress && progress->stopRequested())
                    break;
                orderNr = lines.column(5).toString();
                verdict.emplace(takesAll());
            }
            verdict->line(lines);
            if (progress && ++walked % 4096 == 0)
                progress->percent(int(walked * 100 / total));
        }
        if (verdict && !(progress && progress->stopRequested()))
            decide(orderNr, *verdict);
        for (const Tables::Pair &pair : m_tables->pairs) {
            db::Statement rows = main.prepareOnce(u"SELECT COUNT(*) FROM "_s + quoted(pair.work)
                                                  + u" WHERE OrderNr IN (SELECT OrderNr FROM temp.kv_weg)"_s);
            rows.step();
            count(m_counts.naarArchief, pair.work, rows.column(0).toLongLong());
        }
        removeOrphans(true);
    } catch (...) {
        main.Rollback();
        throw;
    }
    main.Rollback();
    return progress && progress->stopRequested() ? Outcome::Interrupted : Outcome::Done;
}

// Orders a stopped run left marked: copied again where their working rows are still there,
// then taken out of the working database; where those are gone only the marks go.
void OrderMove::finishMarked(Progress *progress)
{
    db::Database &archief = m_ctx.session->DBArchief();
    QStringList again, copied;
    db::Statement markers = archief.prepareOnce(u"SELECT DISTINCT Sleutel FROM OnderhoudLopend WHERE Taak = 'orders'"_s);
    while (markers.step()) {
        const QString orderNr = markers.column(0).toString();
        bool working = false;
        for (const Tables::Pair &pair : m_tables->pairs) {
            db::Statement rows = m_ctx.session->DBAdmin().prepare(pair.rows);
            rows.bind(1, orderNr);
            rows.step();
            working = working || rows.column(0).toLongLong() > 0;
        }
        (working ? again : copied) << orderNr;
    }
    if (!copied.isEmpty()) {
        archief.write([&] {
            db::Statement clear = archief.prepare(u"DELETE FROM OnderhoudLopend WHERE Taak = 'orders' AND Sleutel = ?1"_s);
            for (const QString &orderNr : std::as_const(copied)) {
                clear.bind(1, orderNr);
                clear.step();
                clear.reset();
            }
        });
        committed(u"markeringen");
    }
    moveGroups(again, true, progress);
}

// Takes the record locks of every row of the group's orders (temp.kv_groep). An order of which
// another program holds a row keeps none of its locks and is returned.
QSet<QString> OrderMove::lockGroup(Group &group)
{
    db::Database &main = m_ctx.session->DBAdmin();
    QHash<QString, std::vector<std::pair<QString, qint64>>> taken;
    QSet<QString> inUse;
    for (const Tables::Pair &pair : m_tables->pairs) {
        db::Statement rows = main.prepare(pair.rowidsGroup);
        while (rows.step()) {
            const QString orderNr = rows.column(0).toString();
            const qint64 rowid = rows.column(1).toLongLong();
            if (inUse.contains(orderNr))
                continue;
            if (main.locks().tryLock(this, pair.work, rowid) == db::RecordLocks::HeldElsewhere)
                inUse.insert(orderNr);
            else
                taken[orderNr].emplace_back(pair.work, rowid);
        }
    }
    for (auto it = taken.cbegin(); it != taken.cend(); ++it) {
        if (!inUse.contains(it.key()))
            group.locks.insert(group.locks.end(), it.value().begin(), it.value().end());
        else
            for (const auto &[table, rowid] : it.value())
                main.locks().unlock(this, table, rowid);
    }
    return inUse;
}

// Puts `orders` in temp.kv_groep, the group the statements of the move work on.
void OrderMove::fillGroup(const QStringList &orders)
{
    db::Database &main = m_ctx.session->DBAdmin();
    main.exec(u"DELETE FROM temp.kv_groep"_s);
    db::Statement member = main.prepare(u"INSERT INTO temp.kv_groep VALUES (?1)"_s);
    for (const QString &orderNr : orders) {
        member.bind(1, orderNr);
        member.step();
        member.reset();
    }
}

// The group's rows (temp.kv_groep holds `orders`) into the archive, field by field, with a
// marker per order; a marked order's earlier copies are replaced.
void OrderMove::copyGroup(const QStringList &orders, bool replace)
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    if (!replace) {
        db::Statement marker = archief.prepare(
            u"INSERT INTO OnderhoudLopend (Taak, Sleutel, Tijdstip, Werkstation) VALUES ('orders', ?1, ?2, ?3)"_s);
        const QString now = m_ctx.now().toString(u"yyyyMMddHHmmss"_s);
        for (const QString &orderNr : orders) {
            marker.bindAll({orderNr, now, m_ctx.workstation});
            marker.step();
            marker.reset();
        }
    }
    for (const Tables::Pair &pair : m_tables->pairs) {
        if (replace) {
            db::Statement old = archief.prepare(pair.removeArchived);
            for (const QString &orderNr : orders) {
                old.bind(1, orderNr);
                old.step();
                old.reset();
            }
        }
        db::Statement rows = main.prepare(pair.selectGroup);
        db::Statement insert = archief.prepare(pair.insert);
        qint64 n = 0;
        while (rows.step()) {
            insert.bindRow(rows);
            insert.step();
            insert.reset();
            ++n;
        }
        count(m_counts.naarArchief, pair.work, n);
    }
}

void OrderMove::moveGroups(const QStringList &orders, bool marked, Progress *progress)
{
    db::Database &main = m_ctx.session->DBAdmin();
    db::Database &archief = m_ctx.session->DBArchief();
    const bool archive = archief.hasTable(u"OrderGegevensArchief"_s);
    qsizetype next = 0, size = groupOrders;
    while (next < orders.size()) {
        if (progress && progress->stopRequested())
            return;
        Group group;
        QElapsedTimer timer;
        timer.start();
        try {
            main.BeginTrans(); // the write lock, held until the group has left the working database
            archief.BeginTrans();
            const QStringList batch = orders.mid(next, size);
            next += batch.size();
            fillGroup(batch);
            const QSet<QString> going = marked ? QSet<QString>(batch.begin(), batch.end()) : goingOrders();
            QHash<QString, QString> skipped; // why, by order
            QStringList moving;
            for (const QString &orderNr : batch) {
                if (!going.contains(orderNr))
                    continue;
                if (!marked && archive) {
                    db::Statement archived = archief.prepare(u"SELECT 1 FROM OrderGegevensArchief WHERE OrderNr = ?1 LIMIT 1"_s);
                    archived.bind(1, orderNr);
                    if (archived.step()) {
                        skipped.insert(orderNr, u"al in archief"_s);
                        continue;
                    }
                }
                moving << orderNr;
            }
            fillGroup(moving);
            for (const QString &orderNr : lockGroup(group))
                skipped.insert(orderNr, u"in gebruik"_s);
            for (const QString &orderNr : batch) { // in the order of their numbers
                if (const auto why = skipped.constFind(orderNr); why != skipped.cend()) {
                    ++m_counts.overgeslagen;
                    m_counts.blijven.emplace_back(orderNr, *why);
                    log(u": + Overgeslagen  : "_s, orderNr + u" ("_s + *why + u')');
                } else if (going.contains(orderNr)) {
                    group.orders << orderNr;
                }
            }
            if (group.orders.size() != moving.size())
                fillGroup(group.orders);
            m_counts.orders += group.orders.size();
            copyGroup(group.orders, marked);
            archief.CommitTrans();
            committed(u"archief");
            for (const Tables::Pair &pair : m_tables->pairs)
                main.prepare(pair.removeGroup).step();
            main.CommitTrans();
        } catch (...) {
            if (archief.inTransaction())
                archief.Rollback();
            if (main.inTransaction())
                main.Rollback();
            for (const auto &[table, rowid] : group.locks)
                main.locks().unlock(this, table, rowid);
            throw;
        }
        for (const auto &[table, rowid] : group.locks)
            main.locks().unlock(this, table, rowid);
        if (!group.orders.isEmpty()) {
            committed(u"werk");
            archief.write([&] {
                db::Statement clear = archief.prepare(u"DELETE FROM OnderhoudLopend WHERE Taak = 'orders' AND Sleutel = ?1"_s);
                for (const QString &orderNr : std::as_const(group.orders)) {
                    clear.bind(1, orderNr);
                    clear.step();
                    clear.reset();
                }
            });
            committed(u"markeringen");
        }
        // Other programs wait for a group at most about kGroupMs: a slower group halves the next.
        size = timer.elapsed() > kGroupMs ? std::max<qsizetype>(1, size / 2) : std::min<qsizetype>(groupOrders, size * 2);
        if (progress)
            progress->percent(int(next * 100 / orders.size()));
    }
}

// Trips, stops and notes whose order is gone. A trial counts what would go, the orders it
// would move counted as gone.
void OrderMove::removeOrphans(bool trial)
{
    db::Database &main = m_ctx.session->DBAdmin();
    for (const char *name : kOrphans) {
        const QString table = QString::fromLatin1(name);
        QString gone = u" FROM "_s + quoted(table) + u" AS t WHERE trim(coalesce(t.OrderNr, '')) <> '' "
                       u"AND NOT EXISTS (SELECT 1 FROM TempOrderGegevens AS o WHERE o.OrderNr = t.OrderNr) "
                       u"AND (NOT EXISTS (SELECT 1 FROM Ordergegevens AS o WHERE o.OrderNr = t.OrderNr)"_s;
        if (trial) { // notes move with their order; trips and stops stay behind without it
            const bool moved = std::any_of(kPairs.begin(), kPairs.end(),
                                           [&table](const schema::ArchivePair &pair) { return table == QLatin1String(pair.working); });
            db::Statement rows = main.prepareOnce(u"SELECT COUNT(*)"_s + gone
                                                  + (moved ? u")"_s : u" OR t.OrderNr IN (SELECT OrderNr FROM temp.kv_weg))"_s));
            rows.step();
            count(m_counts.verwijderd, table, rows.column(0).toLongLong());
            continue;
        }
        const qint64 removed = main.write([&] {
            main.prepareOnce(u"DELETE"_s + gone + u')').step();
            db::Statement changes = main.prepareOnce(u"SELECT changes()"_s);
            changes.step();
            return changes.column(0).toLongLong();
        });
        count(m_counts.verwijderd, table, removed);
    }
}

// Lines of archived orders dated before the limit in a year the law still keeps.
qint64 OrderMove::withinRetention() const
{
    db::Statement lines = m_ctx.session->DBArchief().prepareOnce(
        u"SELECT COUNT(*) FROM OrderGegevensArchief WHERE OrderDatum <> '' AND OrderDatum < ?1 AND OrderDatum >= ?2"_s);
    lines.bind(1, m_selection.voor);
    lines.bind(2, QString(QString::number(m_ctx.today().year() - BewaarJaren) + u"0101"_s));
    lines.step();
    return lines.column(0).toLongLong();
}

OrderMove::Outcome OrderMove::runPurge(Progress *progress)
{
    const qint64 kept = withinRetention();
    if (kept > 0
        && m_ctx.dialogs->MsgBox(u"Let op:\nHiermee worden %1 regels verwijderd die binnen de wettelijke bewaartermijn van 7 jaar "
                                 u"vallen.\nWeet u zeker dat u wilt doorgaan?"_s.arg(kept),
                                 mb::YesNo | mb::Question | mb::DefaultButton2)
               != mb::Yes)
        return Outcome::Cancelled;
    const BusyCursor busy;
    Outcome outcome = Outcome::Cancelled;
    if (!tryOperation(m_ctx, u"frmOrdersArchiveren: Verwijderen"_s, [&] { outcome = purge(progress); }))
        return Outcome::Cancelled;
    m_ctx.dialogs->MsgBox(orders::Verwijderd.toString(), mb::Information);
    return outcome;
}

OrderMove::Outcome OrderMove::purge(Progress *progress, bool trial)
{
    m_counts = {};
    db::Database &archief = m_ctx.session->DBArchief();
    if (!trial) {
        completeArchive();
        log(u": Formulier       : "_s, u"Archiveren orders"_s);
        log(u": + Actie         : "_s, u"Verwijderen uit archief t/m : "_s + limitShown());
        if (withinRetention() > 0)
            log(u": + Opmerking     : "_s, u"Verwijderen binnen de bewaartermijn bevestigd"_s);
    }
    if (progress)
        progress->step(orders::Verwerken.toString());
    QStringList archived;
    db::Statement found = archief.prepareOnce(u"SELECT OrderNr FROM OrderGegevensArchief GROUP BY OrderNr "
                                              u"HAVING MAX(OrderDatum <> '' AND OrderDatum < ?1) = 1 ORDER BY OrderNr"_s);
    found.bind(1, m_selection.voor);
    while (found.step())
        archived << found.column(0).toString();
    for (const auto &[work, archive] : kPairs)
        count(m_counts.verwijderd, QString::fromLatin1(archive), 0);
    qsizetype next = 0;
    while (next < archived.size()) {
        if (progress && progress->stopRequested())
            return Outcome::Interrupted;
        const qsizetype end = std::min(archived.size(), next + groupOrders);
        const auto group = [&] {
            for (qsizetype i = next; i < end; ++i) {
                ++m_counts.orders;
                for (const auto &[work, archive] : kPairs) {
                    const QString table = QString::fromLatin1(archive);
                    // A trial counts the rows; a run counts what its DELETE removed.
                    db::Statement rows = archief.prepare((trial ? u"SELECT COUNT(*)"_s : u"DELETE"_s) + u" FROM "_s + quoted(table)
                                                         + u" WHERE OrderNr = ?1"_s);
                    rows.bind(1, archived[i]);
                    rows.step();
                    if (!trial) {
                        rows = archief.prepare(u"SELECT changes()"_s);
                        rows.step();
                    }
                    count(m_counts.verwijderd, table, rows.column(0).toLongLong());
                }
            }
        };
        if (trial) {
            group();
        } else {
            archief.write(group);
            committed(u"archief");
        }
        next = end;
        if (progress)
            progress->percent(int(next * 100 / archived.size()));
    }
    return Outcome::Done;
}

} // namespace kv::maintenance
