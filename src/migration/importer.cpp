#include "migration/importer.h"

#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/recordset.h"
#include "core/jobs/progress.h"
#include "migration/conversion.h"

#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace kv::migration {

void Report::add(const QString &line)
{
    m_lines << line;
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

// Where the columns of a source row go: a field of a table, by the row's position.
struct Importer::Columns {
    struct Column {
        int source;
        db::ColumnInfo field;
    };
    std::vector<Column> columns;
    std::unique_ptr<db::Recordset> table;

    Columns(db::Database &db, const QString &name, const SourceTable &from, const std::vector<int> &wanted)
        : table(db.OpenTable(name))
    {
        const db::TableInfo &info = db.table(name);
        for (int position : wanted)
            if (const int field = info.column(from.columns[size_t(position)].name); field >= 0)
                columns.push_back({position, info.columns[size_t(field)]});
    }
};

Importer::Importer(std::map<schema::Db, db::Database *> databases, QString folder, QString password, Report &report,
                   Progress *progress)
    : m_databases(std::move(databases)), m_folder(std::move(folder)), m_password(std::move(password)), m_report(report),
      m_progress(progress)
{
}

Importer::~Importer() = default;

bool Importer::copy(SourceReader &source)
{
    for (const SourceTable &table : source.tables())
        if (!copyTable(source, table))
            return false;
    return true;
}

db::Database &Importer::unknownDatabase()
{
    if (!m_unknown)
        m_unknown = db::Database::create(QDir(m_folder).filePath(UnknownDatabaseName.toString()), m_password,
                                         std::vector<schema::Table>{});
    return *m_unknown;
}

// A table of the side database with `columns` as the source types them.
QString Importer::unknownTable(const QString &name, const std::vector<SourceColumn> &columns)
{
    schema::Table layout{m_names.emplace_back(name.toUtf8()).constData(), schema::Db::Main, {}, {}};
    for (const SourceColumn &column : columns)
        layout.fields.push_back({m_names.emplace_back(column.name.toUtf8()).constData(), column.type, column.size});
    unknownDatabase().completeTable(layout);
    return name;
}

bool Importer::copyTable(SourceReader &source, const SourceTable &table)
{
    const schema::Table *layout = schema::findTable(table.name);
    const auto database = layout ? m_databases.find(layout->db) : m_databases.end();
    db::Database *target = database != m_databases.end() ? database->second : nullptr;
    const QString name = target ? QString::fromUtf8(layout->name) : table.name;
    TableCount count{name, 0, 0, target == nullptr};

    std::vector<int> all, known, keys, aside;
    for (int c = 0; c < int(table.columns.size()); ++c)
        all.push_back(c);
    std::unique_ptr<Columns> into, side;
    if (target) {
        into = std::make_unique<Columns>(*target, name, table, all);
        for (const schema::Index &index : layout->indexes)
            if (index.primary)
                for (const char *field : index.fields)
                    for (int c : all)
                        if (table.columns[size_t(c)].name.compare(QLatin1StringView(field), Qt::CaseInsensitive) == 0)
                            keys.push_back(c);
        aside = keys;
        for (int c : all)
            if (std::none_of(into->columns.begin(), into->columns.end(), [c](const auto &m) { return m.source == c; })) {
                aside.push_back(c);
                m_report.add(u"%1, kolom %2: niet in het schema; bewaard in %3, tabel %1"_s.arg(
                    name, table.columns[size_t(c)].name, UnknownDatabaseName));
            }
        if (aside.size() == keys.size())
            aside.clear();
    } else {
        aside = all;
    }
    if (!aside.empty()) {
        std::vector<SourceColumn> columns;
        for (int c : aside)
            columns.push_back(table.columns[size_t(c)]);
        side = std::make_unique<Columns>(unknownDatabase(), unknownTable(name, columns), table, aside);
    }

    const auto keyText = [&](const Row &row) {
        QStringList parts;
        for (int c : keys)
            parts << shownValue(table.columns[size_t(c)], row[size_t(c)]);
        return parts.isEmpty() ? u"rij %1"_s.arg(count.read) : parts.join(u'/');
    };
    const auto insert = [&](Columns &to, const Row &row) {
        to.table->AddNew();
        for (const auto &column : to.columns) {
            const SourceColumn &from = table.columns[size_t(column.source)];
            const Converted converted = convertValue(from, column.field, row[size_t(column.source)]);
            if (!converted.problem.isEmpty())
                m_report.add(u"%1, sleutel %2, veld %3: '%4' niet overgezet: %5"_s.arg(
                    name, keyText(row), from.name, shownValue(from, row[size_t(column.source)]), converted.problem));
            else if (!converted.value.isNull())
                to.table->setValue(column.field.name, converted.value);
        }
        try {
            to.table->Update();
            return true;
        } catch (const db::DbError &e) {
            to.table->CancelUpdate();
            m_report.add(u"%1, sleutel %2: rij niet overgezet: %3"_s.arg(name, keyText(row), e.description()));
            return false;
        }
    };

    if (m_progress)
        m_progress->step(u"Importeren %1 (%2 rijen)"_s.arg(name).arg(table.rows));
    bool stopped = false;
    std::vector<db::Database *> writing;
    if (target)
        writing.push_back(target);
    if (side)
        writing.push_back(&unknownDatabase());
    for (db::Database *db : writing)
        db->BeginTrans(); // the import's folder is thrown away when it fails: one transaction per table suffices
    try {
        source.read(table, [&](const Row &row) {
            ++count.read;
            const bool written = into ? insert(*into, row) : insert(*side, row);
            if (into && side)
                insert(*side, row);
            count.written += written;
            if (m_progress && count.read % 256 == 0) {
                m_progress->percent(int(std::min<qint64>(100, count.read * 100 / std::max<qint64>(1, table.rows))));
                stopped = m_progress->stopRequested();
            }
            return !stopped;
        });
        for (db::Database *db : writing)
            db->CommitTrans();
    } catch (...) {
        for (db::Database *db : writing)
            db->Rollback();
        throw;
    }
    if (m_progress)
        m_progress->percent(100);
    if (!target)
        m_report.add(u"%1: tabel niet in het schema; %2 rijen bewaard in %3"_s.arg(name).arg(count.written).arg(UnknownDatabaseName));
    m_counts.push_back(count);
    return !stopped && !(m_progress && m_progress->stopRequested());
}

} // namespace kv::migration
