#include "export/sheetwriter.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kv::exporting {
namespace {

class CsvWriter : public SheetWriter {
public:
    explicit CsvWriter(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate) || m_file.write("\xEF\xBB\xBF") != 3)
            m_error = m_file.errorString();
    }

    bool row(const QStringList &cells) override
    {
        if (!m_error.isEmpty())
            return false;
        m_line.clear(); // keeps its capacity from row to row
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (column)
                m_line += u';';
            appendQuoted(cells[column]);
        }
        m_line += u"\r\n";
        if (m_file.write(m_line.toUtf8()) < 0)
            m_error = m_file.errorString();
        return m_error.isEmpty();
    }

    bool close() override
    {
        if (m_error.isEmpty() && !m_file.flush())
            m_error = m_file.errorString();
        m_file.close();
        return m_error.isEmpty();
    }

private:
    void appendQuoted(const QString &cell)
    {
        if (!cell.contains(u';') && !cell.contains(u'"') && !cell.contains(u'\n') && !cell.contains(u'\r')) {
            m_line += cell;
            return;
        }
        m_line += u'"';
        for (const QChar c : cell) {
            if (c == u'"')
                m_line += u'"';
            m_line += c;
        }
        m_line += u'"';
    }

    QFile m_file;
    QString m_line;
};

} // namespace

std::optional<SheetFormat> formatOf(const QString &fileName)
{
    if (fileName.endsWith(u".xlsx"_s, Qt::CaseInsensitive))
        return SheetFormat::Xlsx;
    if (fileName.endsWith(u".csv"_s, Qt::CaseInsensitive))
        return SheetFormat::Csv;
    return std::nullopt;
}

std::unique_ptr<SheetWriter> csvWriter(const QString &path)
{
    return std::make_unique<CsvWriter>(path);
}

} // namespace kv::exporting
