#include "finance/correction/correction.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/log/schrijflog.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"

#include <QSet>

namespace kv::finance {

namespace {

// Booking numbers, relation and invoice numbers compare as the database compares them.
bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

struct BookingCorrection::OpenTable {
    QString table, index;
    std::unique_ptr<db::Recordset> rs;
};

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
    const QDate last = QDate::fromString(end, QStringLiteral("yyyyMMdd"));
    if (end.size() != 8 || !last.isValid())
        return;
    m_yearEnd = end;
    FinancialYear financial;
    financial.type = periodTypeOf(company.value(u"BoekingsPeriode").toInt());
    financial.broken = company.value(u"BoekjaarGebroken").toBool();
    financial.start = QDate::fromString(start, QStringLiteral("yyyyMMdd"));
    m_yearEndPeriod = periodNumber(last, financial);
}

BookingCorrection::Outcome BookingCorrection::run(const CorrectionChoice &choice, CorrectionProgress *progress)
{
    if (!choice.any()) {
        m_ctx.dialogs->MsgBox(correctie::GeenKeuze.toString(), mb::Exclamation);
        return Outcome::Refused;
    }
    if (m_yearEnd.isEmpty()) {
        m_ctx.dialogs->MsgBox(correctie::GeenEinddatum.toString(), mb::Exclamation);
        return Outcome::Refused;
    }
    for (QStringView question : {correctie::Vraag, correctie::Herhaling})
        if (m_ctx.dialogs->MsgBox(question.toString(), mb::YesNo | mb::Question | mb::DefaultButton2) != mb::Yes)
            return Outcome::Cancelled;
    Outcome outcome = Outcome::Failed;
    tryOperation(m_ctx, QStringLiteral("frmBoekhouding_CorrectieBoekPeriode: Corrigeren"),
                 [&] { outcome = perform(choice, progress); });
    return outcome;
}

BookingCorrection::Outcome BookingCorrection::perform(const CorrectionChoice &choice, CorrectionProgress *progress, bool trial)
{
    if (!choice.any()) {
        m_ctx.dialogs->MsgBox(correctie::GeenKeuze.toString(), mb::Exclamation);
        return Outcome::Refused;
    }
    if (m_yearEnd.isEmpty()) {
        m_ctx.dialogs->MsgBox(correctie::GeenEinddatum.toString(), mb::Exclamation);
        return Outcome::Refused;
    }
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
        m_tables.clear();
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
    m_tables.clear();
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
            seen.clear();
        auto rs = m_db->OpenQuery(QStringLiteral("SELECT DISTINCT BoekstukNr FROM %1 WHERE %2 > \"%3\" ORDER BY BoekstukNr")
                                      .arg(QLatin1String(source.table), QLatin1String(source.date), m_yearEnd));
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

db::Recordset &BookingCorrection::table(const QString &name, const QString &index)
{
    for (const auto &open : m_tables)
        if (open->table == name && open->index == index)
            return *open->rs;
    auto open = std::make_unique<OpenTable>(OpenTable{name, index, m_db->OpenTable(name)});
    open->rs->setIndex(index);
    m_tables.push_back(std::move(open));
    return *m_tables.back()->rs;
}

// One booking: every line with its number, in the ledger and in the journal, dated D (and in
// D's period), together or not at all. Lines that already are leave no write behind.
void BookingCorrection::correctBooking(const QString &number, bool period)
{
    const QString index = QStringLiteral("BoekstukNr");
    qint64 changed[2] = {0, 0};
    m_db->write([&] {
        int t = 0;
        for (const QString &name : {QStringLiteral("GrootboekMutaties"), QStringLiteral("Journaal")}) {
            db::Recordset &rs = table(name, index);
            changed[t] = 0;
            rs.Seek(u"=", number);
            for (; !rs.NoMatch() && !rs.Eof() && same(rs.text(u"BoekstukNr"), number); rs.MoveNext()) {
                const bool date = rs.text(u"BoekingsDatum") != m_yearEnd;
                const bool periode = period && (rs.isNull(u"Periode") || rs.value(u"Periode").toInt() != m_yearEndPeriod);
                if (!date && !periode)
                    continue;
                rs.Edit();
                if (date)
                    rs.setValue(u"BoekingsDatum", m_yearEnd);
                if (periode)
                    rs.setValue(u"Periode", m_yearEndPeriod);
                rs.Update();
                ++changed[t];
            }
            ++t;
        }
    });
    m_counts.grootboek += changed[0];
    m_counts.journaal += changed[1];
    ++m_counts.units;
}

// One payment booking: its payments dated D, and the open items they pay given their latest
// payment date, in one transaction.
void BookingCorrection::correctPayment(const QString &number)
{
    qint64 payments = 0, items = 0;
    m_db->write([&] {
        payments = items = 0;
        db::Recordset &rs = table(QStringLiteral("Betalingen"), QStringLiteral("BoekstukNr"));
        std::vector<std::pair<QString, QString>> paid; // relation and invoice, each once
        rs.Seek(u"=", number);
        for (; !rs.NoMatch() && !rs.Eof() && same(rs.text(u"BoekstukNr"), number); rs.MoveNext()) {
            const QString relNr = rs.text(u"RelNr"), factuurNr = rs.text(u"FactuurNr");
            if (std::none_of(paid.begin(), paid.end(), [&](const auto &p) { return same(p.first, relNr) && same(p.second, factuurNr); }))
                paid.emplace_back(relNr, factuurNr);
            if (rs.text(u"BetaalDatum") == m_yearEnd)
                continue;
            rs.Edit();
            rs.setValue(u"BetaalDatum", m_yearEnd);
            rs.Update();
            ++payments;
        }
        for (const auto &[relNr, factuurNr] : paid) {
            const QString latest = latestPayment(relNr, factuurNr);
            if (latest.isNull())
                continue;
            db::Recordset &open = table(QStringLiteral("OpenstaandePosten"), QStringLiteral("RelNr"));
            open.Seek(u"=", QVariantList{relNr, factuurNr});
            for (; !open.NoMatch() && !open.Eof() && same(open.text(u"RelNr"), relNr) && same(open.text(u"FactuurNr"), factuurNr);
                 open.MoveNext()) {
                if (open.text(u"BetaalDatum") == latest)
                    continue;
                open.Edit();
                open.setValue(u"BetaalDatum", latest);
                open.Update();
                ++items;
            }
        }
    });
    m_counts.betalingen += payments;
    m_counts.openstaand += items;
    ++m_counts.units;
}

// The latest date among the payments of an invoice; a null text when none has a date.
QString BookingCorrection::latestPayment(const QString &relNr, const QString &factuurNr)
{
    db::Recordset &rs = table(QStringLiteral("Betalingen"), QStringLiteral("RelNr"));
    QString latest;
    rs.Seek(u"=", QVariantList{relNr, factuurNr});
    for (; !rs.NoMatch() && !rs.Eof() && same(rs.text(u"RelNr"), relNr) && same(rs.text(u"FactuurNr"), factuurNr); rs.MoveNext())
        if (!rs.isNull(u"BetaalDatum") && (latest.isNull() || rs.text(u"BetaalDatum") > latest))
            latest = rs.text(u"BetaalDatum");
    return latest;
}

// The relations with an open item whose payment date is not the latest of its payments.
// Items without payments keep their date.
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

void BookingCorrection::settleRelation(const QString &relNr)
{
    qint64 items = 0;
    m_db->write([&] {
        items = 0;
        db::Recordset &open = table(QStringLiteral("OpenstaandePosten"), QStringLiteral("RelNr"));
        QHash<QString, QString> latestOf; // by invoice number, folded
        open.Seek(u"=", relNr);
        for (; !open.NoMatch() && !open.Eof() && same(open.text(u"RelNr"), relNr); open.MoveNext()) {
            const QString factuurNr = open.text(u"FactuurNr");
            auto found = latestOf.constFind(factuurNr.toCaseFolded());
            if (found == latestOf.constEnd())
                found = latestOf.insert(factuurNr.toCaseFolded(), latestPayment(relNr, factuurNr));
            if (found->isNull() || open.text(u"BetaalDatum") == *found)
                continue;
            open.Edit();
            open.setValue(u"BetaalDatum", *found);
            open.Update();
            ++items;
        }
    });
    m_counts.openstaand += items;
    ++m_counts.units;
}

} // namespace kv::finance
