#include "editing/selection/recordfill.h"

#include "core/db/database.h"
#include "core/db/recordset.h"

namespace kv {

LijstRij LijstRij::van(const QStringList &cellen, const QString &tag)
{
    return {cellen.join(Scheiding), tag};
}

QStringView LijstRij::cel(int kolom) const
{
    qsizetype begin = 0;
    for (int i = 0; i < kolom; ++i) {
        begin = tekst.indexOf(Scheiding, begin);
        if (begin < 0)
            return {};
        ++begin;
    }
    const qsizetype eind = tekst.indexOf(Scheiding, begin);
    return QStringView(tekst).mid(begin, eind < 0 ? -1 : eind - begin);
}

void RijBouwer::cel(const QString &tekst)
{
    if (!m_eerste)
        m_buffer += LijstRij::Scheiding;
    m_eerste = false;
    m_buffer += tekst;
}

LijstRij RijBouwer::klaar(const QString &tag, int kenmerken)
{
    LijstRij rij{QString(m_buffer.constData(), m_buffer.size()), tag, kenmerken}; // exactly sized, not shared
    m_buffer.clear();
    m_eerste = true;
    return rij;
}

QString vulStatus(int totaal, int procent)
{
    QString tekst = u"Totaal gevonden : " + QString::number(totaal) +
                    u" - een ogenblik geduld a.u.b., de gegevens worden ingelezen en verwerkt...";
    if (procent >= 0)
        tekst += u"  (" + QString::number(procent) + u"%)";
    return tekst;
}

void RecordFill::status(const QString &tekst)
{
    if (tekst == m_laatsteStatus)
        return;
    m_laatsteStatus = tekst;
    if (toonStatus)
        toonStatus(tekst);
}

void RecordFill::eindStatus(const QString &tekst)
{
    status(m_afgebroken ? tekst + u" - (afgebroken)" : tekst);
}

void RecordFill::vul(db::Database &db, const QString &jetSql)
{
    rijen.clear();
    m_totaal = 0;
    m_afgebroken = false;
    m_bezig = true;
    struct Klaar {
        bool &bezig;
        ~Klaar() { bezig = false; }
    } klaar{m_bezig};

    auto rs = db.CreateQueryDef(jetSql).OpenRecordset();
    if (rs->Eof())
        return;
    // Walk to the end and back so the count is exact.
    rs->MoveLast();
    rs->MoveFirst();
    m_totaal = rs->RecordCount();
    status(vulStatus(m_totaal));
    rijen.reserve(size_t(m_totaal));
    for (; !rs->Eof() && !m_afgebroken; rs->MoveNext()) {
        rijen.push_back(maakRij(*rs));
        if (rijen.size() % VoortgangPerRijen == 0) {
            status(vulStatus(m_totaal, int(rs->PercentPosition())));
            if (voortgang)
                voortgang(int(rijen.size()));
        }
    }
}

} // namespace kv
