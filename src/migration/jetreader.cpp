#include "migration/jetreader.h"

#include "core/db/database.h"

#include <QDateTime>
#include <QFile>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <unistd.h>

#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace kv::migration {
namespace {

using schema::Type;

// Room for one bound value: a memo's text in UTF-8 (Access keeps at most 65,535 characters
// typed in, and a character takes at most four bytes).
constexpr int BindSize = 65536 * 4;

// A Jet date counts days from 30 December 1899; the fraction is the time of day, also for
// days before that date (-1.25 is 29 December 1899, 6:00).
QDateTime jetDate(double value)
{
    const double day = std::trunc(value);
    const qint64 seconds = std::llround(std::fabs(value - day) * 86400.0);
    return QDateTime(QDate(1899, 12, 30).addDays(qint64(day)), QTime(0, 0)).addSecs(seconds);
}

SourceColumn columnOf(MdbHandle *mdb, const MdbColumn &col)
{
    SourceColumn column{QString::fromUtf8(col.name)};
    switch (col.col_type) {
    case MDB_BOOL: column.type = Type::YesNo; break;
    case MDB_BYTE: column.type = Type::Byte; break;
    case MDB_INT: column.type = Type::Integer; break;
    case MDB_LONGINT: column.type = col.is_long_auto ? Type::Counter : Type::Long; break;
    case MDB_COMPLEX: column.type = Type::Long; break;
    case MDB_MONEY: column.type = Type::Currency; break;
    case MDB_FLOAT: column.type = Type::Single; break;
    case MDB_DOUBLE:
    case MDB_NUMERIC: column.type = Type::Double; break;
    case MDB_DATETIME: column.type = Type::DateTime; break;
    case MDB_BINARY:
    case MDB_OLE: column.type = Type::Binary; break;
    case MDB_MEMO: column.type = Type::Memo; break;
    case MDB_REPID: column.size = 38; break; // {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}
    default: // MDB_TEXT: Jet 4 counts its length in bytes of UCS-2
        column.size = mdb->f->jet_version == MDB_VER_JET3 ? col.col_size : col.col_size / 2;
        break;
    }
    return column;
}

// The types whose value libmdb turns into text for us (a code page, a GUID, a scaled decimal,
// Yes/No from the row's null bits, an OLE object's pages). Every other value is taken from the
// row's bytes, and libmdb does not print it.
bool readAsText(int type)
{
    return type == MDB_TEXT || type == MDB_MEMO || type == MDB_REPID || type == MDB_NUMERIC || type == MDB_BOOL
        || type == MDB_OLE;
}

QVariant valueOf(MdbHandle *mdb, MdbColumn *col, const char *bound, int length)
{
    const unsigned char *row = mdb->pg_buf;
    const int start = col->cur_value_start;
    switch (col->col_type) {
    case MDB_BOOL: return length > 0 && bound[0] == '1';
    case MDB_BYTE: return qint64(mdb_get_byte(mdb->pg_buf, start));
    case MDB_INT: return qint64(qint16(mdb_get_int16(mdb->pg_buf, start)));
    case MDB_LONGINT:
    case MDB_COMPLEX: return qint64(qint32(mdb_get_int32(mdb->pg_buf, start)));
    case MDB_NUMERIC: return QByteArray(bound, length).toDouble();
    case MDB_MONEY: {
        qint64 units = 0;
        std::memcpy(&units, row + start, sizeof units); // little-endian, as the file and this machine are
        return units;
    }
    case MDB_FLOAT: // a Single holds seven digits: the decimal the user typed, not its binary fraction
        return QString::number(double(mdb_get_single(mdb->pg_buf, start)), 'g', 7).toDouble();
    case MDB_DOUBLE: return mdb_get_double(mdb->pg_buf, start);
    case MDB_DATETIME: return jetDate(mdb_get_double(mdb->pg_buf, start));
    case MDB_BINARY: return QByteArray(reinterpret_cast<const char *>(row + start), col->cur_value_len);
    case MDB_OLE: {
        size_t size = 0;
        void *bytes = mdb_ole_read_full(mdb, col, &size);
        const QByteArray value(static_cast<const char *>(bytes), qsizetype(size));
        std::free(bytes);
        return value;
    }
    default: return QString::fromUtf8(bound, length);
    }
}

QString damaged(const QString &path)
{
    return u"%1 kan niet worden gelezen: het bestand is beschadigd."_s.arg(path);
}

// The line a fault or a stall inside libmdb ends the process with, made before libmdb runs: a
// signal handler may only write what is ready.
char g_line[4096];
size_t g_lineLength = 0;
std::atomic<bool> g_inside = false;
std::atomic<quint64> g_calls = 0;

[[noreturn]] void endReading()
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, g_line, g_lineLength);
    ::_exit(2);
}

void onFault(int signal)
{
    if (g_inside)
        endReading();
    std::signal(signal, SIG_DFL); // a fault of our own: as it would have been
    std::raise(signal);
}

