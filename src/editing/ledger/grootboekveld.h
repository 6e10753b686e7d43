#pragma once

#include <QString>

#include <functional>

namespace kv {

class Context;

// The logic of every ledger account field: what the typed text resolves to when the user
// leaves the field, and the description shown beside it.
class GrootboekVeld {
public:
    enum class Uitkomst {
        Leeg,       // the account is cleared
        Gevonden,   // `nummer` and `omschrijving` fill the field
        Onbekend,   // the message was shown; focus goes back to the field
        Geannuleerd // the overview closed without a pick; the field keeps its account
    };
    struct Resultaat {
        Uitkomst uitkomst;
        QString nummer, omschrijving;
    };

    explicit GrootboekVeld(Context &ctx);

    // Opens the chart of accounts overview on a search text and returns the picked number
    // ("" for none). The real window by default; tests put their own here.
    std::function<QString(const QString &zoektekst)> openOverzicht;

    int posities() const { return m_posities; }
    Resultaat verlaat(const QString &tekst);
    // The overview on the field's text, as the pick button opens it.
    Resultaat kiesUitOverzicht(const QString &tekst);
    // The description beside a loaded account: "" without one, "onbekend" when it does not exist.
    QString omschrijving(const QString &nummer);

    // Accounts whose number starts with X or whose description contains X.
    static QString zoekQuery(const QString &x);

private:
    Resultaat zoekNummer(const QString &nummer);

    Context &m_ctx;
    int m_posities = 0;
};

} // namespace kv
