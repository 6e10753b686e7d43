#include "schema/tables.h"

namespace kv::schema {

void addRelationTables(std::vector<Table> &out)
{
    // Customers and suppliers. RelSoort: 0 customer, 1 supplier, 2 both, 3 prospect; RecordCode 9
    // marks a relation for deletion; relation "9" is the counter-sale customer. BankNr holds the
    // IBAN. The payment defaults are those the console proposes for new debtors and creditors.
    out.push_back({"RelatieGegevens", Db::Main, {
        relNr(), integer("RelSoort"), integer("RecordCode"),
        text("Bedrijfsnaam1", 100), text("Bedrijfsnaam2", 100), text("BedrijfsContact", 50),
        text("BedrijfsAdres", 50), text("BedrijfsHuisNr", 10), text("BedrijfsPostcode", 10),
        text("BedrijfsWoonplaats", 50), codeRef("Bedrijfslandcode"),
        text("TelefoonNr", 20), text("MobielNr", 20), text("Faxnr", 20),
        text("Email", 100), text("Website", 100),
        text("KvKNr", 20), text("BTWNr", 20),
        bankAccount("BankNr"), text("BIC", 11), bankAccount("PostbankNr"),
        currency("Limiet"), currency("Saldo"),
        integer("Betaaldagen"), codeRef("Betaalwijze"), codeRef("Betalingsconditie"), codeRef("Factuursoort"),
    }, {primaryKey({"RelNr"}), index("Bedrijfsnaam1", {"Bedrijfsnaam1"})}});

    // What hangs on a relation and goes with it when the relation is deleted.
    for (const char *name : {"RelatieGegevensAfleverAdressen", "RelatieGegevensContactPersonen",
                             "RelatieStatistiek", "Mandaten"})
        out.push_back(numbered(name, {relNr()}, {byRelNr()}));

    // A subscription is known by its Guid; its direct-debit rows refer to it.
    out.push_back({"Abonnement", Db::Main, {guid(), relNr()}, {primaryKey({"Guid"}), byRelNr()}});
    out.push_back(numbered("AbonnementIncasso", {guid()}, {index("Guid", {"Guid"})}));

    for (const char *name : {"RelatieGegevensZelf", "MandaatWijzigingen", "Sluitregel"})
        out.push_back(numbered(name));
}

} // namespace kv::schema
