#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace kv {
class Context;
}

namespace kv::exporting {

// Writes the rows of one list to a file, the column headers first; nothing is kept per row
// beyond what the file format needs.
class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    // False when the file cannot be written; `error()` tells why.
    virtual bool row(const QStringList &cells) = 0;
    // Completes the file; false when that fails.
    virtual bool close() = 0;
    const QString &error() const { return m_error; }

protected:
    QString m_error;
};

enum class SheetFormat { Xlsx, Csv };

// The format a file name asks for by its extension (any case); nothing for another one.
std::optional<SheetFormat> formatOf(const QString &fileName);

// An .xlsx workbook with the one sheet "Resultaat", cells typed as `classify` reads them.
std::unique_ptr<SheetWriter> xlsxWriter(const Context &ctx, const QString &path);
// A CSV file as a Dutch spreadsheet opens it: UTF-8 with a byte order mark, ";" between
// cells, CR LF after each row, the texts as shown.
std::unique_ptr<SheetWriter> csvWriter(const QString &path);

} // namespace kv::exporting
