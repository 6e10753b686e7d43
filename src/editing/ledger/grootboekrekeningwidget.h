#pragma once

#include "editing/ledger/grootboekveld.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace kv {

// A ledger account field as screens drop it in: the number (at most `PositiesGrbnr` long), a
// pick button that opens the chart of accounts overview, and the account's description beside.
class GrootboekRekeningWidget : public QWidget {
    Q_OBJECT
public:
    explicit GrootboekRekeningWidget(Context &ctx, QWidget *parent = nullptr);

    // Shows a loaded account with its description ("onbekend" when it does not exist).
    void setNummer(const QString &nummer);
    // The account the field holds, "" when none.
    QString nummer() const { return m_nummer; }

    GrootboekVeld &logica() { return m_logica; }
    QLineEdit *invoer() const { return m_invoer; }
    QToolButton *kiesKnop() const { return m_kies; }
    QLabel *omschrijvingLabel() const { return m_omschrijving; }

Q_SIGNALS:
    void gewijzigd(const QString &nummer);

private:
    void verlaten();
    void verwerk(const GrootboekVeld::Resultaat &r);

    GrootboekVeld m_logica;
    QLineEdit *m_invoer;
    QToolButton *m_kies;
    QLabel *m_omschrijving;
    QString m_nummer;
    bool m_bezig = false;
};

} // namespace kv
