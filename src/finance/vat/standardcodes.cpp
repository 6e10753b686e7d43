#include "finance/vat/standardcodes.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "editing/options/audittrail.h"
#include "finance/vat/vatboxes.h"
#include "finance/vat/vatcodelist.h"

namespace kv::finance {
namespace {

// Deletes the codes the query selects, each field kept in the trail.
void deleteCodes(db::Database &db, const QString &where, std::vector<options::AuditEntry> &trail)
{
    auto rs = db.OpenQuery(u"SELECT BTWCode FROM BTWcodering" + where);
    std::vector<int> codes;
    for (; !rs->Eof(); rs->MoveNext())
        codes.push_back(rs->value(u"BTWCode").toInt());
    auto table = db.OpenTable(QStringLiteral("BTWcodering"));
    table->setIndex(QStringLiteral("PrimaryKey"));
    for (int code : codes) {
        table->Seek(u"=", code);
        if (table->NoMatch())
            continue;
        for (int field = 0; field < table->FieldCount(); ++field)
            trail.push_back({options::TrailDatabase.toString(), trailName(code, table->FieldName(field)),
                             options::logText(table->value(field)), QVariant()});
        table->Delete();
    }
}

void addCode(db::Database &db, const StandardVatCode &v, bool shifted, std::vector<options::AuditEntry> &trail)
{
    int code = v.code;
    if (code == 0) { // the highest + 1, taken afresh for each
        db::Statement highest = db.prepare(QStringLiteral("SELECT MAX(BTWCode) FROM BTWcodering"));
        code = highest.step() ? highest.column(0).toInt() + 1 : 1;
    }
    const std::vector<std::pair<QString, QVariant>> values{
        {QStringLiteral("BTWCode"), code},
        {QStringLiteral("Omschrijving"), v.omschrijving.toString()},
        {QStringLiteral("BTWPercentage"), v.percentage},
        {QStringLiteral("InEx"), v.exclusief},
        {QStringLiteral("BTWRubriek"), v.rubriek},
        {QStringLiteral("BTWGrondslag"), v.grondslag},
        {QStringLiteral("BTWType"), v.type},
        {QStringLiteral("BTWPercentageVrij"), v.type == VrijTarief},
        {QStringLiteral("Invisible"), false},
        {QStringLiteral("BTWverlegd"), shifted},
        {QStringLiteral("grootboekreknrinkoop"), QString()},
        {QStringLiteral("grootboekreknrverkoop"), QString()},
        {QStringLiteral("grootboekreknrkorting"), QString()},
        {QStringLiteral("DatumVanaf"), QString()},
        {QStringLiteral("DatumTotEnMet"), QString()},
        {QStringLiteral("BTWCodeExtern"), code},
        {QStringLiteral("SortNr"), 99},
    };
    auto rs = db.OpenTable(QStringLiteral("BTWcodering"));
    rs->AddNew();
    for (const auto &[field, value] : values) {
        rs->setValue(field, value);
        trail.push_back({options::TrailDatabase.toString(), trailName(code, field), QVariant(), options::logText(value)});
    }
    rs->Update();
}

// Whether a code as the extended code describes it is there already.
bool present(db::Database &db, const StandardVatCode &v)
{
    QString sql = QStringLiteral("SELECT 1 FROM BTWcodering WHERE BTWRubriek = ? AND BTWGrondslag = ?");
    if (!v.mustContain.isEmpty())
        sql += QStringLiteral(" AND instr(lower(Omschrijving), lower(?)) > 0");
    db::Statement found = db.prepare(sql + QStringLiteral(" LIMIT 1"));
    found.bind(1, v.rubriek);
    found.bind(2, v.grondslag);
    if (!v.mustContain.isEmpty())
        found.bind(3, v.mustContain.toString());
    return found.step();
}

} // namespace

void alignVatCodes(Context &ctx, bool liable, bool extended, std::vector<options::AuditEntry> &trail)
{
    db::Database &db = ctx.session->DBAdmin();
    if (!liable) {
        deleteCodes(db, {}, trail);
        return;
    }
    if (!db.hasRows(QStringLiteral("BTWcodering")))
        for (const StandardVatCode &v : standardVatCodes())
            addCode(db, v, false, trail);
    if (!extended) {
        deleteCodes(db, QStringLiteral(" WHERE BTWverlegd <> 0"), trail);
        return;
    }
    for (const StandardVatCode &v : extendedVatCodes())
        if (!present(db, v))
            addCode(db, v, true, trail);
}

} // namespace kv::finance
