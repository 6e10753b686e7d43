#pragma once

#include "printing/reports/columntable.h"

#include <QString>

#include <vector>

class QWidget;

namespace kv {
class Context;
struct FoundList;
struct ListRequest;
}

namespace kv::reports {

// The two lists of a day's work: what the trucks unload (by the trips that end that day) and
// what was delivered (by the orders of that day).
struct DailyList {
    enum class Kind { Loslijst, Leveringenlijst };
    Kind kind;
    const char *screen; // the form name the print manager calls back
    QString header;     // the screen's header, as the menu row reads
    QString document;   // the entry in the print manager, the list's name on paper
    QString command;    // the automation tool's name for it
};

const std::vector<DailyList> &dailyLists();
const std::vector<Column> &columnsOf(const DailyList &list);

// The stored first and last day of two typed dates, or why they are no period.
struct Period {
    QString from, to;
    QString refusal;
};
Period periodOf(Context &ctx, const QString &from, const QString &to);

// The list over the days `from` to `to` (stored dates, both included); order lines in state 8
// are left out.
ColumnReport readDailyList(Context &ctx, const DailyList &list, const QString &from, const QString &to);

// A list per day for the automation tool's export, by its form name or its tool name, over
// the request's days (`tm` empty: one day).
FoundList findDailyList(Context &ctx, const ListRequest &request);

// The caller's side of a job the print manager started: the report drawn on the print target,
// the preview shown when it is one. Progress goes to the print manager's bar, or to `progress`.
void printColumnReport(Context &ctx, const ColumnReport &report, bool preview, QWidget *parent = nullptr,
                       const ReportProgress &progress = {});

} // namespace kv::reports
