#include "finance/vat/vatcodelist.h"

#include "core/context.h"
#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/dialogs.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/busycursor.h"
#include "editing/listdetail/listlogic.h"
#include "editing/options/audittrail.h"
#include "editing/options/undo.h"
#include "finance/vat/vatboxes.h"


namespace kv::finance {
namespace {

const QString kTable = QStringLiteral("BTWcodering");

} // namespace

// How the trail names a field of a VAT code: BTWcodering[6].Omschrijving.
QString trailName(int code, QStringView field)
{
    return QStringLiteral("BTWcodering[%1].%2").arg(code).arg(field);
}

namespace {

// The VAT codes on their key, to seek, change and delete through record locks.
std::unique_ptr<db::Recordset> codes(db::Database &db)
{
    auto rs = db.OpenTable(kTable);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    return rs;
}

VatCodeRow listRow(Context &ctx, db::Recordset &rs, int position)
{
    VatCodeRow row;
    row.code = rs.value(u"BTWCode").toInt();
    const QString percentage = percentageText(ctx, rs.value(u"BTWPercentage"));
    const bool zero = FormatBedrag(ctx.separators, rs.value(u"BTWPercentage")) == FormatBedrag(ctx.separators, 0);
    const QString basis = zero ? QString()
                        : rs.value(u"InEx").toBool() ? QStringLiteral("exclusief BTW")
                                                     : QStringLiteral("inclusief BTW");
    row.cells = {QString::number(position),
                 percentage,
                 basis,
                 rs.text(u"Omschrijving"),
                 rs.isNull(u"BTWRubriek") ? QString() : rubricBox(rs.value(u"BTWRubriek").toInt()),
                 rs.isNull(u"BTWGrondslag") ? QString() : basisBox(rs.value(u"BTWGrondslag").toInt()),
                 QString::number(row.code)};
    const bool noPurchase = rs.text(u"grootboekreknrinkoop").trimmed().isEmpty();
    const bool noSales = rs.text(u"grootboekreknrverkoop").trimmed().isEmpty();
    const bool noDiscount = rs.text(u"grootboekreknrkorting").trimmed().isEmpty();
    if ((noPurchase && noSales && noDiscount) || (noDiscount && !noSales))
        row.icon = VatCodeRow::Icon::Incomplete;
    else if (rs.value(u"BTWType").toInt() == Inactief)
        row.icon = VatCodeRow::Icon::Inactive;
    row.hidden = rs.value(u"Invisible").toBool();
    return row;
}

} // namespace

QString percentageText(Context &ctx, const QVariant &percentage)
{
    QString text = FormatBedrag(ctx.separators, percentage);
    if (const QString noCents = ctx.separators.DecimaalTeken + QStringLiteral("00"); text.endsWith(noCents))
        text.chop(noCents.size());
    return text.trimmed().isEmpty() ? text : text + u'%';
}

VatCodeList::VatCodeList(Context &ctx) : m_ctx(ctx)
{
    refresh();
}

void VatCodeList::refresh()
{
    m_rows.clear();
    tryOperation(m_ctx, VatScreen + u": Vernieuwen", [&] {
        auto rs = m_ctx.session->DBAdmin().OpenQuery(u"SELECT * FROM " + kTable + u" ORDER BY SortNr, BTWCode");
        for (; !rs->Eof(); rs->MoveNext())
            m_rows.push_back(listRow(m_ctx, *rs, int(m_rows.size()) + 1));
    });
}

int VatCodeList::rowOf(int code) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].code == code)
            return int(i);
    return -1;
}

