#include "schema/tables.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace kv::schema {

// An archive table carries the fields and indexes of its working table: archiving copies a row
// field by field. The autonumber becomes a plain number, so the copy keeps the working row's value.
static Table archiveOf(const char *working, const char *name)
{
    for (const Table &table : archivedOrderTables()) {
        if (std::string_view(table.name) != working)
            continue;
        Table archive = table;
        archive.name = name;
        archive.db = Db::Archive;
        for (Field &field : archive.fields)
            if (field.type == Type::Counter)
                field.type = Type::Long;
        return archive;
    }
    throw std::logic_error(std::string("no working table ") + working);
}

const std::vector<ArchivePair> &orderArchivePairs()
{
    static const std::vector<ArchivePair> pairs = {
        {"Ordergegevens", "OrderGegevensArchief"},
        {"OrderGegevensBijgekocht", "OrderGegevensBijgekochtArchief"},
        {"OrderGegevensKwaliteit", "OrderGegevensKwaliteitArchief"},
        {"OrderGegevensMeta", "OrderGegevensMetaArchief"},
        {"OrderLogistiek", "OrderLogistiekArchief"},
        {"OrderNotitie", "OrderNotitieArchief"},
    };
    return pairs;
}

void addArchiveTables(std::vector<Table> &out)
{
    // Invoices of earlier years.
    Table history = numbered("FaktuurHistorie", {relNr(), invoiceNr(), dateText("FactuurDatum"), vatCode()},
                             {byRelNr()});
    history.db = Db::Archive;
    out.push_back(history);

    for (const auto &[working, archive] : orderArchivePairs())
        out.push_back(archiveOf(working, archive));

    // Work that has reached one file and not yet the other: the two files commit apart, so a
    // run that stops between them leaves its group marked here (orders copied to the archive
    // and not yet deleted; relations deleted whose invoice history is not), and the next run
    // finishes it first. The console's own table, in both files.
    for (const Db db : {Db::Main, Db::Archive}) {
        Table markers = numbered("OnderhoudLopend", {text("Taak", 20), text("Sleutel", 50), text("Tijdstip", 14), text("Werkstation", 50)},
                                 {index("Sleutel", {"Sleutel"})});
        markers.db = db;
        markers.own = true;
        out.push_back(markers);
    }
}

} // namespace kv::schema
