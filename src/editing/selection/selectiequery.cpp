#include "editing/selection/selectiequery.h"

#include "core/db/jetsql.h"

#include <QStringList>

#include <optional>

namespace kv {

namespace {

// Chr(255) sorts after every character the suite stores, so S..S+Chr(255) is "begins with S".
const QChar hoogsteTeken(255);

class Bouw {
public:
    Bouw(const SelectieBouwer &b, const QString &s) : m_bouwer(b), m_s(s), m_l(QString::number(s.size())) {}

    QString naam(QStringView veld) const
    {
        return veld.contains(u'.') ? veld.toString() : QString(m_bouwer.tabel + u'.' + veld);
    }

    QString prefix(const QString &f) const
    {
        return u"Left(" + f + u", " + m_l + u" ) >= " + zoekLiteral(m_s) + u" AND Left(" + f + u", " + m_l + u" ) <= " +
               zoekLiteral(m_s + hoogsteTeken);
    }
    QString bevat(const QString &f, QStringView voor) const
    {
        return u"instr(" + f + u", " + db::jetText(voor + m_s) + u") > 0 ";
    }
    QString exact(const QString &f) const { return f + u" >= " + zoekLiteral(m_s) + u" AND " + f + u" <= " + zoekLiteral(m_s); }

    void alternatieven(const Zoekveld &z, QStringList &out) const
    {
        const QString f = naam(z.veld);
        switch (z.regel) {
        case Zoekregel::Prefix:
            out << prefix(f);
            break;
        case Zoekregel::PrefixOfNaSpatie:
            out << prefix(f) << bevat(f, u" ");
            break;
        case Zoekregel::PrefixOfBevat:
            out << prefix(f) << bevat(f, {});
            break;
        case Zoekregel::Exact:
            out << exact(f);
            break;
        case Zoekregel::TekstOfNummer:
            out << f + u" = " + zoekLiteral(m_s);
            if (const auto nummer = alsNummer())
                out << f + u" = " + QString::number(*nummer);
            break;
        case Zoekregel::ArtikelOmschrijving: {
            // The engine compares without regard to case, so no separate lower-case alternative.
            const QString o1 = naam(u"Omschrijving1"), o2 = naam(u"Omschrijving2");
            out << prefix(o1) << prefix(o2) << bevat(o1, u" ") << bevat(o2, u" ")
                << u"Right(" + o1 + u", " + m_l + u") = " + zoekLiteral(m_s)
                << u"Right(" + o2 + u", " + m_l + u") = " + zoekLiteral(m_s) << prefix(naam(u"Zoektekst"));
            break;
        }
        }
    }

    QString volgorde(const Sortering &s) const
    {
        if (!s.volgorde.isEmpty())
            return s.volgorde.toString();
        const Zoekveld &eerste = s.velden.front();
        const QString f = naam(eerste.veld);
        // A longer description search puts the descriptions that begin with it first.
        if (eerste.regel == Zoekregel::ArtikelOmschrijving && m_s.size() > 2)
            return u"IIf(Left(" + f + u", " + m_l + u") = " + zoekLiteral(m_s) + u", 0, 1) ASC, " + f + u" ASC";
        return f + u" ASC";
    }

    // The number the text reads as, written by us rather than as typed.
    std::optional<qlonglong> alsNummer() const
    {
        bool ok = false;
        const qlonglong nummer = m_s.toLongLong(&ok);
        return ok ? std::optional(nummer) : std::nullopt;
    }

private:
    const SelectieBouwer &m_bouwer;
    QString m_s, m_l;
};

} // namespace

QString zoekLiteral(const QString &waarde)
{
    return db::jetText(waarde, u'\'');
}

QString zonderQuotes(QString text)
{
    return text.remove(u'\'').remove(u'"').remove(QChar(0));
}

QString selectieQuery(const SelectieBouwer &bouwer, const QString &zoektekst, int volgorde)
{
    const QString s = zonderQuotes(zoektekst);
    if (volgorde < 0 || volgorde >= int(bouwer.volgordes.size()))
        volgorde = 0;
    const Sortering &sortering = bouwer.volgordes[size_t(volgorde)];
    const Bouw bouw(bouwer, s);

    QString sql = u"SELECT * From " + bouwer.tabel;
    if (!bouwer.join.isEmpty())
        sql += u' ' + bouwer.join;
    if (!s.isEmpty() && s != u"*") {
        QStringList alt;
        for (const Zoekveld &z : sortering.velden)
            bouw.alternatieven(z, alt);
        sql += alt.size() == 1 ? QString(u" WHERE (" + alt.front() + u')')
                               : QString(u" WHERE ((" + alt.join(u") OR (") + u"))");
    }
    return sql + u" ORDER BY " + bouw.volgorde(sortering);
}

} // namespace kv
