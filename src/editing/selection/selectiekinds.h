#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace kv {

// How a search text S matches one field.
enum class Zoekregel {
    Prefix,              // the first characters of the field are S
    PrefixOfNaSpatie,    // as Prefix, or S right after a space anywhere in the field
    PrefixOfBevat,       // as Prefix, or S anywhere in the field
    Exact,               // numbers: the field is at least S and at most S
    TekstOfNummer,       // codes kept as text or as numbers: equal to S either way
    ArtikelOmschrijving, // both descriptions and the search text; see the query builder
};

struct Zoekveld {
    QStringView veld; // "Tabel.Veld", or a field of the kind's own table
    Zoekregel regel;
};

// One entry of the sort-order combo: what it searches and how the result is ordered.
struct Sortering {
    QStringView caption;
    std::vector<Zoekveld> velden; // alternatives, joined with OR
    QStringView volgorde = {};    // ORDER BY; empty: the first field ascending
};

// What a picked row hands back.
enum class Keuze { EersteKolom, Sleutel };

// The query side of a kind: the table it searches and its sort orders.
struct SelectieBouwer {
    std::vector<QStringView> soorten; // the names callers set, lower case
    QStringView tabel;
    QStringView join; // "LEFT JOIN ..." or empty
    std::vector<Sortering> volgordes;
    QStringView sleutel; // the record key, kept as the row's tag
    Keuze keuze = Keuze::EersteKolom;
};

struct Kolom {
    QStringView caption;
    QStringView veld; // a field the table lacks is shown empty
};

// The list side of a kind.
struct SelectieLijst {
    std::vector<QStringView> soorten;
    std::vector<Kolom> kolommen;
    QStringView kop = u"Geselecteerd overzicht op basis van ";
};

// Both sides of the kind named `soort` (without regard to case); nullptr when unknown.
struct SelectieKind {
    const SelectieBouwer *bouwer = nullptr;
    const SelectieLijst *lijst = nullptr;
};
SelectieKind selectieKind(QStringView soort);

const std::vector<SelectieBouwer> &selectieBouwers();
const std::vector<SelectieLijst> &selectieLijsten();

} // namespace kv
