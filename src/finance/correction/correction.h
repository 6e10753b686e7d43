#pragma once

#include "core/jobs/progress.h"
#include "finance/periods/periodnumber.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kv {
class Context;
namespace db {
class Database;
class Statement;
} // namespace db
} // namespace kv

namespace kv::finance {

// The screen's texts that more than the screen uses.
namespace correctie {
inline constexpr QStringView GeenKeuze = u"U heeft nog niet aangegeven wat u wilt corrigeren.";
inline constexpr QStringView Vraag = u"Weet u zeker dat u bovenstaande correcties wilt doorvoeren?";
inline constexpr QStringView Herhaling =
    u"HERHALINGSVRAAG:\n\nWeet u ECHT zeker dat u bovenstaande correcties wilt doorvoeren?";
inline constexpr QStringView Verzamelen = u"De gegevens worden verzameld...";
inline constexpr QStringView Doorvoeren = u"De correcties worden doorgevoerd...";
inline constexpr QStringView Afgerond = u"De wijzigingen zijn afgerond, controleer de nieuwe gegevens.";
inline constexpr QStringView GeenEinddatum = u"Het einde van het boekjaar is niet bekend: controleer de administratie.";
} // namespace correctie

// The three switches of the screen.
struct CorrectionChoice {
    bool boekdata = false;   // booking dates after the year end become the year end
    bool periode = false;    // and their period that of the year end (only with `boekdata`)
    bool betaaldata = false; // payment dates after the year end become the year end
    bool any() const { return boekdata || periode || betaaldata; }
};

// Rows a run changed, or in a trial would change, per table; units are booking numbers and
// relations written in a transaction of their own.
struct CorrectionCounts {
    qint64 grootboek = 0, journaal = 0, betalingen = 0, openstaand = 0;
    qint64 units = 0;
};

// Moves bookings and payments dated after the end of the financial year back onto its last
// day (D). Each booking number is one transaction with all its ledger and journal lines; each
// payment booking number one with its payments and the open items they pay; then each
// relation whose open items disagree with their payments one more. A run that is killed
// leaves whole units behind, and a run after it ends where one uninterrupted run would have.
class BookingCorrection {
public:
    explicit BookingCorrection(Context &ctx);
    ~BookingCorrection();

    // D as stored ("yyyymmdd"), from `BoekjaarPeriodeEind` or else the end of `Boekjaar`;
    // empty when neither gives a date.
    const QString &yearEnd() const { return m_yearEnd; }
    // The period D falls in.
    int yearEndPeriod() const { return m_yearEndPeriod; }

    enum class Outcome {
        Refused,     // nothing chosen or no year end: said so, nothing changed
        Cancelled,   // a question answered No
        Done,
        Interrupted, // stopped between units
        Failed,      // an error, reported; the units before it stay
    };

    // The screen's button: the choice checked, both questions asked, then `perform`, with any
    // error reported through the dialogs and the log.
    Outcome run(const CorrectionChoice &choice, Progress *progress);

    // Without questions, as the tool runs it. A `trial` counts what would change and writes
    // nothing: the whole run is rolled back. Errors are thrown (db::DbError).
    Outcome perform(const CorrectionChoice &choice, Progress *progress, bool trial = false);

    const CorrectionCounts &counts() const { return m_counts; }

private:
    class RowLocks;

    void readYear();
    bool refuses(const CorrectionChoice &choice);
    void collect(const CorrectionChoice &choice);
    void apply(const CorrectionChoice &choice);
    void correctBooking(const QString &number, bool period);
    void correctPayment(const QString &number);
    qint64 settleInvoice(const QString &relNr, const QString &factuurNr, RowLocks &locks);
    QStringList relationsOutOfStep();
    void settleRelation(const QString &relNr);
    std::vector<qint64> lockRows(db::Statement &select, const QString &table, RowLocks &locks);
    bool unitDone(int done, int total);
    void report(int percent);

    Context &m_ctx;
    db::Database *m_db = nullptr;
    QString m_yearEnd;
    int m_yearEndPeriod = 0;
    Progress *m_progress = nullptr;
    int m_reported = -1;
    bool m_stopped = false;
    QStringList m_bookings, m_payments; // booking numbers, in the order they are corrected
    CorrectionCounts m_counts;
};

} // namespace kv::finance
