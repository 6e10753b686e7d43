#include "editing/selection/omschrijvingenselectie.h"

#include "core/context.h"
#include "core/db/recordset.h"
#include "core/session/session.h"
#include "editing/flags.h"

namespace kv {

namespace {

struct Soort {
    QStringView soort, tabel, titel;
};
const Soort soorten[] = {
    {u"soortlading", u"TabelSoortLading", u"Selecteer soorten lading"},
    {u"wagencategorie", u"TabelWagenCategorie", u"Selecteer wagencategorie transportplanning"},
};

} // namespace

OmschrijvingenSelectie::OmschrijvingenSelectie(Context &ctx, const QString &soort, const QString &flags)
    : m_flags(flags)
{
    for (const Soort &s : soorten)
        if (soort.trimmed().compare(s.soort, Qt::CaseInsensitive) == 0)
            m_tabel = s.tabel.toString(), m_titel = s.titel.toString();
    if (m_tabel.isEmpty())
        return;

    auto rs = ctx.session->DBAdmin().OpenTable(m_tabel);
    rs->setIndex(QStringLiteral("PrimaryKey"));
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        rijen.push_back({rs->value(u"CodeNr").toInt(), rs->text(u"Omschrijving").trimmed(), false});
    // A choice never made yet: one "off" per record.
    if (m_flags.isEmpty())
        m_flags = QString(qsizetype(rijen.size()), u'-');
    for (Rij &r : rijen)
        r.aan = FlagIsAan(m_flags, r.positie);
}

QString OmschrijvingenSelectie::flags() const
{
    QString out = m_flags;
    for (const Rij &r : rijen)
        out = ZetFlag(r.positie, out, r.aan);
    return out;
}

} // namespace kv
