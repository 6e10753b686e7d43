#pragma once

#include "core/context.h"
#include "finance/auditfile/xmlwriter.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <vector>

namespace kv {
class Progress;
}

namespace kv::finance::auditfile {

// The choices of the screen and the tool.
struct Opties {
    bool zonderBeginbalans = false;
    bool kostenplaatsen = false;
    bool btw = false;
};

// A fault that stops the export; `melding` is shown as it stands.
struct Stop {
    QString melding;
};

// The user or a signal stopped the run; nothing was delivered.
struct Afgebroken {};

// A relation's VAT number that gets "NL" in front once the file is in place.
struct BtwHerstel {
    QString relNr;
    QString btwNr;
};

// Messages named by their record: the first ones are kept, the rest counted.
class Meldingen {
public:
    explicit Meldingen(int genoemd = 20) : m_maximum(genoemd) {}
    void add(const QString &melding);
    bool isEmpty() const { return m_genoemd.isEmpty(); }
    // One line each, then "en nog N" for those not named.
    QString tekst() const;

private:
    int m_maximum;
    QStringList m_genoemd;
    qint64 m_overig = 0;
};

// What is worth knowing about a file that was made: each kind named by its records.
enum class Opmerking { Relatie, BtwCode, Periode, Onevenwichtig, Datum, Ingekort, Iban, Aantal };

// Writes the sections of the audit file in their order, reading the open administration
// through the engine. Each table is walked once in key order; only the keys of the master
// tables (accounts, relations, VAT codes) stay in memory. Faults throw Stop.
class Secties {
public:
    Secties(Context &ctx, XmlWriter &out, Opties opties, Progress *voortgang = nullptr);

    void begin();  // the declaration and the opening of auditfile
    void header();
    void companyBegin();
    void customersSuppliers();
    void generalLedger();
    void vatCodes();
    void periods();
    void openingBalance();
    void transactions();
    void end();    // the closing of company and auditfile, then CR LF
    void all();    // the whole file, every section in its order

    const std::vector<BtwHerstel> &herstellingen() const { return m_herstellingen; }
    qint64 regels() const { return m_regels; } // trLines written
    // The remarks that do not stop the export, kind by kind.
    QStringList opmerkingen() const;

private:
    void adres(QByteArrayView element, const QString &straat, const QString &nummer, const QString &plaats,
               const QString &postcode, const QString &land);
    QString landVanRelatie(const QVariant &landcode);
    QString tegenrekening(const QString &rekening) const;
    void journal(const QString &code, bool kostenplaatsen);
    void closeTransaction();
    void trLine(int nr, const class Rij &regel, bool kostenplaatsen);
    void controleer(const class Rij &regel, const QString &effDate);
    void fout(const QString &melding) { m_fouten.add(melding); }
    void opmerking(Opmerking soort, const QString &melding) { m_opmerkingen[size_t(soort)].add(melding); }
    void stopBijFouten();
    // An element with a value written as stored; a character XML cannot hold or a value longer
    // than the element allows is a fault named by the record.
    void opgeslagen(QByteArrayView element, const QString &waarde);
    // An element with free text through the SEPA set, cut to what the element allows (a remark).
    void vrijeTekst(QByteArrayView element, const QString &waarde);
    // One row read: moves the bar now and then and stops when asked to.
    void rij();

    // How a fault names the record being written, e.g. "Relatie 00123: ". A ledger line's name
    // is only composed when something is said about it.
    void noem(QString naam)
    {
        m_record = std::move(naam);
        m_regel = nullptr;
    }
    QString record() const;
    QString m_record;
    const class Rij *m_regel = nullptr;
    int m_regelNr = 0;
    Meldingen m_fouten;
    // Ten of each kind: a remark is worth reading, a screen full of one kind is not.
    std::array<Meldingen, size_t(Opmerking::Aantal)> m_opmerkingen = [] {
        std::array<Meldingen, size_t(Opmerking::Aantal)> soorten;
        soorten.fill(Meldingen(10));
        return soorten;
    }();

    Context &m_ctx;
    XmlWriter &m_out;
    Opties m_opties;
    Progress *m_voortgang;
    qint64 m_rijen = 0, m_totaal = 1, m_regels = 0;
    int m_getoond = -1;

    QString m_start, m_eind;        // the file's financial year, as written
    int m_perioden = 0;             // the periods declared: 1 .. m_perioden
    QSet<QString> m_rekeningen;     // accounts of the chart (without "*")
    QSet<QString> m_relaties;
    QHash<int, QVariant> m_btwCodes; // code -> percentage
    struct Transactie {
        QString naam;
        qint64 debet = 0, credit = 0;
    } m_transactie;
    std::vector<BtwHerstel> m_herstellingen;
};

} // namespace kv::finance::auditfile
