#include "export/sheetwriter.h"

#include <QFile>
#include <QStringEncoder>

#include <algorithm>

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
        // Encoded into one buffer that keeps its size from row to row (at most three bytes a character).
        m_bytes.resize(m_line.size() * 3);
        const qsizetype length = m_encoder.appendToBuffer(m_bytes.data(), m_line) - m_bytes.data();
        if (m_file.write(m_bytes.constData(), length) < 0)
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
        const auto special = [](QChar c) { return c == u';' || c == u'"' || c == u'\n' || c == u'\r'; };
        if (std::none_of(cell.begin(), cell.end(), special)) {
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
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    QByteArray m_bytes;
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
