#pragma once

#include "editing/ledger/rekeningschemaoverzicht.h"
#include "editing/selection/zoekvenster.h"

namespace kv {

// The chart of accounts overview, opened by a ledger account field that could not resolve its
// text to one account. A double click hands the account number back in `SelectieResultaat`;
// closing without a pick hands back "".
class frmRekeningschemaOverzicht : public ZoekVenster {
    Q_OBJECT
public:
    frmRekeningschemaOverzicht(Context &ctx, const QString &zoektekst, QWidget *parent = nullptr);
    RekeningschemaOverzicht &logica() { return m_logica; }

protected:
    bool voerUit(const QString &tekst, int keuze) override;
    bool nietsGevonden() const override { return m_logica.nietsGevonden(); }
    void kies(const LijstRij &rij) override { m_logica.kies(&rij); }
    QString lijstKop(int keuze) const override;
    void done(int result) override;

private:
    RekeningschemaOverzicht m_logica;
};

// Opens the overview modally on `zoektekst` and returns the picked account number ("" for none).
QString toonRekeningschemaOverzicht(Context &ctx, const QString &zoektekst, QWidget *parent = nullptr);

} // namespace kv
