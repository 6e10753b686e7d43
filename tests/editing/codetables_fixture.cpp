#include "codetables_fixture.h"

#include "core/db/database.h"
#include "core/navigation/menutables.h"
#include "core/registry/registry.h"

namespace kv::test {

QStringList menuCodeTables()
{
    QStringList tables;
    for (const nav::MenuSection &section : nav::menuSections())
        for (const nav::MenuRow &row : section.rows)
            if (!row.opens.table.isEmpty())
                tables << row.opens.table.toString();
    for (QStringView key : {u"tabelfgartikelsoort", u"frmfourage_diergroepen"})
        tables << nav::screenFor(key)->table.toString();
    return tables;
}

CodeTableTest::CodeTableTest() : registry(dir.filePath(QStringLiteral("reg.reg")))
{
    EXPECT_TRUE(session.OpenAdministratie(admin.dataPad()));
    registry.createKey(RegKeyKorvenal);
    ctx.DataPad = admin.dataPad();
    ctx.session = &session;
    ctx.registry = &registry;
    ctx.dialogs = &dialogs;
}

void CodeTableTest::put(const QString &table, const std::vector<Stored> &records)
{
    auto rs = session.DBAdmin().OpenTable(table);
    for (const Stored &r : records) {
        rs->AddNew();
        rs->setValue(u"CodeNr", r.codeNr);
        rs->setValue(u"Omschrijving", r.text);
        rs->setValue(u"Selected", r.selected);
        rs->setValue(u"RecordCode", r.recordCode);
        rs->Update();
    }
}

std::vector<Stored> CodeTableTest::stored(const QString &table)
{
    std::vector<Stored> out;
    auto rs = session.DBAdmin().OpenTable(table);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out.push_back({rs->value(u"CodeNr").toInt(), rs->text(u"Omschrijving"), rs->value(u"Selected").toBool(),
                       rs->value(u"RecordCode").toInt()});
    return out;
}

codetables::HulpList CodeTableTest::open(const QString &table)
{
    ctx.EditKey = table;
    return codetables::HulpList(ctx);
}

} // namespace kv::test
