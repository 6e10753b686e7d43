#pragma once

#include "core/jobs/progress.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kv {
class Context;
}

namespace kv::maintenance {

// The texts the archiving and clean-up screens share with the tool.
namespace orders {
inline constexpr QStringView GeenDatum = u"U heeft nog een datum ingegeven.";
inline constexpr QStringView Vraag = u"Weet u zeker dat u deze orders wilt archiveren?";
inline constexpr QStringView Herhaling = u"HERHALINGSVRAAG:\nWeet u ECHT zeker dat u deze orders wilt archiveren?";
inline constexpr QStringView LaatsteControle =
    u"LAATSTE CONTROLE:\nWeet u ook ECHT zeker dat u de orders wilt archiveren die nog openstaan?";
inline constexpr QStringView Verwerken = u"De gegevens worden verwerkt...";
inline constexpr QStringView Opgeschoond = u"De administratie is opgeschoond.";
inline constexpr QStringView Verwijderd = u"De orders zijn verwijderd, u kunt desgewenst het bestand comprimeren.";
} // namespace orders

// Dutch law keeps the records of a year until the end of the seventh year after it.
inline constexpr int BewaarJaren = 7;

// Which orders leave the working database for the archive: those with a line dated before
// `voor` ("yyyymmdd"). Archiving takes only finished ones (every line in state 8, or 9 with
// tag "UVF" and an invoice number) unless `ookOnverwerkt`; the clean-up takes them all.
struct OrderSelection {
    enum class Job { Archiveren, Opschonen } job = Job::Archiveren;
    QString voor;
    bool ookOnverwerkt = false;
};

// The first day that no longer counts, as stored ("yyyymmdd"), from what the user typed: a date,
// or for the clean-up a bare year up to last year, taken through its 31 December. Nothing, after
// saying why, when it is empty, no date, or after today.
std::optional<QString> orderLimit(Context &ctx, OrderSelection::Job job, const QString &typed);

// What a run moved or, in a trial, would move.
struct MoveCounts {
    qint64 orders = 0;
    std::vector<std::pair<QString, qint64>> naarArchief; // rows per working table
    std::vector<std::pair<QString, qint64>> verwijderd;  // rows of trips and notes left without an order
    // The orders with a line before the limit that stay, each with why: in a trial all of
    // them, in a run those skipped ("in gebruik", "al in archief").
    std::vector<std::pair<QString, QString>> blijven;
    qint64 overgeslagen = 0; // skipped because another program holds them or they are archived already
};

// Moves orders to the archive, a group of whole orders at a time. The two files commit
// apart: with the working database's write lock held, one archive transaction copies the group
// with a marker per order, then one working transaction deletes it, then the markers go. A run
// that stops in between leaves its group in both files under markers, and every later run of
// either job finishes those first. After the orders, trips, stops and notes whose order is
// gone are removed.
class OrderMove {
public:
    OrderMove(Context &ctx, OrderSelection selection);
    ~OrderMove();

    enum class Outcome { Cancelled, Done, Interrupted };

    // The screen's button: both questions (three for archiving with `ookOnverwerkt`), then
    // `perform`. Errors are reported through the dialogs and the log; whole groups stay moved.
    Outcome run(Progress *progress);

    // Without questions, as the tool runs it; writes the log lines of the job. A `trial`
    // decides as a run would and writes nothing. Errors are thrown (db::DbError).
    Outcome perform(Progress *progress, bool trial = false);

    // The archive's "Verwijderen": every archived order with a line before the limit is removed
    // from the six archive tables, a group of whole orders a transaction. Lines dated within the
    // years the law keeps them are asked about first (`withinRetention`); the screen asks, the
    // tool wants --bewaartermijn.
    Outcome runPurge(Progress *progress);
    Outcome purge(Progress *progress, bool trial = false);
    qint64 withinRetention() const;

    const MoveCounts &counts() const { return m_counts; }

    // Called after each commit of a group: "archief", "werk", "markeringen". Where a test stops
    // a run to prove that every group is whole in one file.
    std::function<void(QStringView)> afterCommit;
    // A group closes at this many orders, or after 100 ms: a WAL commit writes every page the
    // group touched, so committing per order costs many times a raw copy.
    int groupOrders = 256;

private:
    struct Group;
    class Verdict;
    void finishMarked(Progress *progress);
    QStringList candidates() const;
    Outcome performTrial(Progress *progress);
    void moveGroups(const QStringList &orders, bool marked, Progress *progress);
    bool takesAll() const;
    QSet<QString> goingOrders() const;
    QSet<QString> lockGroup(Group &group);
    void fillGroup(const QStringList &orders);
    void copyGroup(const QStringList &orders, bool replace);
    void removeOrphans(bool trial);
    void count(std::vector<std::pair<QString, qint64>> &counts, const QString &table, qint64 rows);
    void committed(QStringView step);
    void log(const QString &label, const QString &text) const;
    QString limitShown() const;
    void completeArchive() const;

    Context &m_ctx;
    OrderSelection m_selection;
    MoveCounts m_counts;
    struct Tables;
    std::unique_ptr<Tables> m_tables;
};

} // namespace kv::maintenance
