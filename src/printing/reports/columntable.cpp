#include "printing/reports/columntable.h"

#include "core/jobs/listsource.h"
#include "printing/printtarget.h"

#include <QLocale>

#include <numeric>

namespace kv::reports {

qsizetype ColumnReport::rowCount() const
{
    qsizetype rows = 0;
    for (const Day &day : days)
        for (const Group &group : day.groups)
            rows += qsizetype(group.rows.size());
    return rows;
}

ListSource reportList(const ColumnReport &report)
{
    ListSource source{report.title, {QStringLiteral("Datum"), report.groupCaption}, report.rowCount(), {}};
    std::vector<size_t> shown; // the columns that hold something besides paper
    for (size_t i = 0; i < report.columns.size(); ++i) {
        if (report.columns[i].kind != Column::Kind::Box) {
            shown.push_back(i);
            source.headers << report.columns[i].heading;
        }
    }
    source.visitRows = [&report, shown](const std::function<bool(const QStringList &)> &visit) {
        QStringList cells;
        for (const Day &day : report.days) {
            const QString date = day.date.toString(QStringLiteral("dd-MM-yyyy"));
            for (const Group &group : day.groups) {
                for (const QStringList &row : group.rows) {
                    cells = {date, group.heading};
                    for (const size_t i : shown)
                        cells << row.value(qsizetype(i));
                    if (!visit(cells))
                        return;
                }
            }
        }
    };
    return source;
}

namespace {

constexpr double Padding = 60; // twips between a cell's text and its column's edge

// Draws one report: it keeps the position on the page, the page number and the progress.
class Drawing {
public:
    Drawing(PrintTarget &target, const ColumnReport &report, const ReportProgress &progress)
        : m_target(target), m_report(report), m_progress(progress), m_rows(std::max<qsizetype>(1, report.rowCount()))
    {
        const int shares = std::accumulate(report.columns.begin(), report.columns.end(), 0,
                                           [](int sum, const Column &c) { return sum + c.share; });
        double x = 0;
        for (const Column &column : report.columns) {
            m_left.push_back(x);
            x += double(target.ScaleWidth()) * column.share / std::max(1, shares);
        }
        m_left.push_back(target.ScaleWidth());
    }

    int draw()
    {
        bool first = true;
        for (const Day &day : m_report.days) {
            if (!first)
                m_target.NewPage();
            first = false;
            m_day = &day;
            pageHeading();
            for (const Group &group : day.groups)
                drawGroup(group);
            if (!day.total.isEmpty()) {
                room(2);
                totalLine(day.total);
            }
        }
        return m_page;
    }

private:
    void font(double size, bool bold)
    {
        m_target.FontSize(size);
        m_target.FontBold(bold);
    }

    double lineHeight() const { return m_target.TextHeight(QStringLiteral("X")); }

    void text(double x, double y, const QString &text)
    {
        m_target.CurrentX = x;
        m_target.CurrentY = y;
        m_target.Print(text);
    }

    // A new page when fewer than `lines` lines fit on this one.
    bool room(int lines)
    {
        if (m_y + lines * lineHeight() <= m_target.ScaleHeight())
            return false;
        m_target.NewPage();
        pageHeading();
        return true;
    }

    void pageHeading()
    {
        ++m_page;
        m_target.FontName(QStringLiteral("Tahoma"));
        font(11, true);
        text(0, 0, m_report.company);
        const double top = lineHeight();
        font(8, false);
        const QString page = QStringLiteral("Pagina ") + QString::number(m_page);
        text(m_target.ScaleWidth() - m_target.TextWidth(page), 0, page);
        font(10, true);
        const QString day = QLocale(QLocale::Dutch, QLocale::Netherlands).toString(m_day->date, QStringLiteral("dddd d MMMM yyyy"));
        text(0, top, m_report.title + QStringLiteral("  ") + day);
        m_y = top + lineHeight() * 1.8;

        font(8, true);
        QStringList headings;
        for (const Column &column : m_report.columns)
            headings << column.heading;
        cells(headings, false);
        m_target.Line(0, m_y, m_target.ScaleWidth(), m_y);
        m_y += lineHeight() * 0.4;
        font(8, false);
    }

    void drawGroup(const Group &group)
    {
        room(3);
        groupHeading(group.heading);
        for (const QStringList &row : group.rows) {
            if (room(1))
                groupHeading(group.heading);
            cells(row, true);
            ++m_drawn;
            const int percent = int(m_drawn * 100 / m_rows);
            if (m_progress && (percent != m_percent || m_page != m_told))
                m_progress(percent, m_page);
            m_percent = percent;
            m_told = m_page;
        }
        if (!group.total.isEmpty()) {
            room(2);
            totalLine(group.total);
        }
    }

    void groupHeading(const QString &heading)
    {
        m_y += lineHeight() * 0.4;
        font(8, true);
        text(Padding, m_y, m_target.ElidedText(heading, m_target.ScaleWidth() - 2 * Padding));
        m_y += lineHeight();
        font(8, false);
    }

    // A line above the number columns, the cells in bold and a little space after.
    void totalLine(const QStringList &values)
    {
        m_y += lineHeight() * 0.2;
        for (size_t i = 0; i < m_report.columns.size(); ++i)
            if (m_report.columns[i].kind == Column::Kind::Number && !values.value(qsizetype(i)).isEmpty())
                m_target.Line(m_left[i] + Padding, m_y, m_left[i + 1] - Padding, m_y);
        font(8, true);
        cells(values, false);
        font(8, false);
        m_y += lineHeight() * 0.4;
    }

    void cells(const QStringList &values, bool boxes)
    {
        if (!m_target.painting()) { // every row is one line high, whatever it holds
            m_y += lineHeight();
            return;
        }
        for (size_t i = 0; i < m_report.columns.size(); ++i) {
            const Column &column = m_report.columns[i];
            const double left = m_left[i] + Padding, right = m_left[i + 1] - Padding;
            if (column.kind == Column::Kind::Box) {
                if (boxes)
                    box((left + right) / 2, m_y + lineHeight() * 0.15, lineHeight() * 0.7);
                else
                    text(left + std::max(0.0, (right - left - m_target.TextWidth(column.heading)) / 2), m_y, column.heading);
                continue;
            }
            const QString cell = m_target.ElidedText(values.value(qsizetype(i)), right - left);
            text(column.kind == Column::Kind::Number ? right - m_target.TextWidth(cell) : left, m_y, cell);
        }
        m_y += lineHeight();
    }

    void box(double centre, double top, double size)
    {
        const double l = centre - size / 2, r = centre + size / 2, b = top + size;
        m_target.Line(l, top, r, top);
        m_target.Line(r, top, r, b);
        m_target.Line(r, b, l, b);
        m_target.Line(l, b, l, top);
    }

    PrintTarget &m_target;
    const ColumnReport &m_report;
    const ReportProgress &m_progress;
    const qsizetype m_rows;
    std::vector<double> m_left; // each column's left edge, then the right edge of the last
    const Day *m_day = nullptr;
    double m_y = 0;
    int m_page = 0;
    qsizetype m_drawn = 0;
    int m_percent = -1, m_told = 0;
};

} // namespace

int drawColumnReport(PrintTarget &target, const ColumnReport &report, const ReportProgress &progress)
{
    return Drawing(target, report, progress).draw();
}

} // namespace kv::reports
