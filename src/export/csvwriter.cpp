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
        QString line;
        for (qsizetype column = 0; column < cells.size(); ++column)
            line += (column ? u";"_s : QString()) + quoted(cells[column]);
        line += u"\r\n"_s;
        if (m_file.write(line.toUtf8()) < 0)
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
    static QString quoted(const QString &cell)
    {
        if (!cell.contains(u';') && !cell.contains(u'"') && !cell.contains(u'\n') && !cell.contains(u'\r'))
            return cell;
        QString doubled = cell;
        return u'"' + doubled.replace(u"\""_s, u"\"\""_s) + u'"';
    }

    QFile m_file;
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
