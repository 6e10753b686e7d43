#pragma once

#include <QString>

#include <vector>

namespace kv {

class Context;

// The logic of `frmOmschrijvingenSelectie`: ticking several descriptions of a code table into a
// flag string, in which a record's position is its key.
class OmschrijvingenSelectie {
public:
    struct Rij {
        int positie;
        QString omschrijving;
        bool aan;
    };

    // `soort` is "soortlading" or "wagencategorie"; `flags` the current choice.
    OmschrijvingenSelectie(Context &ctx, const QString &soort, const QString &flags);

    bool bekend() const { return !m_tabel.isEmpty(); }
    const QString &titel() const { return m_titel; }
    std::vector<Rij> rijen;

    void alles() { zet([](bool) { return true; }); }
    void geen() { zet([](bool) { return false; }); }
    void omkeren() { zet([](bool aan) { return !aan; }); }

    // The flag string with every row written in, as OK leaves it.
    QString flags() const;

private:
    template <class F>
    void zet(F f)
    {
        for (Rij &r : rijen)
            r.aan = f(r.aan);
    }

    QString m_tabel, m_titel, m_flags;
};

} // namespace kv
