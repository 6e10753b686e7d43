#pragma once

#include "editing/selection/lijstmodel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kv {

class Context;
class RecordFill;

// The frame both search windows share: a search field, a combo for the sort order or search
// type, the list filling with visible progress, a stop button and the status bar. Escape or
// the stop button interrupt a running fill; otherwise Escape closes without a choice.
// The window's place is kept in the registry.
class ZoekVenster : public QDialog {
    Q_OBJECT
public:
    QLineEdit *zoekVeld() const { return m_zoek; }
    QComboBox *keuzeCombo() const { return m_keuze; }
    QTableView *lijst() const { return m_lijst; }
    QPushButton *stopKnop() const { return m_stop; }
    QString status() const;
    QString kop() const;

public Q_SLOTS:
    void zoeken();
    void kiesHuidige();
    void reject() override;

protected:
    ZoekVenster(Context &ctx, QWidget *parent);
    // Hooks into the derived window's fill and sets up the combo, the columns and the starting
    // text; call from the derived constructor.
    void begin(RecordFill &fill, const QStringList &keuzes, const QStringList &kolommen, const QString &tekst);

    virtual bool voerUit(const QString &tekst, int keuze) = 0; // false when nothing ran
    virtual bool nietsGevonden() const = 0;
    virtual void kies(const LijstRij &rij) = 0;
    virtual QString lijstKop(int keuze) const = 0;

    bool eventFilter(QObject *object, QEvent *event) override;
    void done(int result) override;

    Context &m_ctx;
    LijstModel m_model;

private:
    void bouwOp();
    void sorteerOp(int kolom);

    RecordFill *m_fill = nullptr;
    QLineEdit *m_zoek = nullptr;
    QComboBox *m_keuze = nullptr;
    QPushButton *m_stop = nullptr;
    QLabel *m_kop = nullptr;
    QTableView *m_lijst = nullptr;
    QLabel *m_status = nullptr;
    int m_sorteerKolom = -1;
    Qt::SortOrder m_sorteerRichting = Qt::AscendingOrder;
};

} // namespace kv
