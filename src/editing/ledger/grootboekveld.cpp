#include "editing/ledger/grootboekveld.h"

#include "core/context.h"
#include "core/db/jetsql.h"
#include "core/db/recordset.h"
#include "core/dialogs.h"
#include "core/session/session.h"
#include "editing/ledger/frmrekeningschemaoverzicht.h"
#include "editing/ledger/rekeningschemaoverzicht.h"
#include "editing/selection/selectiequery.h"

#include <QRegularExpression>

namespace kv {

GrootboekVeld::GrootboekVeld(Context &ctx) : m_ctx(ctx), m_posities(positiesGrbnr(ctx))
{
    openOverzicht = [&ctx](const QString &x) { return toonRekeningschemaOverzicht(ctx, x); };
}

QString GrootboekVeld::zoekQuery(const QString &tekst)
{
    const QString x = zonderQuotes(tekst);
    const QString s = db::jetEscaped(x, u'\''), d = db::jetEscaped(x, u'"');
    return u"SELECT * From Rekeningschema WHERE ((Rekeningschema.GrootboekReknr >= '" + s +
           u"' AND Rekeningschema.GrootboekReknr <= '" + s + QChar(255) +
           u"') OR (instr(Rekeningschema.Omschrijving, \"" + d + u"\") > 0 ))";
}

GrootboekVeld::Resultaat GrootboekVeld::zoekNummer(const QString &nummer)
{
    auto rs = m_ctx.session->DBAdmin().OpenTable(QStringLiteral("RekeningSchema"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->Seek(u"=", nummer);
    if (!rs->NoMatch())
        return {Uitkomst::Gevonden, rs->text(u"GrootboekReknr").trimmed(), rs->text(u"Omschrijving").trimmed()};
    m_ctx.dialogs->MsgBox(QStringLiteral("Er is een onbekend grootboeknummer ingegeven. opnieuw s.v.p."),
                          mb::Exclamation);
    return {Uitkomst::Onbekend, {}, {}};
}

GrootboekVeld::Resultaat GrootboekVeld::verlaat(const QString &tekst)
{
    const QString t = tekst.trimmed();
    if (t.isEmpty())
        return {Uitkomst::Leeg, {}, {}};
    static const QRegularExpression cijfers(QStringLiteral("^[0-9]+$"));
    if (t.size() == m_posities && cijfers.match(t).hasMatch())
        return zoekNummer(t);

    auto rs = m_ctx.session->DBAdmin().OpenQuery(zoekQuery(t));
    if (!rs->Eof()) {
        rs->MoveLast();
        rs->MoveFirst();
        if (rs->RecordCount() == 1)
            return {Uitkomst::Gevonden, rs->text(u"GrootboekReknr").trimmed(), rs->text(u"Omschrijving").trimmed()};
    }
    return kiesUitOverzicht(zonderQuotes(t));
}

GrootboekVeld::Resultaat GrootboekVeld::kiesUitOverzicht(const QString &tekst)
{
    const QString keuze = openOverzicht(tekst).trimmed();
    if (keuze.isEmpty())
        return {Uitkomst::Geannuleerd, {}, {}};
    return zoekNummer(keuze);
}

QString GrootboekVeld::omschrijving(const QString &nummer)
{
    if (nummer.trimmed().isEmpty())
        return {};
    auto rs = m_ctx.session->DBAdmin().OpenTable(QStringLiteral("RekeningSchema"));
    rs->setIndex(QStringLiteral("PrimaryKey"));
    rs->Seek(u"=", nummer.trimmed());
    return rs->NoMatch() ? QStringLiteral("onbekend") : rs->text(u"Omschrijving").trimmed();
}

} // namespace kv
