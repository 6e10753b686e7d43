#pragma once

#include "editing/selection/selectiescherm.h"
#include "editing/selection/zoekvenster.h"

namespace kv {

// The modal search window. Callers set `EditKey` (starting text, or ""), open it with the kind
// and read `SelectieResultaat` afterwards: see toonSelectieScherm.
class frmSelectieScherm : public ZoekVenster {
    Q_OBJECT
public:
    frmSelectieScherm(Context &ctx, const QString &selectieSoort, QWidget *parent = nullptr);
    SelectieScherm &logica() { return m_logica; }

protected:
    bool voerUit(const QString &tekst, int keuze) override { return m_logica.zoek(tekst, keuze); }
    bool nietsGevonden() const override { return m_logica.nietsGevonden(); }
    void kies(const LijstRij &rij) override { m_logica.kies(rij); }
    QString lijstKop(int keuze) const override { return m_logica.lijstKop(keuze); }

private:
    SelectieScherm m_logica;
};

// Opens the search window for `selectieSoort` modally and returns `SelectieResultaat` trimmed
// ("" when nothing was chosen and it was empty before). The caller sets it back to "" once used.
QString toonSelectieScherm(Context &ctx, const QString &selectieSoort, QWidget *parent = nullptr);

} // namespace kv
