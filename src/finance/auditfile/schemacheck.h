#pragma once

#include <QString>
#include <QStringList>

namespace kv {
class Progress;
}

namespace kv::finance::auditfile {

// What the official XAF 3.2 schema finds in a file.
struct Schemacontrole {
    QString meldingen;   // in Dutch, each named by its record ("Dagboek 70, boekstuk 000123, regel 3 ..."); empty when valid
    QStringList engels;  // libxml2's own words, for the log
    bool geldig() const { return meldingen.isEmpty(); }
};

// Reads `pad` once, streaming, and checks it against the official schema (built into the
// program). Names up to twenty faults. Throws Afgebroken when `voortgang` asks to stop.
Schemacontrole controleerBestand(const QString &pad, Progress *voortgang = nullptr);

} // namespace kv::finance::auditfile
