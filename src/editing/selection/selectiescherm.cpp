#include "editing/selection/selectiescherm.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/jobs/listsource.h"
#include "core/messages/errorreport.h"
#include "core/session/session.h"
#include "editing/selection/selectiequery.h"

namespace kv {

namespace {

// The record set's field for a column: by its name, or, for "Tabel.Veld", by the plain name
// when only one table of the join has it.
int veldIndex(const db::Recordset &rs, QStringView naam)
{
    if (naam.isEmpty())
        return -1;
    for (QStringView probeer : {naam, naam.mid(naam.lastIndexOf(u'.') + 1)})
        for (int i = 0; i < rs.FieldCount(); ++i)
            if (rs.FieldName(i).compare(probeer, Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

QString celTekst(const QVariant &v)
{
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 2).replace(u'.', u',');
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("ja") : QStringLiteral("nee");
    return v.toString().trimmed();
}

} // namespace

SelectieScherm::SelectieScherm(Context &ctx, const QString &selectieSoort)
    : m_ctx(ctx), m_soort(selectieSoort.trimmed().toLower()), m_kind(selectieKind(m_soort))
{
    m_fill.maakRij = [this](db::Recordset &rs) { return maakRij(rs); };
}

QString SelectieScherm::startTekst() const
{
    return zonderQuotes(m_ctx.EditKey);
}

QStringList SelectieScherm::volgordes() const
{
    QStringList out;
    if (m_kind.bouwer)
        for (const Sortering &s : m_kind.bouwer->volgordes)
            out << s.caption.toString();
    return out;
}

QStringList SelectieScherm::kolommen() const
{
    QStringList out;
    if (m_kind.lijst)
        for (const Kolom &k : m_kind.lijst->kolommen)
            out << k.caption.toString();
    return out;
}

QString SelectieScherm::lijstKop(int volgorde) const
{
    const QStringList v = volgordes();
    const QString kop = m_kind.lijst ? m_kind.lijst->kop.toString() : QString();
    return kop + (volgorde >= 0 && volgorde < v.size() ? v[volgorde].toLower() : QString());
}

QString SelectieScherm::eindTekst(int aantal)
{
    if (aantal == 0)
        return QStringLiteral("Er zijn geen gegevens gevonden op de gegeven selectie.");
    if (aantal == 1)
        return QStringLiteral("Er is 1 item gevonden op de gegeven selectie.");
    return u"Er zijn " + QString::number(aantal) + u" gegevens gevonden op de gegeven selectie.";
}

bool SelectieScherm::zoek(const QString &zoektekst, int volgorde)
{
    if (!bekend() || zoektekst.isEmpty())
        return false;
    m_query = selectieQuery(*m_kind.bouwer, zoektekst, volgorde);
    m_velden.clear();
    tryOperation(m_ctx, QStringLiteral("frmSelectieScherm: Zoeken"),
                 [&] { m_fill.vul(m_ctx.session->DBAdmin(), m_query); });
    m_nietsGevonden = m_fill.rijen.empty();
    m_fill.eindStatus(eindTekst(m_fill.totaal()));
    return true;
}

ListSource SelectieScherm::stroom(const QString &zoektekst, int volgorde)
{
    m_query = selectieQuery(*m_kind.bouwer, zoektekst, volgorde);
    m_velden.clear();
    std::shared_ptr<db::Recordset> rs = m_ctx.session->DBAdmin().CreateQueryDef(m_query).OpenRecordset();
    qint64 aantal = 0;
    if (!rs->Eof()) { // to the end and back, so the count is exact
        rs->MoveLast();
        aantal = rs->RecordCount();
    }
    ListSource bron{QStringLiteral("Zoekresultaat"), kolommen(), aantal, {}};
    bron.visitRows = [this, rs](const std::function<bool(const QStringList &)> &visit) {
        if (rs->RecordCount() == 0)
            return;
        QStringList cellen;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            cellen.clear();
            for (int veld : velden(*rs))
                cellen << (veld >= 0 ? celTekst(rs->value(veld)) : QString());
            if (!visit(cellen))
                return;
        }
    };
    return bron;
}

const std::vector<int> &SelectieScherm::velden(const db::Recordset &rs)
{
    if (m_velden.empty()) {
        for (const Kolom &k : m_kind.lijst->kolommen)
            m_velden.push_back(veldIndex(rs, k.veld));
        m_sleutel = veldIndex(rs, m_kind.bouwer->sleutel);
    }
    return m_velden;
}

LijstRij SelectieScherm::maakRij(db::Recordset &rs)
{
    for (int veld : velden(rs))
        m_rij.cel(veld >= 0 ? celTekst(rs.value(veld)) : QString());
    return m_rij.klaar(m_sleutel >= 0 ? rs.value(m_sleutel).toString() : QString());
}

void SelectieScherm::kies(const LijstRij &rij)
{
    const bool sleutel = m_kind.bouwer && m_kind.bouwer->keuze == Keuze::Sleutel;
    m_ctx.SelectieResultaat() = sleutel ? rij.tag : rij.cel(0).toString();
}

} // namespace kv
