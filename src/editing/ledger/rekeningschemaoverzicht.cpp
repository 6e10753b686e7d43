#include "editing/ledger/rekeningschemaoverzicht.h"

#include "core/context.h"
#include "core/db/jetsql.h"
#include "core/db/recordset.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/amounts.h"
#include "editing/selection/selectiequery.h"

namespace kv {

int positiesGrbnr(Context &ctx)
{
    db::Recordset &user = ctx.session->table(QStringLiteral("UserGegevens"));
    user.MoveFirst();
    return user.Eof() ? 0 : user.value(u"PositiesGrbnr").toInt();
}

RekeningschemaOverzicht::RekeningschemaOverzicht(Context &ctx) : m_ctx(ctx)
{
    m_fill.maakRij = [this](db::Recordset &rs) { return maakRij(rs); };
}

QStringList RekeningschemaOverzicht::zoeksoorten()
{
    return {QStringLiteral("Omschrijving"), QStringLiteral("Grootboeknummer")};
}

QStringList RekeningschemaOverzicht::kolommen()
{
    return {QStringLiteral("grootboeknr."), QStringLiteral("omschrijving"), QStringLiteral("soort rek."),
            QStringLiteral("boeksaldo"),    QStringLiteral("kostenplaats"), QStringLiteral("hoofdverd."),
            QStringLiteral("omschrijving"), QStringLiteral("subverd."),     QStringLiteral("omschrijving"),
            QStringLiteral("btw-rekening"), QStringLiteral("btw-specificatie")};
}

QString RekeningschemaOverzicht::query(const QString &tekst, int soort, int posities)
{
    const QString x = zonderQuotes(tekst);
    const QChar ff(255);
    if (x.isEmpty() || x == u"*")
        return soort == Grootboeknummer
                   ? QStringLiteral("SELECT * From Rekeningschema ORDER BY Rekeningschema.GrootboekReknr ASC")
                   : QStringLiteral("SELECT * From Rekeningschema ORDER BY Rekeningschema.Omschrijving ASC");
    if (soort == Grootboeknummer) {
        const QString p = x.rightJustified(posities, u'0');
        const QString s = db::jetEscaped(x, u'\''), t = db::jetEscaped(p, u'\'');
        return u"SELECT * From Rekeningschema WHERE (Rekeningschema.GrootboekReknr >= '" + s +
               u"' AND Rekeningschema.Grootboekreknr <= '" + s + ff + u"') OR (Rekeningschema.GrootboekReknr >= '" + t +
               u"' AND Rekeningschema.Grootboekreknr <= '" + t + ff +
               u"') ORDER BY Rekeningschema.Grootboekreknr ASC";
    }
    const QString l = QString::number(x.size());
    const QString s = db::jetEscaped(x, u'\''), d = db::jetEscaped(x, u'"');
    return u"SELECT * From Rekeningschema WHERE ((Left(Rekeningschema!Omschrijving, " + l + u" ) >= '" + s +
           u"' AND Left(Rekeningschema!omschrijving, " + l + u" ) <= '" + s + ff +
           u"') OR (instr(Rekeningschema.Omschrijving, \" " + d + u"\") > 0 ) OR (instr(Rekeningschema.Omschrijving, \"-" +
           d + u"\") > 0 ) ) ORDER BY Rekeningschema.Omschrijving ASC";
}

void RekeningschemaOverzicht::laadOmschrijvingen()
{
    db::Database &db = m_ctx.session->DBAdmin();
    auto lees = [&](const QString &tabel, auto &&per) {
        auto rs = db.OpenTable(tabel);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            per(*rs);
    };
    m_hoofd.clear(), m_sub.clear(), m_btw.clear();
    lees(QStringLiteral("Hoofdverdichting"), [&](db::Recordset &rs) {
        m_hoofd.insert(rs.value(u"Hoofdverdichting").toInt(), rs.text(u"HoofdOmschrijving").trimmed());
    });
    lees(QStringLiteral("Subverdichting"), [&](db::Recordset &rs) {
        m_sub.insert(rs.value(u"Subverdichting").toInt(), rs.text(u"SubOmschrijving").trimmed());
    });
    lees(QStringLiteral("BTWcodering"), [&](db::Recordset &rs) {
        m_btw.insert(rs.value(u"BTWCode").toInt(), {rs.value(u"BTWPercentage").toDouble(), rs.value(u"InEx").toBool()});
    });
}

void RekeningschemaOverzicht::zoek(const QString &x, int soort)
{
    tryOperation(m_ctx, QStringLiteral("frmRekeningschemaOverzicht: Zoeken"), [&] {
        laadOmschrijvingen();
        m_fill.vul(m_ctx.session->DBAdmin(), query(x, soort, positiesGrbnr(m_ctx)));
    });
    m_fill.eindStatus(u"Er zijn " + QString::number(m_fill.totaal()) +
                      u" grootboekrekeningen gevonden op de gegeven selectie.");
}

LijstRij RekeningschemaOverzicht::maakRij(db::Recordset &rs)
{
    auto geld = [&](QStringView veld) { return rs.value(veld).toDouble(); };
    const double saldo = (geld(u"BeginsaldoDebet") + geld(u"MutatieCumDebet")) -
                         (geld(u"BeginsaldoCredit") + geld(u"MutatieCumCredit"));
    const int soort = rs.value(u"Soortrek").toInt();
    const int kostenplaats = rs.value(u"Kostenplaats").toInt();
    const int hoofd = rs.value(u"Hoofdverdichting").toInt(), sub = rs.value(u"Subverdichting").toInt();
    const int btwCode = rs.value(u"BTWCode").toInt();

    QString btwTekst = QStringLiteral(" - n.v.t.");
    if (auto btw = m_btw.constFind(btwCode); btwCode != 0 && btw != m_btw.cend())
        btwTekst = QString::number(btw->percentage).replace(u'.', u',') + u"% - " +
                  (btw->inclusief ? QStringLiteral(" - inclusief BTW") : QStringLiteral(" - exclusief BTW"));

    const QString nummer = rs.text(u"GrootboekReknr").trimmed();
    const QStringList cellen = {nummer,
                  rs.text(u"Omschrijving").trimmed(),
                  soort == 0 ? QStringLiteral("Balans") : soort == 1 ? QStringLiteral("V&W-rek.") : QStringLiteral("n/a"),
                  FormatBedrag(m_ctx.separators, saldo, {.negatiefTussenHaken = true}).remove(u'>').rightJustified(15),
                  kostenplaats ? QString::number(kostenplaats) : QStringLiteral("n.v.t."),
                  hoofd ? QString::number(hoofd) : QString(),
                  m_hoofd.value(hoofd),
                  sub ? QString::number(sub) : QString(),
                  m_sub.value(sub),
                  btwCode ? QString::number(btwCode) : QString(),
                  btwTekst};
    for (const QString &c : cellen)
        m_rij.cel(c);
    return m_rij.klaar(nummer, (rs.value(u"BTWRekening").toBool() ? BtwRekening : 0) |
                    (rs.value(u"SubAdminDebiteuren").toBool() ? SubAdminDebiteuren : 0) |
                    (rs.value(u"SubAdminCrediteuren").toBool() ? SubAdminCrediteuren : 0));
}

void RekeningschemaOverzicht::kies(const LijstRij *rij)
{
    m_ctx.SelectieResultaat() = rij ? rij->tag : QString();
}

} // namespace kv
