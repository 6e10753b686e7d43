#include "core/db/jetsql.h"
#include "core/db/recordset.h"
#include "editing/ledger/grootboekveld.h"
#include "editing/ledger/rekeningschemaoverzicht.h"
#include "editing/selection/selectiekinds.h"
#include "editing/selection/selectiequery.h"
#include "support/demofixture.h"
#include "support/sqlshape.h"

#include <functional>
#include <set>

using namespace kv;
using namespace Qt::StringLiterals;

// Whatever is typed in a search, the statement keeps its shape and finds exactly the rows a
// plain text filter in C++ finds on the demo administration. The search texts are those of the
// screens' own rule: without quotes and NUL (zonderQuotes).

namespace {

// Texts that mean something to SQL, to Jet or to a pattern. A lone "*" lists the whole table by
// design, so "*" comes with a letter.
const QString kNasty[] = {
    u"\""_s, u"'"_s, u"a*"_s, u"*a"_s, u"?"_s, u"["_s, u"]"_s, u"#"_s, u"!"_s, u"&"_s, u";"_s, u"--"_s, u"Chr(34)"_s,
    u"x' OR 'a'='a"_s, u"\" OR \"\"=\""_s, u"'; DELETE FROM Artikelen; --"_s, u"[Artikelen]"_s, u"#1/1/2026#"_s,
    u"a!b & c"_s, u"%_\\"_s, u") OR (1=1"_s, u"Chr(34) & Chr(39)"_s, u"Zürich é €"_s, u"😀"_s, QString(QChar(0)),
    u"ab"_s + QChar(0) + u"c"_s, QString(10000, u'x'),
};

bool begint(const QString &veld, const QString &s) { return veld.startsWith(s, Qt::CaseInsensitive); }
bool bevat(const QString &veld, const QString &s) { return veld.contains(s, Qt::CaseInsensitive); }
bool gelijk(const QString &veld, const QString &s) { return veld.compare(s, Qt::CaseInsensitive) == 0; }

using Rij = QHash<QString, QString>; // searched field -> its text, as SQLite writes it
using Filter = std::function<bool(const Rij &, const QString &s)>;

class SearchInput : public DemoTest {
protected:
    // The rowids of `tabel` the statement finds; it also opens through the engine as the screens open it.
    std::set<qint64> gevonden(const QString &jetSql, const QString &tabel)
    {
        db::Database &db = session.DBAdmin();
        qsizetype geteld = 0;
        for (auto rs = db.OpenQuery(jetSql); !rs->Eof(); rs->MoveNext())
            ++geteld;
        QString sql = db::translateJetSql(jetSql).sql;
        const qsizetype ster = sql.indexOf(u'*'); // SELECT *
        sql = sql.left(ster) + tabel + u".rowid" + sql.mid(ster + 1);
        std::set<qint64> ids;
        for (db::Statement st = db.prepareOnce(sql); st.step();)
            ids.insert(st.column(0).toLongLong());
        EXPECT_EQ(qsizetype(ids.size()), geteld);
        return ids;
    }

    // Every row of `tabel` (with its join) with the text of each field in `velden`.
    std::vector<std::pair<qint64, Rij>> rijen(const QString &tabel, const QString &join, const QStringList &velden)
    {
        QString sql = u"SELECT "_s + tabel + u".rowid"_s;
        for (const QString &veld : velden)
            sql += u", CAST("_s + veld + u" AS TEXT)"_s;
        std::vector<std::pair<qint64, Rij>> alle;
        for (db::Statement st = session.DBAdmin().prepareOnce(sql + u" FROM "_s + tabel + u' ' + join); st.step();) {
            Rij rij;
            for (int i = 0; i < velden.size(); ++i)
                rij[velden[i]] = st.column(i + 1).toString();
            alle.emplace_back(st.column(0).toLongLong(), rij);
        }
        return alle;
    }