// Ends the process when one call into libmdb has lasted a whole round: a call still running
// that started before the last look.
[[noreturn]] void guard(std::chrono::seconds round)
{
    for (quint64 seen = g_calls;; seen = g_calls) {
        std::this_thread::sleep_for(round);
        if (g_inside && g_calls == seen)
            endReading();
    }
}

// libmdb trusts the file it reads: a damaged page can make it read outside its memory or follow
// a chain of pages round for ever. Each call into it goes through `during`; a fault there, or one
// call that lasts $BEHEER_IMPORT_STALL seconds (a minute when unset; noticed within twice that),
// ends the process at once with exit code 2 and the line naming the file, as the import ends on
// any unreadable source. The import's hidden temp folder is left for its next run on this
// workstation to remove.
class Watch {
public:
    explicit Watch(const QString &path)
    {
        const QByteArray line = damaged(path).toLocal8Bit().left(sizeof g_line - 1) + '\n';
        std::memcpy(g_line, line.constData(), size_t(line.size()));
        g_lineLength = size_t(line.size());
        static std::once_flag started;
        std::call_once(started, [] {
            for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
                std::signal(signal, onFault);
            const int stall = qEnvironmentVariableIntValue("BEHEER_IMPORT_STALL");
            std::thread(guard, std::chrono::seconds(stall > 0 ? stall : 60)).detach();
        });
    }

    template <typename F>
    auto during(F &&call)
    {
        ++g_calls;
        g_inside = true;
        struct Leave {
            ~Leave() { g_inside = false; }
        } leave;
        return call();
    }
};

} // namespace

struct JetReader::Handle {
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

JetReader::JetReader(const QString &path) : m_path(path), m_handle(std::make_unique<Handle>())
{
    if (!db::isAccessDatabase(path))
        throw SourceError{u"%1 is geen Access-database."_s.arg(path)};
    Watch watch(path);
    const bool opened = watch.during([&] {
        m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS); // read-only
        return m_handle->mdb && mdb_read_catalog(m_handle->mdb, MDB_TABLE);
    });
    if (!opened)
        throw SourceError{damaged(path)};
    mdb_set_bind_size(m_handle->mdb, BindSize);
    mdb_set_boolean_fmt_numbers(m_handle->mdb);
}

JetReader::~JetReader() = default;

std::vector<SourceTable> JetReader::tables()
{
    Watch watch(m_path);
    return watch.during([&] {
        MdbHandle *mdb = m_handle->mdb;
        std::vector<SourceTable> result;
        for (guint i = 0; i < mdb->catalog->len; ++i) {
            auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (!mdb_is_user_table(entry))
                continue;
            MdbTableDef *table = mdb_read_table(entry);
            if (!table || !mdb_read_columns(table))
                throw SourceError{u"%1: de tabel %2 is beschadigd."_s.arg(m_path, QString::fromUtf8(entry->object_name))};
            SourceTable source{QString::fromUtf8(entry->object_name), {}, qint64(table->num_rows)};
            for (guint c = 0; c < table->num_cols; ++c)
                source.columns.push_back(columnOf(mdb, *static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c))));
            mdb_free_tabledef(table);
            result.push_back(std::move(source));
        }
        return result;
    });
}

void JetReader::read(const SourceTable &source, const std::function<bool(const Row &)> &visit)
{
    Watch watch(m_path);
    MdbHandle *mdb = m_handle->mdb;
    QByteArray name = source.name.toUtf8();
    MdbTableDef *table = watch.during([&] {
        MdbTableDef *found = mdb_read_table_by_name(mdb, name.data(), MDB_TABLE);
        if (found && mdb_read_columns(found) && mdb_rewind_table(found) == 0)
            return found;
        if (found)
            mdb_free_tabledef(found);
        throw SourceError{u"%1: de tabel %2 is beschadigd."_s.arg(m_path, source.name)};
    });
    const guint columns = table->num_cols;
    std::vector<QByteArray> bound(columns);
    std::vector<int> lengths(columns, 0);
    for (guint c = 0; c < columns; ++c) {
        const int type = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c))->col_type;
        if (!readAsText(type))
            continue;
        // Only a memo's text is long: any other value fits a few kilobytes (255 characters of text at most).
        bound[c] = QByteArray(type == MDB_MEMO || type == MDB_OLE ? BindSize : 4096, Qt::Uninitialized);
        mdb_bind_column(table, int(c + 1), bound[c].data(), &lengths[c]);
    }
    Row row(columns);
    const auto fetch = [&] {
        if (!mdb_fetch_row(table))
            return false;
        for (guint c = 0; c < columns; ++c) {
            auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
            // A Null has no bytes; a Yes/No is never Null.
            const int length = bound[c].isNull() ? col->cur_value_len : lengths[c];
            row[c] = length == 0 && col->col_type != MDB_BOOL ? QVariant() : valueOf(mdb, col, bound[c].constData(), length);
        }
        return true;
    };
    while (watch.during(fetch))
        if (!visit(row))
            break;
    mdb_free_tabledef(table);
}

} // namespace kv::migration
