#pragma once

#include <QString>
#include <QStringList>

#include <future>
#include <memory>

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

// The same check of a file while it is being written, in a thread of its own: the writer hands
// each block over as it goes to disk, so on two cores writing and checking take the time of
// the slower. Destroyed before `einde`, the check is abandoned.
class Meelezer {
public:
    Meelezer();
    ~Meelezer();
    Meelezer(const Meelezer &) = delete;
    Meelezer &operator=(const Meelezer &) = delete;

    // The next bytes of the file; waits while the check is far behind.
    void blok(QByteArrayView bytes);
    // The file is complete: waits for the check and tells what it found.
    Schemacontrole einde();

private:
    struct Wachtrij;
    std::unique_ptr<Wachtrij> m_wachtrij;
    std::future<Schemacontrole> m_uitkomst;
};

} // namespace kv::finance::auditfile
