#include "editing/ledger/frmrekeningschemaoverzicht.h"

#include "core/context.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTimer>

namespace kv {

namespace {

// A letter in a coloured disc per marker: B VAT account, D debtors, C creditors.
QVariant kenmerkIcoon(int kenmerken)
{
    struct Teken {
        int kenmerk;
        QChar letter;
        QColor kleur;
    };
    const Teken tekens[] = {{RekeningschemaOverzicht::BtwRekening, u'B', QColor(0x2E7D32)},
                            {RekeningschemaOverzicht::SubAdminDebiteuren, u'D', QColor(0x1565C0)},
                            {RekeningschemaOverzicht::SubAdminCrediteuren, u'C', QColor(0xC62828)}};
    QPixmap beeld(3 * 14, 14);
    beeld.fill(Qt::transparent);
    QPainter p(&beeld);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    int x = 0;
    for (const Teken &t : tekens) {
        if (!(kenmerken & t.kenmerk))
            continue;
        p.setPen(Qt::NoPen);
        p.setBrush(t.kleur);
        p.drawEllipse(QRect(x, 1, 12, 12));
        p.setPen(Qt::white);
        p.drawText(QRect(x, 1, 12, 12), Qt::AlignCenter, QString(t.letter));
        x += 14;
    }
    return beeld;
}

} // namespace

frmRekeningschemaOverzicht::frmRekeningschemaOverzicht(Context &ctx, const QString &zoektekst, QWidget *parent)
    : ZoekVenster(ctx, parent), m_logica(ctx)
{
    setObjectName(QStringLiteral("frmRekeningschemaOverzicht"));
    m_model.kenmerkIcoon = kenmerkIcoon;
    m_model.rechts = {3}; // boeksaldo
    begin(m_logica.fill(), RekeningschemaOverzicht::zoeksoorten(), RekeningschemaOverzicht::kolommen(), zoektekst);
    // Typed digits are an account number more likely than a description.
    static const QRegularExpression cijfers(QStringLiteral("^[0-9]+$"));
    if (cijfers.match(zoektekst.trimmed()).hasMatch())
        keuzeCombo()->setCurrentIndex(RekeningschemaOverzicht::Grootboeknummer);
}

bool frmRekeningschemaOverzicht::voerUit(const QString &tekst, int keuze)
{
    m_logica.zoek(tekst, keuze);
    return true;
}

QString frmRekeningschemaOverzicht::lijstKop(int keuze) const
{
    return u"Grootboekrekeningen op " + RekeningschemaOverzicht::zoeksoorten().value(keuze).toLower();
}

void frmRekeningschemaOverzicht::done(int result)
{
    if (result != Accepted)
        m_logica.kies(nullptr);
    ZoekVenster::done(result);
}

QString toonRekeningschemaOverzicht(Context &ctx, const QString &zoektekst, QWidget *parent)
{
    frmRekeningschemaOverzicht venster(ctx, zoektekst, parent);
    QTimer::singleShot(0, &venster, &ZoekVenster::zoeken);
    venster.exec();
    const QString keuze = ctx.SelectieResultaat().trimmed();
    ctx.SelectieResultaat().clear();
    return keuze;
}

} // namespace kv
