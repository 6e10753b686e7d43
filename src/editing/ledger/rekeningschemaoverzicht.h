#pragma once

#include "editing/selection/recordfill.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace kv {

class Context;

// The logic of `frmRekeningschemaOverzicht`: the chart of accounts searched by description or
// number, one row per account with its type, balance, cost centre, summary levels and VAT.
class RekeningschemaOverzicht {
public:
    enum Zoeksoort { Omschrijving = 0, Grootboeknummer = 1 };
    // Markers of an account, shown as icons before its number.
    enum Kenmerk { BtwRekening = 1, SubAdminDebiteuren = 2, SubAdminCrediteuren = 4 };

    explicit RekeningschemaOverzicht(Context &ctx);

    static QStringList zoeksoorten();
    static QStringList kolommen();
    // The query for search text `x` (quotes are removed) of type `soort`; `posities` is the
    // number of digits of an account number.
    static QString query(const QString &x, int soort, int posities);

    void zoek(const QString &x, int soort);
    RecordFill &fill() { return m_fill; }
    const std::vector<LijstRij> &rijen() const { return m_fill.rijen; }
    bool nietsGevonden() const { return m_fill.rijen.empty(); }

    // Picking a row hands its account number back in `SelectieResultaat`; closing without a
    // pick hands back "".
    void kies(const LijstRij *rij);

private:
    LijstRij maakRij(db::Recordset &rs);
    void laadOmschrijvingen();

    Context &m_ctx;
    RecordFill m_fill;
    RijBouwer m_rij;
    QHash<int, QString> m_hoofd, m_sub;
    struct Btw {
        double percentage;
        bool inclusief;
    };
    QHash<int, Btw> m_btw;
};

// `PositiesGrbnr` of `UserGegevens`: the digits of an account number; 0 when not set.
int positiesGrbnr(Context &ctx);

} // namespace kv
