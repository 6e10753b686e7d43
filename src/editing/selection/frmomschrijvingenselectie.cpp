#include "editing/selection/frmomschrijvingenselectie.h"

#include "core/context.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {

frmOmschrijvingenSelectie::frmOmschrijvingenSelectie(Context &ctx, const QString &soort, const QString &flags,
                                                     QWidget *parent)
    : QDialog(parent), m_logica(ctx, soort, flags)
{
    setObjectName(QStringLiteral("frmOmschrijvingenSelectie"));
    setWindowTitle(m_logica.titel());
    m_lijst = new QListWidget(this);
    for (const auto &r : m_logica.rijen) {
        auto *item = new QListWidgetItem(r.omschrijving, m_lijst);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    }
    toonVinkjes();

    auto knop = [this](const QString &tekst) {
        auto *b = new QPushButton(tekst, this);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *alles = knop(QStringLiteral("Alles")), *geen = knop(QStringLiteral("Geen")),
                *omkeren = knop(QStringLiteral("Omkeren")), *ok = knop(QStringLiteral("OK")),
                *annuleren = knop(QStringLiteral("Annuleren"));
    ok->setDefault(true);
    connect(alles, &QPushButton::clicked, this, [this] { allemaal(&OmschrijvingenSelectie::alles); });
    connect(geen, &QPushButton::clicked, this, [this] { allemaal(&OmschrijvingenSelectie::geen); });
    connect(omkeren, &QPushButton::clicked, this, [this] { allemaal(&OmschrijvingenSelectie::omkeren); });
    connect(ok, &QPushButton::clicked, this, [this] {
        leesVinkjes();
        accept();
    });
    connect(annuleren, &QPushButton::clicked, this, &QDialog::reject);

    auto *knoppen = new QHBoxLayout;
    for (QPushButton *b : {alles, geen, omkeren})
        knoppen->addWidget(b);
    knoppen->addStretch();
    knoppen->addWidget(ok);
    knoppen->addWidget(annuleren);
    auto *kop = new QLabel(m_logica.titel(), this);
    kop->setStyleSheet(QStringLiteral("font-weight: bold"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(kop);
    layout->addWidget(m_lijst, 1);
    layout->addLayout(knoppen);
    resize(420, 380);
}

void frmOmschrijvingenSelectie::toonVinkjes()
{
    for (int i = 0; i < m_lijst->count(); ++i)
        m_lijst->item(i)->setCheckState(m_logica.rijen[size_t(i)].aan ? Qt::Checked : Qt::Unchecked);
}

void frmOmschrijvingenSelectie::leesVinkjes()
{
    for (int i = 0; i < m_lijst->count(); ++i)
        m_logica.rijen[size_t(i)].aan = m_lijst->item(i)->checkState() == Qt::Checked;
}

template <class Actie>
void frmOmschrijvingenSelectie::allemaal(Actie actie)
{
    // One repaint for the whole list, not one per row.
    m_lijst->setUpdatesEnabled(false);
    leesVinkjes();
    (m_logica.*actie)();
    toonVinkjes();
    m_lijst->setUpdatesEnabled(true);
}

bool toonOmschrijvingenSelectie(Context &ctx, const QString &soort, QString &flags, QWidget *parent)
{
    frmOmschrijvingenSelectie venster(ctx, soort, flags, parent);
    if (venster.exec() != QDialog::Accepted)
        return false;
    flags = venster.flags();
    return true;
}

} // namespace kv
