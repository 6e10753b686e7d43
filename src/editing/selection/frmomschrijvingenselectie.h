#pragma once

#include "editing/selection/omschrijvingenselectie.h"

#include <QDialog>

class QListWidget;

namespace kv {

// Ticks several descriptions of a code table; OK writes the choice into the flag string.
class frmOmschrijvingenSelectie : public QDialog {
    Q_OBJECT
public:
    frmOmschrijvingenSelectie(Context &ctx, const QString &soort, const QString &flags, QWidget *parent = nullptr);

    OmschrijvingenSelectie &logica() { return m_logica; }
    QListWidget *lijst() const { return m_lijst; }
    // The flag string after OK.
    QString flags() const { return m_logica.flags(); }

private:
    void toonVinkjes();
    void leesVinkjes();
    template <class Actie>
    void allemaal(Actie actie);

    OmschrijvingenSelectie m_logica;
    QListWidget *m_lijst = nullptr;
};

// Opens the window modally; on OK `flags` gets the new choice and the result is true.
bool toonOmschrijvingenSelectie(Context &ctx, const QString &soort, QString &flags, QWidget *parent = nullptr);

} // namespace kv
