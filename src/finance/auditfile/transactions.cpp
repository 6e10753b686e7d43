#include "finance/auditfile/sections.h"

#include "core/db/database.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "finance/auditfile/rows.h"
#include "finance/auditfile/values.h"

#include <QDate>

using namespace Qt::StringLiterals;

// The transactions section: counts and totals first, then per journal one ordered walk.
namespace kv::finance::auditfile {
namespace {

// The columns of a ledger line as the journal walk selects them, read by position.
namespace lijn {
enum Kolom {
    DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, Omschrijving, Bedrag, DCCode, RelatieNr, FactuurNr,
    Kostenplaats, BTWCode, BTWPercentage, BTWBedrag,
};
const QString kolommen = u"DagboekCode, BoekstukNr, Periode, BoekingsDatum, GrootboekReknr, Omschrijving, Bedrag, "
                         u"DCCode, RelatieNr, FactuurNr, Kostenplaats, BTWCode, BTWPercentage, BTWBedrag"_s;
} // namespace lijn

// Whether "yyyy-mm-dd" is a real date, read from its digits.
bool isDatum(QStringView t)
{
    if (t.size() != 10 || t[4] != u'-' || t[7] != u'-')
        return false;
    bool j = false, m = false, d = false;
    const int jaar = t.left(4).toInt(&j), maand = t.mid(5, 2).toInt(&m), dag = t.mid(8, 2).toInt(&d);
    return j && m && d && QDate::isValid(jaar, maand, dag);
}

// How a fault names its ledger line.
QString regelNaam(int nr, const Rij &regel)
{
    return u"Dagboek "_s + regel.tekst(lijn::DagboekCode) + u", boekstuk "_s + regel.tekst(lijn::BoekstukNr)
           + u", regel "_s + QString::number(nr) + u" (rekening "_s + regel.tekst(lijn::GrootboekReknr) + u"): "_s;
}

// The transactions whose sides differ, named under the totals message (the sums in cents as
// the amounts are written).
QString onevenwichtig(db::Database &db)
{
    Rij t(db, u"SELECT DagboekCode, BoekstukNr, "
              u"SUM(CASE WHEN upper(DCCode) = 'D' THEN round(Bedrag * 100) ELSE 0 END) AS Debet, "
              u"SUM(CASE WHEN upper(DCCode) = 'C' THEN round(Bedrag * 100) ELSE 0 END) AS Credit "
              u"FROM GrootboekMutaties WHERE coalesce(Periode, -1) <> 0 AND instr(GrootboekReknr, '*') = 0 "
              u"GROUP BY DagboekCode, BoekstukNr HAVING Debet <> Credit ORDER BY DagboekCode, BoekstukNr"_s);
    Meldingen m;
    while (t.volgende())
        m.add(u"Dagboek "_s + t.tekst(u"DagboekCode"_s) + u", boekstuk "_s + t.tekst(u"BoekstukNr"_s) + u": debet "_s
              + bedragUitCenten(t.waarde(u"Debet"_s).toLongLong()) + u" en credit "_s
              + bedragUitCenten(t.waarde(u"Credit"_s).toLongLong()) + u" zijn niet gelijk."_s);
    return m.isEmpty() ? QString() : u"\n\n"_s + m.tekst();
}

} // namespace

void Secties::transactions()
{
    db::Database &db = m_ctx.session->DBAdmin();
    // Counts and totals first, in cents of the amounts as written, so they equal the lines.
    qint64 aantal = 0, debet = 0, credit = 0;
    {
        Rij regel(db, u"SELECT Bedrag, DCCode FROM GrootboekMutaties WHERE coalesce(Periode, -1) <> 0 "
                      u"AND instr(GrootboekReknr, '*') = 0"_s);
        while (regel.volgende()) {
            rij();
            ++aantal;
            const qint64 c = centenVan(m_ctx.separators, regel.waarde(0));
            const QString dc = regel.tekst(1).toUpper();
            if (dc == u"D")
                debet += c;
            else if (dc == u"C") // anything else is named as a fault with its line
                credit += c;
        }
    }
    if (aantal == 0)
        return;
    if (debet != credit)
        throw Stop{u"Let op:\nEr zit een verschil in de grootboekmutaties.\n\n"_s + kNietAangemaakt
                   + onevenwichtig(db)};
    const bool kostenplaatsen = m_opties.kostenplaatsen && db.hasRows(u"TabelKostenplaatsen"_s);

    m_out.open("transactions");
    m_out.element("linesCount", QByteArrayView(QByteArray::number(aantal)));
    m_out.element("totalDebit", bedragUitCenten(debet));
    m_out.element("totalCredit", bedragUitCenten(credit));
    // Journals with transactions, in the order their first line (of any period) was booked;
    // only their codes stay in memory.
    QStringList codes;
    {
        Rij dagboek(db, u"SELECT DagboekCode FROM GrootboekMutaties GROUP BY DagboekCode "
                        u"HAVING MAX(coalesce(Periode, -1) <> 0) = 1 ORDER BY MIN(ID)"_s);
        while (dagboek.volgende())
            codes << dagboek.tekst(u"DagboekCode"_s);
    }
    for (const QString &code : codes)
        journal(code, kostenplaatsen);
    stopBijFouten();
    m_out.raw("<subledgers></subledgers></transactions>");
}

void Secties::journal(const QString &code, bool kostenplaatsen)
{
    db::Database &db = m_ctx.session->DBAdmin();
    db::Statement dagboek = db.prepareOnce(u"SELECT Omschrijving, GrootboekReknr, BankRekening FROM Dagboek "
                                           u"WHERE DagboekCode = ?"_s);
    dagboek.bind(1, code);
    if (!dagboek.step())
        throw Stop{u"Tijdens het aanmaken is er ongeldige of onjuiste data aangetroffen.\n\n"
                   u"De XML auditfile is NIET aangemaakt."_s};
    const QString omschrijving = dagboek.column(0).toString(), tegenrekening = dagboek.column(1).toString(),
                  bank = dagboek.column(2).toString();
    noem(u"Dagboek "_s + code + u": "_s);
    m_out.open("journal");
    opgeslagen("jrnID", code);
    vrijeTekst("desc", omschrijving);
    m_out.element("jrnTp", journaalType(omschrijving));
    if (m_rekeningen.contains(tegenrekening))
        opgeslagen("offsetAccID", tegenrekening);
    if (!bank.isEmpty())
        opgeslagen("bankAccNr", bank.toUpper().remove(u' '));

    Rij regel(db, u"SELECT "_s + lijn::kolommen + u" FROM GrootboekMutaties WHERE DagboekCode = ? AND coalesce(Periode, -1) <> 0 "
                  u"ORDER BY BoekstukNr, ID"_s, code);
    QString boekstuk;
    bool open = false;
    int nr = 0;
    while (regel.volgende()) {
        rij();
        const QString dit = regel.tekst(lijn::BoekstukNr);
        if (!open || dit.compare(boekstuk, Qt::CaseInsensitive) != 0) {
            if (open)
                closeTransaction();
            boekstuk = dit;
            open = true;
            nr = 0;
            noem(u"Dagboek "_s + code + u", boekstuk "_s + dit + u": "_s);
            m_transactie = {m_record, 0, 0};
            m_out.open("transaction");
            opgeslagen("nr", dit);
            const QVariant periode = regel.waarde(lijn::Periode);
            m_out.element("periodNumber", periode.toString());
            if (periode.toLongLong() > m_perioden)
                opmerking(Opmerking::Periode, m_record + u"periode "_s + periode.toString()
                                                   + u" staat niet in de perioden van het bestand (periodNumber)."_s);
            const QString trDt = datum(regel.tekst(lijn::BoekingsDatum), m_ctx.AdminJaar);
            m_out.element("trDt", trDt);
            if (trDt < m_start || trDt > m_eind)
                opmerking(Opmerking::Datum, m_record + u"\""_s + trDt + u"\" ligt buiten het boekjaar (trDt)."_s);
        }
        if (!regel.tekst(lijn::GrootboekReknr).contains(u'*'))
            trLine(++nr, regel, kostenplaatsen);
    }
    if (open)
        closeTransaction();
    m_regel = nullptr; // the walk's row is gone
    m_out.close("journal");
}

void Secties::closeTransaction()
{
    if (m_transactie.debet != m_transactie.credit)
        opmerking(Opmerking::Onevenwichtig, m_transactie.naam + u"debet "_s + bedragUitCenten(m_transactie.debet)
                                                 + u" en credit "_s + bedragUitCenten(m_transactie.credit)
                                                 + u" zijn niet gelijk."_s);
    m_out.close("transaction");
}

void Secties::trLine(int nr, const Rij &regel, bool kostenplaatsen)
{
    const QString dc = regel.tekst(lijn::DCCode).toUpper();
    const QString effDate = datum(regel.tekst(lijn::BoekingsDatum), m_ctx.AdminJaar);
    const qint64 cents = centenVan(m_ctx.separators, regel.waarde(lijn::Bedrag));
    const QString amnt = bedragUitCenten(cents);
    m_regel = &regel;
    m_regelNr = nr;
    ++m_regels;
    controleer(regel, effDate);
    (dc == u"D" ? m_transactie.debet : m_transactie.credit) += cents;
    m_out.open("trLine");
    m_out.element("nr", QByteArrayView(QByteArray::number(nr)));
    opgeslagen("accID", regel.tekst(lijn::GrootboekReknr));
    opgeslagen("docRef", regel.tekst(lijn::BoekstukNr));
    m_out.element("effDate", effDate);
    vrijeTekst("desc", regel.tekst(lijn::Omschrijving));
    m_out.element("amnt", amnt);
    m_out.element("amntTp", alsOpgeslagen(dc));
    if (const QString relatie = regel.tekst(lijn::RelatieNr); !relatie.isEmpty()) {
        opgeslagen("custSupID", relatie);
        if (!m_relaties.contains(relatie))
            opmerking(Opmerking::Relatie, record() + u"relatie \""_s + relatie + u"\" bestaat niet (custSupID)."_s);
    }
    if (const QString factuur = regel.tekst(lijn::FactuurNr); !factuur.isEmpty())
        vrijeTekst("invRef", factuur);
    // A cost centre or VAT code of 0 means none.
    if (const int kp = regel.waarde(lijn::Kostenplaats).toInt(); kostenplaatsen && kp != 0)
        m_out.element("costID", QByteArrayView(QByteArray::number(kp)));
    if (const int code = regel.waarde(lijn::BTWCode).toInt(); m_opties.btw && code != 0) {
        const auto bekend = m_btwCodes.constFind(code);
        QVariant perc = regel.waarde(lijn::BTWPercentage);
        if (perc.isNull() || perc.toString().isEmpty()) {
            perc = bekend != m_btwCodes.cend() ? *bekend : QVariant();
            if (perc.isNull())
                fout(record() + u"BTW code "_s + QString::number(code) + u" bestaat niet en de regel heeft geen BTW percentage."_s);
        } else if (bekend == m_btwCodes.cend()) {
            opmerking(Opmerking::BtwCode, record() + u"BTW code "_s + QString::number(code) + u" bestaat niet (vatID)."_s);
        }
        if (perc.toDouble() < 0)
            fout(record() + u"het BTW percentage "_s + bedrag(m_ctx.separators, perc) + u" is negatief."_s);
        m_out.open("vat");
        m_out.element("vatID", QByteArrayView(QByteArray::number(code)));
        m_out.element("vatPerc", bedrag(m_ctx.separators, perc));
        m_out.element("vatAmnt", bedrag(m_ctx.separators, regel.waarde(lijn::BTWBedrag)));
        m_out.element("vatAmntTp", alsOpgeslagen(dc));
        m_out.close("vat");
    }
    m_out.close("trLine");
}

QString Secties::record() const
{
    return m_regel ? regelNaam(m_regelNr, *m_regel) : m_record;
}

void Secties::controleer(const Rij &regel, const QString &effDate)
{
    const QString dc = regel.tekst(lijn::DCCode).toUpper();
    if (dc != u"D" && dc != u"C")
        fout(record() + u"het debet/credit-kenmerk \""_s + regel.tekst(lijn::DCCode) + u"\" is geen D of C."_s);
    if (!m_rekeningen.contains(regel.tekst(lijn::GrootboekReknr)))
        fout(record() + u"de rekening staat niet in het rekeningschema."_s);
    const QVariant periode = regel.waarde(lijn::Periode);
    if (periode.isNull() || periode.toLongLong() < 1 || periode.toLongLong() > 999)
        fout(record() + u"de periode \""_s + periode.toString() + u"\" ligt niet tussen 0 en 999."_s);
    if (!isDatum(effDate))
        fout(record() + u"\""_s + effDate + u"\" is geen geldige datum (effDate)."_s);
}

} // namespace kv::finance::auditfile