    // For every value: the shape of the query equals that of a plain text of the same length,
    // and it finds what `filter` finds. Returns how many rows the real values found.
    qsizetype vergelijk(const std::function<QString(const QString &)> &query, const QString &tabel, const QString &join,
                        const QStringList &velden, const Filter &filter, const QStringList &echteWaarden)
    {
        const auto alle = rijen(tabel, join, velden);
        qsizetype echtGevonden = 0;
        QStringList waarden(std::begin(kNasty), std::end(kNasty));
        waarden += echteWaarden;
        for (const QString &waarde : waarden) {
            SCOPED_TRACE(waarde.left(40).toStdString());
            const QString s = zonderQuotes(waarde);
            if (!echteWaarden.contains(waarde)) { // a real value may add an alternative for a number
                EXPECT_EQ(test::sqlShape(db::translateJetSql(query(waarde)).sql),
                          test::sqlShape(db::translateJetSql(query(QString(s.size(), u'a'))).sql));
            }
            std::set<qint64> verwacht;
            for (const auto &[id, rij] : alle)
                if (s.isEmpty() || s == u"*" || filter(rij, s))
                    verwacht.insert(id);
            EXPECT_EQ(gevonden(query(waarde), tabel), verwacht);
            if (echteWaarden.contains(waarde))
                echtGevonden += qsizetype(verwacht.size());
        }
        return echtGevonden;
    }
};

QString gekwalificeerd(const SelectieBouwer &b, QStringView veld)
{
    return veld.contains(u'.') ? veld.toString() : b.tabel + u'.' + veld;
}

bool past(const SelectieBouwer &b, const Zoekveld &z, const Rij &rij, const QString &s)
{
    const QString veld = rij.value(gekwalificeerd(b, z.veld));
    const auto o = [&](QStringView naam) { return rij.value(gekwalificeerd(b, naam)); };
    bool isGetal = false;
    const qlonglong getal = s.toLongLong(&isGetal);
    switch (z.regel) {
    case Zoekregel::Prefix:
        return begint(veld, s);
    case Zoekregel::PrefixOfNaSpatie:
        return begint(veld, s) || bevat(veld, u' ' + s);
    case Zoekregel::PrefixOfBevat:
        return begint(veld, s) || bevat(veld, s);
    case Zoekregel::Exact:
        return gelijk(veld, s);
    case Zoekregel::TekstOfNummer:
        return gelijk(veld, s) || (isGetal && gelijk(veld, QString::number(getal)));
    case Zoekregel::ArtikelOmschrijving:
        for (QStringView naam : {u"Omschrijving1", u"Omschrijving2"})
            if (begint(o(naam), s) || bevat(o(naam), u' ' + s) || o(naam).endsWith(s, Qt::CaseInsensitive))
                return true;
        return begint(o(u"Zoektekst"), s);
    }
    return false;
}

} // namespace

TEST_F(SearchInput, EverySelectionKindAndOrder)
{
    qsizetype echtGevonden = 0;
    for (const SelectieBouwer &b : selectieBouwers()) {
        for (int volgorde = 0; volgorde < int(b.volgordes.size()); ++volgorde) {
            const Sortering &sortering = b.volgordes[size_t(volgorde)];
            SCOPED_TRACE(b.soorten.front().toString().toStdString() + " / " + sortering.caption.toString().toStdString());
            QStringList velden;
            for (const Zoekveld &z : sortering.velden)
                velden << gekwalificeerd(b, z.veld);
            if (sortering.velden.front().regel == Zoekregel::ArtikelOmschrijving)
                for (QStringView naam : {u"Omschrijving2", u"Zoektekst"})
                    velden << gekwalificeerd(b, naam);
            // A real value of the first searched field, whole and its first two characters.
            QStringList echt;
            for (const auto &[id, rij] : rijen(b.tabel.toString(), b.join.toString(), velden))
                if (const QString w = rij.value(velden.front()).trimmed(); !w.isEmpty()) {
                    echt << w << w.left(2);
                    break;
                }
            const auto query = [&](const QString &waarde) { return selectieQuery(b, waarde, volgorde); };
            const Filter filter = [&](const Rij &rij, const QString &s) {
                return std::any_of(sortering.velden.begin(), sortering.velden.end(),
                                   [&](const Zoekveld &z) { return past(b, z, rij, s); });
            };
            echtGevonden += vergelijk(query, b.tabel.toString(), b.join.toString(), velden, filter, echt);
        }
    }
    EXPECT_GT(echtGevonden, 100); // the filter is held against rows that are there
}

TEST_F(SearchInput, ChartOfAccountsAndLedgerField)
{
    const int posities = positiesGrbnr(ctx);
    const QStringList velden{u"Rekeningschema.GrootboekReknr"_s, u"Rekeningschema.Omschrijving"_s};
    const auto nummer = [](const Rij &r) { return r.value(u"Rekeningschema.GrootboekReknr"_s); };
    const auto omschrijving = [](const Rij &r) { return r.value(u"Rekeningschema.Omschrijving"_s); };
    const struct {
        const char *naam;
        std::function<QString(const QString &)> query;
        Filter filter;
        QStringList echt;
    } soorten[] = {
        {"overzicht op omschrijving", [](const QString &x) { return RekeningschemaOverzicht::query(x, 0, 4); },
         [&](const Rij &r, const QString &s) {
             return begint(omschrijving(r), s) || bevat(omschrijving(r), u' ' + s) || bevat(omschrijving(r), u'-' + s);
         },
         {u"Omzet"_s, u"kos"_s}},
        {"overzicht op nummer", [&](const QString &x) { return RekeningschemaOverzicht::query(x, 1, posities); },
         [&](const Rij &r, const QString &s) { return begint(nummer(r), s) || begint(nummer(r), s.rightJustified(posities, u'0')); },
         {u"8"_s, u"80"_s}},
        {"grootboekveld", [](const QString &x) { return GrootboekVeld::zoekQuery(x); },
         [&](const Rij &r, const QString &s) { return begint(nummer(r), s) || bevat(omschrijving(r), s); },
         {u"bank"_s, u"1"_s}},
    };
    for (const auto &soort : soorten) {
        SCOPED_TRACE(soort.naam);
        EXPECT_GT(vergelijk(soort.query, u"Rekeningschema"_s, {}, velden, soort.filter, soort.echt), 0);
    }
}
