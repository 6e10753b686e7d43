#pragma once

#include "core/jobs/progress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kv {
class Context;
}

namespace kv::maintenance {

inline constexpr QStringView Definitief = u"Let op: Verwijderen is DEFINITIEF";

// One of the three screens that delete a year of one table.
struct YearTable {
    const char *screen;
    QString caption, field, table;
    QString yearOf;  // SQL: the year of a row, as text
    QString question, form;
    QString note;    // a further line of the screen, empty when none
};
const std::vector<YearTable> &yearTables();
const YearTable *yearTable(QStringView screen);

// The year of a year screen: four digits ("U heeft nog geen jaartal ingegeven." otherwise), not
// after this one. Nothing, after saying why, when it is not.
std::optional<int> deletionYear(Context &ctx, const QString &typed);

// What a deleting job removes.
struct DeletionRequest {
    enum class Job { Relaties, Facturen, AlleFacturen, Jaar } job = Job::Relaties;
    QString voor;                  // Facturen: invoices dated before it ("yyyymmdd")
    bool alleenBalie = false;      // Facturen: only the counter sale's (relation "9")
    const YearTable *jaarTabel = nullptr; // Jaar
    int jaar = 0;                  // Jaar
};

struct DeletionCounts {
    qint64 units = 0;                                   // relations, invoices, rows deleted
    std::vector<std::pair<QString, qint64>> verwijderd; // rows per table
    std::vector<std::pair<QString, QString>> blijven;   // relations kept, with why; units skipped
    qint64 overgeslagen = 0;                            // held by another program
};

// The deleting jobs of the maintenance section. Each unit (a relation with everything the job
// removes with it, an invoice with its payments, a row) goes whole in a group of units, a
// transaction at a time; one another program holds in edit is skipped and logged. A relation's
// invoice history lives in the archive: its working rows go with a marker, then its history,
// then the marker; the next run finishes marked relations first.
class Deletion {
public:
    Deletion(Context &ctx, DeletionRequest request);

    enum class Outcome { Cancelled, Done, Interrupted };

    // The screen's button: its questions, the one about records the law still keeps when
    // there are any, then `perform`; errors reported; the closing message.
    Outcome run(Progress *progress);
    // Without questions; writes the job's log lines. A trial decides and counts, writing nothing.
    Outcome perform(Progress *progress, bool trial = false);

    // Rows the job would remove that are dated within the seven years the law keeps them.
    qint64 withinRetention() const;

    const DeletionCounts &counts() const { return m_counts; }
    // The closing message of a run.
    QString closing() const;

    std::function<void(QStringView)> afterCommit; // after each commit, as OrderMove's
    int groupUnits = 256;

private:
    QStringList questions() const;
    std::vector<std::pair<QString, QString>> startLines() const;
    QString keepsRelation(const QString &relNr) const;
    void deleteRelations(Progress *progress, bool trial);
    void finishMarked();
    void deleteRows(const QString &table, const QString &condition, const QVariantList &values, Progress *progress,
                    bool trial, const std::function<void(qint64 rowid)> &alongWith = {});
    void deleteAllInvoices(bool trial);
    void runGroup(bool trial, const QString &table, const std::vector<qint64> &locked, const std::function<void()> &group);
    void count(const QString &table, qint64 rows);
    void log(const QString &tag, const QString &label, const QString &text) const;

    Context &m_ctx;
    DeletionRequest m_request;
    DeletionCounts m_counts;
};

} // namespace kv::maintenance
