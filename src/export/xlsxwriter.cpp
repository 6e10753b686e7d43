#include "export/cell.h"
#include "export/sheetwriter.h"

#include <QFile>
#include <QHash>

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace kv::exporting {
namespace {

// The widest a column gets, in characters.
constexpr int MaxColumnWidth = 80;

class XlsxWriter : public SheetWriter {
public:
    XlsxWriter(const Context &ctx, const QString &path) : m_ctx(ctx)
    {
        // Rows go to a temp file as they come, so a long list takes no memory.
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        m_sheet = m_book ? workbook_add_worksheet(m_book, "Resultaat") : nullptr;
        if (!m_sheet)
            m_error = u"het werkboek kan niet worden aangemaakt"_s;
    }

    ~XlsxWriter() override
    {
        if (m_book)
            workbook_close(m_book); // a failed export: the temp file goes all the same
    }

    bool row(const QStringList &cells) override
    {
        if (!m_error.isEmpty())
            return false;
        for (int column = 0; column < cells.size(); ++column) {
            const QString &text = cells[column];
            const lxw_error result = m_row == 0 ? writeText(column, text.trimmed(), nullptr) : write(column, text);
            if (result != LXW_NO_ERROR) {
                m_error = QString::fromUtf8(lxw_strerror(result));
                return false;
            }
        }
        ++m_row;
        return true;
    }

    bool close() override
    {
        for (size_t column = 0; column < m_widths.size(); ++column)
            worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column),
                                 std::min(m_widths[column] + 2, MaxColumnWidth), nullptr);
        const lxw_error result = workbook_close(m_book);
        m_book = nullptr;
        if (m_error.isEmpty() && result != LXW_NO_ERROR)
            m_error = QString::fromUtf8(lxw_strerror(result));
        return m_error.isEmpty();
    }

private:
    lxw_error write(int column, const QString &text)
    {
        const SheetCell cell = classify(m_ctx, text);
        lxw_format *format = formatFor(cell.numberFormat);
        switch (cell.kind) {
        case SheetCell::Kind::Blank:
            return worksheet_write_blank(m_sheet, m_row, lxw_col_t(column), format);
        case SheetCell::Kind::Text:
            return writeText(column, cell.text, format);
        case SheetCell::Kind::Number:
            widen(column, text.size());
            return worksheet_write_number(m_sheet, m_row, lxw_col_t(column), cell.number, format);
        case SheetCell::Kind::Date: {
            widen(column, 10);
            lxw_datetime date{cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
            return worksheet_write_datetime(m_sheet, m_row, lxw_col_t(column), &date, format);
        }
        }
        return LXW_NO_ERROR;
    }

    lxw_error writeText(int column, const QString &text, lxw_format *format)
    {
        widen(column, text.size());
        return worksheet_write_string(m_sheet, m_row, lxw_col_t(column), text.toUtf8().constData(), format);
    }

    // Debian's libxlsxwriter has no autofit: the widest text shown sets the width.
    void widen(int column, qsizetype characters)
    {
        if (size_t(column) >= m_widths.size())
            m_widths.resize(size_t(column) + 1, 0);
        m_widths[size_t(column)] = std::max(m_widths[size_t(column)], int(std::min<qsizetype>(characters, MaxColumnWidth)));
    }

    lxw_format *formatFor(const QString &numberFormat)
    {
        lxw_format *&format = m_formats[numberFormat];
        if (!format) {
            format = workbook_add_format(m_book);
            format_set_num_format(format, numberFormat.toUtf8().constData());
        }
        return format;
    }

    const Context &m_ctx;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_row_t m_row = 0;
    std::vector<int> m_widths;
    QHash<QString, lxw_format *> m_formats;
};

} // namespace

std::unique_ptr<SheetWriter> xlsxWriter(const Context &ctx, const QString &path)
{
    return std::make_unique<XlsxWriter>(ctx, path);
}

} // namespace kv::exporting
