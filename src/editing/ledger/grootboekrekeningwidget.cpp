#include "editing/ledger/grootboekrekeningwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

namespace kv {

GrootboekRekeningWidget::GrootboekRekeningWidget(Context &ctx, QWidget *parent)
    : QWidget(parent), m_logica(ctx), m_invoer(new QLineEdit(this)), m_kies(new QToolButton(this)),
      m_omschrijving(new QLabel(this))
{
    if (m_logica.posities() > 0)
        m_invoer->setMaxLength(m_logica.posities());
    m_invoer->setMaximumWidth(m_invoer->fontMetrics().horizontalAdvance(u'0') * 12 + 12);
    m_kies->setText(QStringLiteral("..."));
    m_kies->setToolTip(QStringLiteral("Grootboekrekening zoeken"));
    m_kies->setFocusPolicy(Qt::NoFocus);
    m_omschrijving->setFrameShape(QFrame::StyledPanel);
    m_omschrijving->setMinimumWidth(200);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_invoer);
    layout->addWidget(m_kies);
    layout->addWidget(m_omschrijving, 1);

    connect(m_invoer, &QLineEdit::editingFinished, this, &GrootboekRekeningWidget::verlaten);
    connect(m_kies, &QToolButton::clicked, this, [this] {
        if (m_bezig)
            return;
        m_bezig = true;
        verwerk(m_logica.kiesUitOverzicht(m_invoer->text().trimmed()));
        m_bezig = false;
    });
}

void GrootboekRekeningWidget::setNummer(const QString &nummer)
{
    m_nummer = nummer.trimmed();
    m_invoer->setText(m_nummer);
    m_omschrijving->setText(m_logica.omschrijving(m_nummer));
}

void GrootboekRekeningWidget::verlaten()
{
    // The message box takes the focus, which finishes the edit a second time.
    if (m_bezig || m_invoer->text().trimmed() == m_nummer)
        return;
    m_bezig = true;
    verwerk(m_logica.verlaat(m_invoer->text()));
    m_bezig = false;
}

void GrootboekRekeningWidget::verwerk(const GrootboekVeld::Resultaat &r)
{
    using enum GrootboekVeld::Uitkomst;
    switch (r.uitkomst) {
    case Leeg:
    case Gevonden:
        m_nummer = r.nummer;
        m_invoer->setText(r.nummer);
        m_omschrijving->setText(r.omschrijving);
        Q_EMIT gewijzigd(m_nummer);
        break;
    case Onbekend:
        QTimer::singleShot(0, m_invoer, [this] {
            m_invoer->setFocus();
            m_invoer->selectAll();
        });
        break;
    case Geannuleerd:
        m_invoer->setText(m_nummer);
        break;
    }
}

} // namespace kv