int VatCodeList::move(int row, int step)
{
    const int other = row + step;
    if (row < 0 || other < 0 || row >= int(m_rows.size()) || other >= int(m_rows.size()))
        return row;
    std::vector<int> order;
    for (const VatCodeRow &r : m_rows)
        order.push_back(r.code);
    std::swap(order[size_t(row)], order[size_t(other)]);
    tryOperation(m_ctx, VatScreen + u": Verplaatsen", [&] {
        db::Database &db = m_ctx.session->DBAdmin();
        db.write([&] {
            std::vector<options::AuditEntry> entries;
            auto rs = codes(db);
            for (size_t i = 0; i < order.size(); ++i) {
                rs->Seek(u"=", order[i]);
                if (rs->NoMatch() || rs->value(u"SortNr") == QVariant(int(i) + 1))
                    continue;
                const QVariant before = rs->value(u"SortNr");
                rs->Edit();
                rs->setValue(u"SortNr", int(i) + 1);
                rs->Update();
                entries.push_back({options::TrailDatabase.toString(), trailName(order[i], u"SortNr"),
                                   options::logText(before), QString::number(i + 1)});
            }
            if (!entries.empty())
                options::recordSave(m_ctx, VatScreen.toString(), entries);
        });
    });
    refresh();
    return rowOf(order[size_t(other)]);
}

// The first place that uses the code, in the order of the tests; "" when none does. Each test
// asks for one row.
QString VatCodeList::usedBy(int code)
{
    auto any = [&](const QString &sql, db::Database &db) {
        db::Statement query = db.prepare(sql);
        query.bind(1, code);
        return query.step() ? std::optional(query.column(0)) : std::nullopt;
    };
    db::Database &main = m_ctx.session->DBAdmin();
    if (any(QStringLiteral("SELECT 1 FROM Artikelen WHERE BTWCode = ? LIMIT 1"), main))
        return QStringLiteral("Artikelen");
    if (any(QStringLiteral("SELECT 1 FROM RekeningSchema WHERE BTWCode = ? LIMIT 1"), main))
        return QStringLiteral("RekeningSchema");
    // Only the first order line with the code counts, and only when it is an order line proper.
    if (const auto kind = any(QStringLiteral("SELECT RecordCode FROM Ordergegevens WHERE BTWCode = ? ORDER BY rowid LIMIT 1"), main);
        kind && kind->toInt() == 1)
        return QStringLiteral("Ordergegevens");
    if (any(QStringLiteral("SELECT 1 FROM FaktuurHistorie WHERE BTWCode = ? LIMIT 1"), m_ctx.session->DBArchief()))
        return QStringLiteral("FaktuurHistorie");
    if (any(QStringLiteral("SELECT 1 FROM GrootboekMutaties WHERE BTWCode = ? LIMIT 1"), main))
        return QStringLiteral("GrootboekMutaties");
    return {};
}

bool VatCodeList::undoLast()
{
    bool undone = false;
    tryOperation(m_ctx, VatScreen + u": Ongedaan maken",
                 [&] { undone = options::undoLastSave(m_ctx, VatScreen.toString(), [](const QString &file) { return file; }); });
    refresh();
    return undone;
}

bool VatCodeList::remove(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    const VatCodeRow &chosen = m_rows[size_t(row)];
    const QString question = u"Weet u zeker dat u de geselecteerde BTW codering (" + chosen.cells[0]
                           + u") wilt verwijderen?\n\n" + listdetail::GekoppeldeInformatie;
    if (m_ctx.dialogs->MsgBox(question, mb::YesNo | mb::Question) != mb::Yes)
        return false;
    const int code = chosen.code;
    bool used = false, deleted = false;
    tryOperation(m_ctx, VatScreen + u": Verwijderen", [&] {
        const BusyCursor busy;
        db::Database &db = m_ctx.session->DBAdmin();
        db.write([&] { // no program can start using the code in this file between the tests and the delete
            used = !usedBy(code).isEmpty();
            if (used)
                return;
            auto rs = codes(db);
            rs->Seek(u"=", code);
            if (rs->NoMatch())
                return; // another program deleted it
            std::vector<options::AuditEntry> entries;
            for (int field = 0; field < rs->FieldCount(); ++field)
                entries.push_back({options::TrailDatabase.toString(), trailName(code, rs->FieldName(field)),
                                   options::logText(rs->value(field)), QVariant()});
            rs->Delete();
            options::recordSave(m_ctx, VatScreen.toString(), entries);
            deleted = true;
        });
    });
    if (used)
        m_ctx.dialogs->MsgBox(QStringLiteral("Deze BTW-codering is reeds binnen uw administratie gebruikt.\n\n"
                                             "Het is daarom niet mogelijk om deze te verwijderen."),
                              mb::Exclamation);
    refresh();
    return deleted;
}

} // namespace kv::finance
