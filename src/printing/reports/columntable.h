#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kv {
class PrintTarget;
struct ListSource;
}

namespace kv::reports {

// A column of a printed list: its heading, its share of the page's width, and how its cells stand.
struct Column {
    enum class Kind { Text, Number, Box }; // a box is an empty square to tick on paper
    QString heading;
    int share = 1;
    Kind kind = Kind::Text;
};

// The rows of one group (a vehicle, a relation) under its heading, and its total line if any.
struct Group {
    QString heading;
    std::vector<QStringList> rows;
    QStringList total; // the cells of the total line; empty: none
};

// One day of a list: it starts a page of its own.
struct Day {
    QDate date;
    std::vector<Group> groups;
    QStringList total;
};

// A list printed per day: the company, the list's name, the columns and the days.
struct ColumnReport {
    QString company;
    QString title;
    std::vector<Column> columns;
    QString groupCaption; // what a group's heading names, as a column of the export
    std::vector<Day> days;

    qsizetype rowCount() const;
};

// The report as a list for an export: a row per report row with its day and its group's
// heading before the cells; boxes to tick and total lines stay on paper. `report` must
// outlive the source.
ListSource reportList(const ColumnReport &report);

// Draws the report on `target`, a day to a page or more, each page headed by the company, the
// list, the day and "Pagina " + its number; a group cut by a page break repeats its heading.
// `progress` hears the share drawn (0 to 100) and the page it is on, each time one changes.
// Returns the number of pages.
using ReportProgress = std::function<void(int percent, int page)>;
int drawColumnReport(PrintTarget &target, const ColumnReport &report, const ReportProgress &progress = {});

} // namespace kv::reports
