#pragma once

#include "core/context.h"
#include "finance/auditfile/xmlwriter.h"

#include <QString>
#include <QStringList>

#include <vector>

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

// A relation's VAT number that gets "NL" in front once the file is in place.
struct BtwHerstel {
    QString relNr;
    QString btwNr;
};

// Writes the sections of the audit file in their order, reading the open administration
// through the engine. Each table is walked once in key order; nothing is kept but what a
// later section needs. Faults throw Stop.
class Secties {
public:
    Secties(Context &ctx, XmlWriter &out, Opties opties);

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

private:
    void adres(QByteArrayView element, const QString &straat, const QString &nummer, const QString &plaats,
               const QString &postcode, const QString &land);
    QString landVanRelatie(const QVariant &landcode);
    void journal(const QString &code, bool kostenplaatsen);
    void trLine(int nr, const class Rij &regel, bool kostenplaatsen);
    void controleer(int nr, const class Rij &regel);
    void fout(const QString &melding);
    void stopBijFouten();
    // A value written as stored, refused with a fault when it holds a character XML cannot hold.
    QString opgeslagen(const QString &waarde);

    QString m_record; // how a fault names the record being written, e.g. "Relatie 00123: "

    static constexpr int kGenoemdeFouten = 20;
    QStringList m_fouten; // the first faults, named by their record
    qint64 m_overigeFouten = 0;

    Context &m_ctx;
    XmlWriter &m_out;
    Opties m_opties;
    std::vector<BtwHerstel> m_herstellingen;
};

} // namespace kv::finance::auditfile
