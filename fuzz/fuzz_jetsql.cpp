// The Jet SQL translation: any text becomes a translation or a DbError, and whatever it accepts
// SQLite compiles against the administration's tables, or refuses with a DbError.
#include "core/db/database.h"
#include "core/db/dberror.h"
#include "core/db/jetsql.h"
#include "core/db/statement.h"
#include "fuzzing.h"


using namespace kv;

namespace {

// An empty administration file holding every table of the main database, made once.
db::Database &administration()
{
    static const std::unique_ptr<db::Database> made =
        db::Database::create(fuzz::scratchFolder() + QStringLiteral("KorvenalDB.sqlite"), QString(), schema::Db::Main);
    return *made;
}

// Compiles the statement without running it.
void compile(db::Database &database, const QString &sql)
{
    try {
        database.prepareOnce(sql);
    } catch (const db::DbError &) {
        // SQLite refused what the translation let through: the screen gets this error.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    db::Database &database = administration();
    db::TranslatedSql translated;
    try {
        translated = db::translateJetSql(fuzz::text(data, size));
    } catch (const db::DbError &error) {
        fuzz::require(error.number() != 0 && !error.description().isEmpty(), "a refusal says why", error.description());
        return 0;
    }
    compile(database, translated.sql);
    if (!translated.keysetSql.isEmpty()) {
        fuzz::require(!translated.table.isEmpty(), "a keyset names its table", translated.keysetSql);
        compile(database, translated.keysetSql);
    }
    return 0;
}
