#include "finance/correction/correction.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/jetsql.h"
#include "core/db/recordlocks.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/dates.h"

#include <QSet>

namespace kv::finance {

BookingCorrection::BookingCorrection(Context &ctx) : m_ctx(ctx)
{
    readYear();
}

BookingCorrection::~BookingCorrection() = default;

// D is the year end the administration settings hold; the period D falls in follows the
// administration's period type.
void BookingCorrection::readYear()
{
    db::Recordset &company = m_ctx.session->table(QStringLiteral("UserGegevens"));
    company.MoveFirst();
    if (company.Eof())
        return;
    const QString year = company.text(u"Boekjaar").trimmed();
    QString end = company.text(u"BoekjaarPeriodeEind").trimmed();
    QString start = company.text(u"BoekjaarPeriodeStart").trimmed();
    if (end.isEmpty() && year.size() == 4)
        end = year + u"1231";
    if (start.isEmpty() && year.size() == 4)
        start = year + u"0101";
    const QDate last = OpgeslagenDatum(end);
    if (end.size() != 8 || !last.isValid())
        return;
    m_yearEnd = end;
    FinancialYear financial;
    financial.type = periodTypeOf(company.value(u"BoekingsPeriode").toInt());
    financial.broken = company.value(u"BoekjaarGebroken").toBool();
    financial.start = OpgeslagenDatum(start);
    m_yearEndPeriod = periodNumber(last, financial);
}

// Says why a run cannot start, when it cannot.
bool BookingCorrection::refuses(const CorrectionChoice &choice)
{
    if (!choice.any())
        m_ctx.dialogs->MsgBox(correctie::GeenKeuze.toString(), mb::Exclamation);
    else if (m_yearEnd.isEmpty())
        m_ctx.dialogs->MsgBox(correctie::GeenEinddatum.toString(), mb::Exclamation);
    else
        return false;
    return true;
}

BookingCorrection::Outcome BookingCorrection::run(const CorrectionChoice &choice, Progress *progress)
{
    if (refuses(choice))
        return Outcome::Refused;
    for (QStringView question : {correctie::Vraag, correctie::Herhaling})
        if (m_ctx.dialogs->MsgBox(question.toString(), mb::YesNo | mb::Question | mb::DefaultButton2) != mb::Yes)
            return Outcome::Cancelled;
    Outcome outcome = Outcome::Failed;
    tryOperation(m_ctx, QStringLiteral("frmBoekhouding_CorrectieBoekPeriode: Corrigeren"),
                 [&] { outcome = perform(choice, progress); });
    return outcome;
}

BookingCorrection::Outcome BookingCorrection::perform(const CorrectionChoice &choice, Progress *progress, bool trial)
{
    if (refuses(choice))
        return Outcome::Refused;
    m_db = &m_ctx.session->DBAdmin();
    m_progress = progress;
    m_reported = -1;
    m_stopped = false;
    m_counts = {};
    m_bookings.clear();
    m_payments.clear();
    // A trial runs every unit inside one transaction that is rolled back: it counts exactly
    // what the run would change.
    if (trial)
        m_db->BeginTrans();
    try {
        collect(choice);
        if (!m_stopped)
            apply(choice);
    } catch (...) {
        if (m_progress)
            m_progress->finished();
        if (trial) {
            try {
                m_db->Rollback();
            } catch (...) {
                // The error that ended the run is the one to report.
            }
        }
        throw;
    }
    if (trial)
        m_db->Rollback();
    if (m_progress)
        m_progress->finished();
    if (m_stopped)
        return Outcome::Interrupted;
    if (trial)
        return Outcome::Done;
    SchrijfLog(m_ctx, PadRechts(QStringLiteral("BOEKSTUK"), 10) + u": + Afgerond      : "
                          + u"Boekdatum en periode zijn gewijzigd");
    m_ctx.dialogs->MsgBox(correctie::Afgerond.toString(), mb::Information);
    return Outcome::Done;
}

// The booking numbers of the ledger, then those of the journal not seen yet, then the
// payments' booking numbers. Only the numbers are held, never the rows.
void BookingCorrection::collect(const CorrectionChoice &choice)
{
    if (m_progress)
        m_progress->step(correctie::Verzamelen.toString());
    struct Source {
        const char *table, *date;
        QStringList *into;
    };
    std::vector<Source> sources;
    if (choice.boekdata) {
        sources.push_back({"GrootboekMutaties", "BoekingsDatum", &m_bookings});
        sources.push_back({"Journaal", "BoekingsDatum", &m_bookings});
    }
    if (choice.betaaldata)
        sources.push_back({"Betalingen", "BetaalDatum", &m_payments});
    QSet<QString> seen;
    for (size_t i = 0; i < sources.size(); ++i) {
        const Source &source = sources[i];
        if (source.into == &m_payments)
            seen.clear(); // a list of their own
        auto rs = m_db->OpenQuery(QStringLiteral("SELECT DISTINCT BoekstukNr FROM %1 WHERE %2 > %3 ORDER BY BoekstukNr")
                                      .arg(QLatin1String(source.table), QLatin1String(source.date), db::jetText(m_yearEnd)));
        for (; !rs->Eof(); rs->MoveNext()) {
            const QString number = rs->text(u"BoekstukNr");
            if (!seen.contains(number.toCaseFolded())) {
                seen.insert(number.toCaseFolded());
                source.into->append(number);
            }
            report(int((100 * i + rs->PercentPosition()) / sources.size()));
        }
        if (m_progress && m_progress->stopRequested()) {
            m_stopped = true;
            return;
        }
    }
    report(100);
}

void BookingCorrection::apply(const CorrectionChoice &choice)
{
    if (m_progress)
        m_progress->step(correctie::Doorvoeren.toString());
    m_reported = -1;
    report(0);
    int total = int(m_bookings.size() + m_payments.size()) + (choice.betaaldata ? 1 : 0);
    int done = 0;
    for (const QString &number : std::as_const(m_bookings)) {
        if (!unitDone(done++, total))
            return;
        correctBooking(number, choice.periode);
    }
    for (const QString &number : std::as_const(m_payments)) {
        if (!unitDone(done++, total))
            return;
        correctPayment(number);
    }
    if (choice.betaaldata) {
        // Open items whose payments were changed before, or by hand: each relation a unit.
        const QStringList relations = relationsOutOfStep();
        total += int(relations.size()) - 1;
        for (const QString &relNr : relations) {
            if (!unitDone(done++, total))
                return;
            settleRelation(relNr);
        }
    }
    unitDone(total, total);
}

// Reports the units done so far; false when the run is to stop before the next one.
bool BookingCorrection::unitDone(int done, int total)
{
    report(total > 0 ? int(qint64(done) * 100 / total) : 100);
    if (m_progress && done < total && m_progress->stopRequested())
        m_stopped = true;
    return !m_stopped;
}

void BookingCorrection::report(int percent)
{
    if (m_progress && percent != m_reported) {
        m_reported = percent;
        m_progress->percent(percent);
    }
}

// The rows a unit changes, locked as an edit locks them: another program that has one of them
// open stops the unit before anything of it is written, and cannot start an edit on one until
// the unit has landed.
class BookingCorrection::RowLocks {
public:
    RowLocks(db::Database &db, const QString &unit) : m_db(db), m_unit(unit) {}
    ~RowLocks()
    {
        for (const auto &[table, rowid] : m_held)
            m_db.locks().unlock(this, table, rowid);
    }
    void take(const QString &table, qint64 rowid)
    {
        switch (m_db.locks().tryLock(this, table, rowid)) {
        case db::RecordLocks::Taken:
            m_held.emplace_back(table, rowid);
            return;
        case db::RecordLocks::HeldHere:
            db::raise(db::ErrLockedHere, QStringLiteral("Kan %1 niet corrigeren; een regel ervan wordt in een ander venster "
                                                        "bewerkt.").arg(m_unit));
        case db::RecordLocks::HeldElsewhere:
            db::raise(db::ErrLocked, QStringLiteral("Kan %1 niet corrigeren; een regel ervan wordt op dit moment door een "
                                                    "andere gebruiker bewerkt.").arg(m_unit));
        }
    }

private:
    db::Database &m_db;
    QString m_unit;
    std::vector<std::pair<QString, qint64>> m_held;
};

// The row ids a statement selects (in its first column), each locked; the statement is reset.
std::vector<qint64> BookingCorrection::lockRows(db::Statement &select, const QString &table, RowLocks &locks)
{
    std::vector<qint64> rows;
    while (select.step())
        rows.push_back(select.column(0).toLongLong());
    select.reset();
    for (qint64 rowid : rows)
        locks.take(table, rowid);
    return rows;
}

// One booking: every line with its number, in the ledger and in the journal, dated D (and in
// D's period), together or not at all. Lines that already are stay untouched.
void BookingCorrection::correctBooking(const QString &number, bool period)
{
    RowLocks locks(*m_db, u"boekstuk " + number);
    qint64 changed[2] = {0, 0};
    m_db->write([&] {
        int t = 0;
        for (const QString &table : {QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal")}) {
            const QString which = u" WHERE BoekstukNr = ?1 AND "
                + (period ? QStringLiteral("(BoekingsDatum IS NOT ?2 OR Periode IS NOT ?3)") : QStringLiteral("BoekingsDatum IS NOT ?2"));
            const QVariantList values = period ? QVariantList{number, m_yearEnd, m_yearEndPeriod} : QVariantList{number, m_yearEnd};
            db::Statement select = m_db->prepare(u"SELECT rowid FROM " + table + which);
            select.bindAll(values);
            changed[t] = qint64(lockRows(select, table, locks).size());
            if (changed[t]) {
                db::Statement update = m_db->prepare(u"UPDATE " + table + u" SET BoekingsDatum = ?2"
                                                     + (period ? QStringLiteral(", Periode = ?3") : QString()) + which);
                update.bindAll(values);
                update.step();
                m_db->bumpGeneration();
            }
            ++t;
        }
    });
    m_counts.grootboek += changed[0];
    m_counts.journaal += changed[1];
    ++m_counts.units;
}

// One payment booking: its payments dated D, and the open items of the invoices they pay given
// their latest payment date, in one transaction.
void BookingCorrection::correctPayment(const QString &number)
{
    RowLocks locks(*m_db, u"boekstuk " + number);
    qint64 payments = 0, items = 0;
    m_db->write([&] {
        payments = items = 0;
        const QString which = QStringLiteral(" WHERE BoekstukNr = ?1 AND BetaalDatum IS NOT ?2");
        db::Statement select = m_db->prepare(u"SELECT rowid FROM Betalingen" + which);
        select.bindAll({number, m_yearEnd});
        payments = qint64(lockRows(select, QStringLiteral("Betalingen"), locks).size());
        if (payments) {
            db::Statement update = m_db->prepare(u"UPDATE Betalingen SET BetaalDatum = ?2" + which);
            update.bindAll({number, m_yearEnd});
            update.step();
            m_db->bumpGeneration();
        }
        std::vector<std::pair<QString, QString>> invoices;
        {
            db::Statement paid = m_db->prepare(QStringLiteral("SELECT DISTINCT RelNr, FactuurNr FROM Betalingen WHERE BoekstukNr = ?1"));
            paid.bind(1, number);
            while (paid.step())
                invoices.emplace_back(paid.column(0).toString(), paid.column(1).toString());
        }
        for (const auto &[relNr, factuurNr] : invoices)
            items += settleInvoice(relNr, factuurNr, locks);
    });
    m_counts.betalingen += payments;
    m_counts.openstaand += items;
    ++m_counts.units;
}

// The open items of an invoice get the latest date among its payments; an invoice without a
// dated payment keeps its items' dates. Returns the items changed.
qint64 BookingCorrection::settleInvoice(const QString &relNr, const QString &factuurNr, RowLocks &locks)
{
    QVariant latest;
    {
        db::Statement max = m_db->prepare(QStringLiteral("SELECT max(BetaalDatum) FROM Betalingen WHERE RelNr = ?1 AND FactuurNr = ?2"));
        max.bindAll({relNr, factuurNr});
        if (max.step())
            latest = max.column(0);
    }
    if (latest.isNull())
        return 0;
    const QString which = QStringLiteral(" WHERE RelNr = ?1 AND FactuurNr = ?2 AND ifnull(BetaalDatum, '') <> ?3");
    db::Statement select = m_db->prepare(u"SELECT rowid FROM OpenstaandePosten" + which);
    select.bindAll({relNr, factuurNr, latest});
    const qint64 items = qint64(lockRows(select, QStringLiteral("OpenstaandePosten"), locks).size());
    if (items) {
        db::Statement update = m_db->prepare(u"UPDATE OpenstaandePosten SET BetaalDatum = ?3" + which);
        update.bindAll({relNr, factuurNr, latest});
        update.step();
        m_db->bumpGeneration();
    }
    return items;
}

// The relations with an open item whose payment date is not the latest of its payments.
QStringList BookingCorrection::relationsOutOfStep()
{
    QStringList relations;
    auto rs = m_db->OpenQuery(QStringLiteral(
        "SELECT DISTINCT o.RelNr FROM OpenstaandePosten AS o INNER JOIN Betalingen AS b "
        "ON (b.RelNr = o.RelNr) AND (b.FactuurNr = o.FactuurNr) GROUP BY o.RelNr, o.FactuurNr, o.BetaalDatum "
        "HAVING Max(b.BetaalDatum) <> Nz(o.BetaalDatum, \"\") ORDER BY o.RelNr"));
    for (; !rs->Eof(); rs->MoveNext())
        relations << rs->text(u"RelNr");
    return relations;
}

// One relation of the closing pass: each of its open items gets its invoice's latest payment date.
void BookingCorrection::settleRelation(const QString &relNr)
{
    RowLocks locks(*m_db, u"relatie " + relNr);
    qint64 items = 0;
    m_db->write([&] {
        items = 0;
        QStringList invoices;
        {
            db::Statement open = m_db->prepare(QStringLiteral("SELECT DISTINCT FactuurNr FROM OpenstaandePosten WHERE RelNr = ?1"));
            open.bind(1, relNr);
            while (open.step())
                invoices << open.column(0).toString();
        }
        for (const QString &factuurNr : std::as_const(invoices))
            items += settleInvoice(relNr, factuurNr, locks);
    });
    m_counts.openstaand += items;
    ++m_counts.units;
}

} // namespace kv::finance
