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
    if (!m_unknown) // in the import's temp folder, put on disk whole when the import is complete
        m_unknown = db::Database::create(QDir(m_folder).filePath(UnknownDatabaseName.toString()), m_password,
                                         std::vector<schema::Table>{}, db::Durability::AtTheEnd);
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

// Where a source table's columns go: the schema's table of that name (when its database is
// being made) and, for what that table lacks, the side database beside the row's key fields.
struct Importer::Plan {
    QString name;
    db::Database *target = nullptr;
    std::vector<int> keys; // source positions of the PrimaryKey fields
    std::unique_ptr<Columns> into, side;
};

Importer::Plan Importer::plan(const SourceTable &table)
{
    Plan plan;
    const schema::Table *layout = schema::findTable(table.name);
    if (const auto database = layout ? m_databases.find(layout->db) : m_databases.end(); database != m_databases.end())
        plan.target = database->second;
    plan.name = plan.target ? QString::fromUtf8(layout->name) : table.name;
    std::vector<int> all, aside;
    for (int c = 0; c < int(table.columns.size()); ++c)
        all.push_back(c);
    if (plan.target) {
        plan.into = std::make_unique<Columns>(*plan.target, plan.name, table, all);
        for (const schema::Index &index : layout->indexes)
            for (const char *field : index.primary ? index.fields : std::vector<const char *>{})
                for (int c : all)
                    if (table.columns[size_t(c)].name.compare(QLatin1StringView(field), Qt::CaseInsensitive) == 0)
                        plan.keys.push_back(c);
        for (int c : all)
            if (std::none_of(plan.into->columns.begin(), plan.into->columns.end(), [c](const auto &m) { return m.source == c; })) {
                aside.push_back(c);
                m_report.add(u"%1, kolom %2: niet in het schema; bewaard in %3, tabel %1"_s.arg(
                    plan.name, table.columns[size_t(c)].name, UnknownDatabaseName));
            }
        if (!aside.empty())
            aside.insert(aside.begin(), plan.keys.begin(), plan.keys.end());
    } else {
        aside = all;
    }
    if (!aside.empty()) {
        std::vector<SourceColumn> columns;
        for (int c : aside)
            columns.push_back(table.columns[size_t(c)]);
        plan.side = std::make_unique<Columns>(unknownDatabase(), unknownTable(plan.name, columns), table, aside);
    }
    return plan;
}

bool Importer::insert(const Plan &plan, Columns &to, const SourceTable &table, const Row &row, qint64 number)
{
    const auto keyText = [&] {
        QStringList parts;
        for (int c : plan.keys)
            parts << shownValue(table.columns[size_t(c)], row[size_t(c)]);
        return parts.isEmpty() ? u"rij %1"_s.arg(number) : parts.join(u'/');
    };
    to.table->AddNew();
    for (const auto &column : to.columns) {
        const SourceColumn &from = table.columns[size_t(column.source)];
        const Converted converted = convertValue(from, column.field, row[size_t(column.source)]);
        if (!converted.problem.isEmpty())
            m_report.add(u"%1, sleutel %2, veld %3: '%4' niet overgezet: %5"_s.arg(
                plan.name, keyText(), from.name, shownValue(from, row[size_t(column.source)]), converted.problem));
        else if (!converted.value.isNull())
            to.table->setValue(column.field.name, converted.value);
    }
    try {
        to.table->Update();
        return true;
    } catch (const db::DbError &e) {
        to.table->CancelUpdate();
        m_report.add(u"%1, sleutel %2: rij niet overgezet: %3"_s.arg(plan.name, keyText(), e.description()));
        return false;
    }
}

bool Importer::copyTable(SourceReader &source, const SourceTable &table)
{
    const Plan plan = this->plan(table);
    TableCount count{plan.name, 0, 0, plan.target == nullptr};
    if (m_progress)
        m_progress->step(u"Importeren %1 (%2 rijen)"_s.arg(plan.name).arg(table.rows));
    bool stopped = false;
    std::vector<db::Database *> writing;
    if (plan.target)
        writing.push_back(plan.target);
    if (plan.side)
        writing.push_back(&unknownDatabase());
    for (db::Database *db : writing)
        db->BeginTrans(); // the import's folder is thrown away when it fails: one transaction per table suffices
    try {
        source.read(table, [&](const Row &row) {
            ++count.read;
            const bool written = insert(plan, plan.into ? *plan.into : *plan.side, table, row, count.read);
            if (plan.into && plan.side)
                insert(plan, *plan.side, table, row, count.read);
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
    if (!plan.target)
        m_report.add(u"%1: tabel niet in het schema; %2 rijen bewaard in %3"_s.arg(plan.name).arg(count.written).arg(UnknownDatabaseName));
    m_counts.push_back(count);
    return !stopped && !(m_progress && m_progress->stopRequested());
}

} // namespace kv::migration
