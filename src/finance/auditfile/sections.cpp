#include "finance/auditfile/sections.h"

#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/jobs/progress.h"
#include "core/session/session.h"
#include "editing/iban.h"
#include "editing/ibanregistry.h"
#include "editing/registration.h"
#include "finance/auditfile/rows.h"
#include "finance/auditfile/values.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <string_view>

using namespace Qt::StringLiterals;

namespace kv::finance::auditfile {
namespace {

std::unique_ptr<db::Recordset> gebruikersGegevens(Context &ctx)
{
    auto rs = ctx.session->DBAdmin().OpenQuery(u"SELECT * FROM UserGegevens"_s);
    if (rs->Eof())
        throw Stop{u"Er zijn geen bedrijfsgegevens (UserGegevens) aanwezig.\n\nDe XML auditfile is NIET aangemaakt."_s};
    return rs;
}

QString btwIdent(const QString &btwNr)
{
    return btwNr.toUpper().remove(u'-').remove(u' ');
}

bool isCijfers(QStringView twee)
{
    return twee.size() == 2 && twee[0].isDigit() && twee[1].isDigit();
}

// How long a value the schema lets an element hold; 0 when it sets no limit. Asked for every
// value written, so a sorted table without allocations.
int maximum(QByteArrayView element)
{
    struct Maximum {
        std::string_view element;
        int tekens;
    };
    static constexpr Maximum maxima[] = {
        {"accDesc", 999}, {"accID", 35}, {"bankAccNr", 35}, {"bankIdCd", 35}, {"basicID", 35}, {"city", 50},
        {"commerceNr", 999}, {"companyIdent", 35}, {"companyName", 999}, {"contact", 50}, {"costID", 35},
        {"custSupID", 35}, {"custSupName", 50}, {"docRef", 999}, {"fax", 30}, {"fiscalYear", 9}, {"invRef", 999},
        {"jrnID", 35}, {"nr", 35}, {"number", 15}, {"offsetAccID", 35}, {"postalCode", 10}, {"relationshipID", 35},
        {"streetname", 999}, {"taxRegIdent", 30}, {"telephone", 30}, {"vatDesc", 999}, {"vatID", 35},
        {"vatToClaimAccID", 35}, {"vatToPayAccID", 35},
    };
    static_assert(std::is_sorted(std::begin(maxima), std::end(maxima),
                                 [](const Maximum &a, const Maximum &b) { return a.element < b.element; }));
    const std::string_view naam(element.data(), size_t(element.size()));
    const auto gevonden = std::lower_bound(std::begin(maxima), std::end(maxima), naam,
                                           [](const Maximum &m, std::string_view e) { return m.element < e; });
    return gevonden != std::end(maxima) && gevonden->element == naam ? gevonden->tekens : 0;
}

} // namespace

void Meldingen::add(const QString &melding)
{
    if (m_genoemd.size() < m_maximum)
        m_genoemd << melding;
    else
        ++m_overig;
}

QString Meldingen::tekst() const
{
    QString t = m_genoemd.join(u'\n');
    if (m_overig > 0)
        t += u"\nen nog "_s + QString::number(m_overig);
    return t;
}

Secties::Secties(Context &ctx, XmlWriter &out, Opties opties, Progress *voortgang)
    : m_ctx(ctx), m_out(out), m_opties(opties), m_voortgang(voortgang)
{
}

void Secties::rij()
{
    ++m_rijen;
    if ((m_rijen & 1023) != 0 || !m_voortgang)
        return;
    if (m_voortgang->stopRequested())
        throw Afgebroken{};
    if (const int procent = int(std::min<qint64>(100, m_rijen * 100 / m_totaal)); procent != m_getoond)
        m_voortgang->percent(m_getoond = procent);
}

void Secties::begin()
{
    m_out.raw("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"
              "<auditfile xmlns=\"http://www.auditfiles.nl/XAF/3.2\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">");
}

void Secties::header()
{
    auto rs = gebruikersGegevens(m_ctx);
    const QString &jaar = m_ctx.AdminJaar;
    const bool gebroken = rs->value(u"BoekjaarGebroken").toInt() != 0;
    const QString start = rs->text(u"BoekjaarPeriodeStart"), eind = rs->text(u"BoekjaarPeriodeEind");
    noem(u"Bedrijfsgegevens: "_s);
    m_out.open("header");
    opgeslagen("fiscalYear", gebroken ? start.left(4) + u'-' + eind.left(4) : jaar);
    m_start = gebroken ? datum(start, jaar) : jaar + u"-01-01"_s;
    m_eind = gebroken ? datum(eind, jaar) : jaar + u"-12-31"_s;
    m_out.element("startDate", m_start);
    m_out.element("endDate", m_eind);
    m_out.raw("<curCode>EUR</curCode>");
    m_out.element("dateCreated", m_ctx.today().toString(u"yyyy-MM-dd"_s));
    m_out.raw("<softwareDesc>Velmo KorvenalPro</softwareDesc>");
    m_out.element("softwareVersion", u"2017"_s + u" - "_s + u"01"_s);
    m_out.close("header");
}

void Secties::adres(QByteArrayView element, const QString &straat, const QString &nummer, const QString &plaats,
                    const QString &code, const QString &land)
{
    m_out.open(element);
    vrijeTekst("streetname", straat);
    opgeslagen("number", nummer);
    m_out.raw("<numberExtension></numberExtension><property></property>");
    vrijeTekst("city", plaats);
    opgeslagen("postalCode", postcode(code));
    m_out.raw("<region></region>");
    m_out.element("country", land);
    m_out.close(element);
}

void Secties::companyBegin()
{
    auto rs = gebruikersGegevens(m_ctx);
    m_out.open("company");
    opgeslagen("companyIdent", m_ctx.AdminCode + m_ctx.AdminJaar);
    vrijeTekst("companyName", rs->text(u"Naam"));
    m_out.raw("<taxRegistrationCountry>NL</taxRegistrationCountry>");
    opgeslagen("taxRegIdent", btwIdent(rs->text(u"BTWNr")));
    adres("streetAddress", rs->text(u"Adres"), rs->text(u"Huisnummer"), rs->text(u"Woonplaats"),
          rs->text(u"Postcode"), u"NL"_s);
    adres("postalAddress", rs->text(u"PostAdres"), rs->text(u"PostHuisnummer"), rs->text(u"PostWoonplaats"),
          rs->text(u"PostPostcode"), u"NL"_s);
}

QString Secties::landVanRelatie(const QVariant &landcode)
{
    if (landcode.isNull())
        return {};
    db::Statement land = m_ctx.session->DBAdmin().prepare(u"SELECT Omschrijving FROM TabelLandcode WHERE CodeNr = ?"_s);
    land.bind(1, landcode);
    return land.step() ? landcodeVan(land.column(0).toString()) : QString();
}

void Secties::customersSuppliers()
{
    db::Database &db = m_ctx.session->DBAdmin();
    if (!db.hasRows(u"RelatieGegevens"_s))
        return;
    m_out.open("customersSuppliers");
    Rij rel(db, u"SELECT * FROM RelatieGegevens ORDER BY RelNr"_s);
    while (rel.volgende()) {
        rij();
        const QString relNr = rel.tekst(u"RelNr"_s);
        m_relaties.insert(relNr);
        const QString eigenLand = landVanRelatie(rel.waarde(u"Bedrijfslandcode"_s));
        noem(u"Relatie "_s + relNr + u": "_s);
        m_out.open("customerSupplier");
        opgeslagen("custSupID", relNr);
        vrijeTekst("custSupName", rel.tekst(u"Bedrijfsnaam1"_s));
        vrijeTekst("contact", rel.tekst(u"BedrijfsContact"_s));
        vrijeTekst("telephone", rel.tekst(u"TelefoonNr"_s));
        vrijeTekst("fax", rel.tekst(u"Faxnr"_s));
        vrijeTekst("eMail", rel.tekst(u"Email"_s));
        vrijeTekst("website", rel.tekst(u"Website"_s));
        vrijeTekst("commerceNr", rel.tekst(u"KvKNr"_s));

        QString btwNr = rel.tekst(u"BTWNr"_s);
        if (btwNr.isEmpty()) {
            m_out.raw("<taxRegistrationCountry>NL</taxRegistrationCountry><taxRegIdent></taxRegIdent>");
        } else {
            QString land = btwNr.left(2).toUpper();
            if (isCijfers(land)) {
                // A bare Dutch number gets its prefix, in the database too once the file is made.
                if (eigenLand == u"NL" && CheckBtwNummer(btwNr)) {
                    btwNr = u"NL"_s + btwNr;
                    m_herstellingen.push_back({relNr, btwNr});
                    land = u"NL"_s;
                } else if (!CheckBtwNummer(btwNr)) {
                    land.clear();
                }
            }
            if (!isLandcode(land))
                throw Stop{
                    u"Let op:\nEr is geen geldigde landcodering (volgens de verplichte ISO 3166 norm) aangetroffen bij de BTW-rekening van relatienummer : "_s
                    + relNr + u"\n\n"_s + kNietAangemaakt};
            m_out.element("taxRegistrationCountry", land);
            opgeslagen("taxRegIdent", btwIdent(btwNr));
        }

        const QVariant soortWaarde = rel.waarde(u"RelSoort"_s);
        const int soort = soortWaarde.isNull() ? -1 : soortWaarde.toInt();
        opgeslagen("relationshipID", soortWaarde.toString());
        static const char *const typen[] = {"C", "S", "B", "O"};
        if (soort >= 0 && soort <= 3)
            m_out.element("custSupTp", QByteArrayView(typen[soort]));
        const QVariant limiet = rel.waarde(u"Limiet"_s);
        if (limiet.toDouble() != 0 && (soort == 0 || soort == 1))
            m_out.element(soort == 0 ? "custCreditLimit" : "supplierLimit", bedrag(m_ctx.separators, limiet));

        const QString land = eigenLand.isEmpty() ? u"NL"_s : eigenLand;
        if (!isLandcode(land))
            throw Stop{u"Let op:\nEr is een ongeldige landcodering bij relatienummer "_s + relNr
                       + u" aangetroffen.\n(volgens de verplichte ISO 3166 norm)\n\n"_s + kNietAangemaakt};
        adres("streetAddress", rel.tekst(u"BedrijfsAdres"_s), rel.tekst(u"BedrijfsHuisNr"_s),
              rel.tekst(u"BedrijfsWoonplaats"_s), rel.tekst(u"BedrijfsPostcode"_s), land);

        for (const QString &veld : {u"BankNr"_s, u"PostbankNr"_s}) {
            const QString nummer = rel.tekst(veld);
            if (const QString advies = IBANAdvies(nummer); !advies.isEmpty())
                opmerking(Opmerking::Iban, record() + u"\""_s + nummer + u"\": "_s + advies);
            if (nummer.isEmpty() || !IsGeldigIBAN(nummer))
                continue;
            m_out.open("bankAccount");
            opgeslagen("bankAccNr", nummer.toUpper().remove(u' '));
            if (const QString bic = IBANNaarBIC(nummer); !bic.isEmpty())
                opgeslagen("bankIdCd", bic);
            m_out.close("bankAccount");
        }
        m_out.close("customerSupplier");
    }
    m_out.close("customersSuppliers");
}

void Secties::generalLedger()
{
    db::Database &db = m_ctx.session->DBAdmin();
    m_out.open("generalLedger");
    Rij rek(db, u"SELECT GrootboekReknr, Omschrijving, Soortrek FROM RekeningSchema ORDER BY GrootboekReknr"_s);
    while (rek.volgende()) {
        rij();
        const QString nummer = rek.tekst(u"GrootboekReknr"_s);
        if (nummer.contains(u'*'))
            continue;
        m_rekeningen.insert(nummer);
        const QVariant soort = rek.waarde(u"Soortrek"_s);
        noem(u"Grootboekrekening "_s + nummer + u": "_s);
        m_out.open("ledgerAccount");
        opgeslagen("accID", nummer);
        vrijeTekst("accDesc", rek.tekst(u"Omschrijving"_s));
        // Any other kind than balance or profit and loss is declared mixed, as the schema requires a type.
        m_out.element("accTp", QByteArrayView(soort.isNull() ? "M" : soort.toInt() == 0 ? "B" : soort.toInt() == 1 ? "P" : "M"));
        m_out.close("ledgerAccount");
    }
    if (m_rekeningen.isEmpty())
        fout(u"Het rekeningschema bevat geen grootboekrekeningen."_s);
    m_out.open("basics");
    if (m_opties.kostenplaatsen) {
        Rij kp(db, u"SELECT CodeNr, Omschrijving FROM TabelKostenplaatsen ORDER BY CodeNr"_s);
        while (kp.volgende()) {
            noem(u"Kostenplaats "_s + kp.tekst(u"CodeNr"_s) + u": "_s);
            m_out.raw("<basic><basicType>02</basicType>");
            opgeslagen("basicID", kp.tekst(u"CodeNr"_s));
            vrijeTekst("basicDesc", kp.tekst(u"Omschrijving"_s));
            m_out.close("basic");
        }
    }
    static const char *const relatieSoorten[] = {"Debiteur", "Crediteur", "Debiteur,Crediteur", "Prospect"};
    for (int i = 0; i < 4; ++i) {
        m_out.raw("<basic><basicType>23</basicType>");
        m_out.element("basicID", QByteArrayView(QByteArray::number(i)));
        m_out.element("basicDesc", QByteArrayView(relatieSoorten[i]));
        m_out.close("basic");
    }
    m_out.close("basics");
    m_out.close("generalLedger");
}

void Secties::vatCodes()
{
    db::Database &db = m_ctx.session->DBAdmin();
    if (!db.hasRows(u"BTWcodering"_s))
        return;
    m_out.open("vatCodes");
    Rij code(db, u"SELECT BTWCode, Omschrijving, BTWPercentage, grootboekreknrverkoop, grootboekreknrinkoop "
                 u"FROM BTWcodering ORDER BY BTWCode"_s);
    while (code.volgende()) {
        m_btwCodes.insert(code.waarde(u"BTWCode"_s).toInt(), code.waarde(u"BTWPercentage"_s));
        noem(u"BTW code "_s + code.tekst(u"BTWCode"_s) + u": "_s);
        m_out.open("vatCode");
        opgeslagen("vatID", code.tekst(u"BTWCode"_s));
        vrijeTekst("vatDesc", code.tekst(u"Omschrijving"_s));
        opgeslagen("vatToPayAccID", code.tekst(u"grootboekreknrverkoop"_s));
        opgeslagen("vatToClaimAccID", code.tekst(u"grootboekreknrinkoop"_s));
        m_out.close("vatCode");
    }
    m_out.close("vatCodes");
}

void Secties::periods()
{
    const int soort = gebruikersGegevens(m_ctx)->value(u"BoekingsPeriode").toInt();
    const int jaar = m_ctx.AdminJaar.toInt();
    const auto periode = [&](int nummer, const QString &omschrijving, int eersteMaand, int laatsteMaand) {
        const QDate start(jaar, eersteMaand, 1), eind(jaar, laatsteMaand, QDate(jaar, laatsteMaand, 1).daysInMonth());
        m_out.open("period");
        m_out.element("periodNumber", QByteArrayView(QByteArray::number(nummer)));
        m_out.element("periodDesc", omschrijving);
        m_out.element("startDatePeriod", m_ctx.AdminJaar + start.toString(u"-MM-dd"_s));
        m_out.element("endDatePeriod", m_ctx.AdminJaar + eind.toString(u"-MM-dd"_s));
        m_out.close("period");
    };
    m_perioden = soort == 0 ? 1 : soort == 1 ? 4 : 12;
    m_out.open("periods");
    if (soort == 0) {
        periode(1, u"Periode 1"_s, 1, 12);
    } else if (soort == 1) {
        for (int k = 1; k <= 4; ++k)
            periode(k, QString::number(k) + u"e kwartaal"_s, 3 * k - 2, 3 * k);
    } else { // months, and weeks too: the file knows no week periods
        for (int m = 1; m <= 12; ++m)
            periode(m, u"Maand "_s + QString::number(m), m, m);
    }
    m_out.close("periods");
}

void Secties::openingBalance()
{
    if (m_opties.zonderBeginbalans)
        return;
    struct Regel {
        QString rekening, bedrag;
        bool debet;
    };
    // Yields each account whose opening debit and credit differ by at least a written cent.
    const auto walk = [&](auto &&each) {
        Rij rek(m_ctx.session->DBAdmin(), u"SELECT GrootboekReknr, BeginsaldoDebet, BeginsaldoCredit "
                                          u"FROM RekeningSchema ORDER BY GrootboekReknr"_s);
        while (rek.volgende()) {
            rij();
            const QString nummer = rek.tekst(u"GrootboekReknr"_s);
            if (nummer.contains(u'*'))
                continue;
            const double verschil = rek.waarde(u"BeginsaldoDebet"_s).toDouble() - rek.waarde(u"BeginsaldoCredit"_s).toDouble();
            const QString written = bedrag(m_ctx.separators, std::abs(verschil));
            if (centen(written) != 0)
                each(Regel{nummer, written, verschil > 0});
        }
    };
    // Counts and totals come first in the file, so the small chart is read twice.
    qint64 aantal = 0, debet = 0, credit = 0;
    walk([&](const Regel &r) {
        ++aantal;
        (r.debet ? debet : credit) += centen(r.bedrag);
    });
    if (aantal == 0)
        return;
    m_out.open("openingBalance");
    m_out.element("opBalDate", m_ctx.AdminJaar + u"-01-01"_s);
    m_out.raw("<opBalDesc>Openingsbalans</opBalDesc>");
    m_out.element("linesCount", QByteArrayView(QByteArray::number(aantal)));
    m_out.element("totalDebit", bedragUitCenten(debet));
    m_out.element("totalCredit", bedragUitCenten(credit));
    qint64 nr = 0;
    walk([&](const Regel &r) {
        noem(u"Grootboekrekening "_s + r.rekening + u": "_s);
        m_out.open("obLine");
        m_out.element("nr", QByteArrayView(QByteArray::number(++nr)));
        opgeslagen("accID", r.rekening);
        m_out.element("amnt", r.bedrag);
        m_out.element("amntTp", QByteArrayView(r.debet ? "D" : "C"));
        m_out.close("obLine");
    });
    m_out.close("openingBalance");
}

void Secties::stopBijFouten()
{
    // The run reads on after a fault, so that one try names them all (up to a limit).
    if (!m_fouten.isEmpty())
        throw Stop{m_fouten.tekst() + u"\n\nDe XML auditfile is NIET aangemaakt."_s};
}

QStringList Secties::opmerkingen() const
{
    QStringList lijst;
    for (const Meldingen &soort : m_opmerkingen)
        if (!soort.isEmpty())
            lijst << soort.tekst();
    return lijst;
}

void Secties::opgeslagen(QByteArrayView element, const QString &waarde)
{
    const auto onmogelijk = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF; };
    const auto naam = [&] { return QString::fromLatin1(element); };
    if (std::any_of(waarde.begin(), waarde.end(), onmogelijk)) {
        QString getoond = waarde;
        std::replace_if(getoond.begin(), getoond.end(), onmogelijk, u'?');
        fout(record() + u"de waarde \""_s + getoond + u"\" bevat een teken dat XML niet kan bevatten ("_s + naam() + u")."_s);
    } else if (const int max = maximum(element); max > 0 && waarde.size() > max) {
        fout(record() + u"\""_s + waarde + u"\" is langer dan "_s + QString::number(max) + u" tekens ("_s + naam() + u")."_s);
    }
    m_out.element(element, alsOpgeslagen(waarde));
}

void Secties::vrijeTekst(QByteArrayView element, const QString &waarde)
{
    const QString t = tekst(waarde);
    const int max = maximum(element);
    if (max == 0 || t.size() <= max) {
        m_out.element(element, t);
        return;
    }
    opmerking(Opmerking::Ingekort, record() + u"\""_s + t + u"\" is ingekort tot "_s + QString::number(max)
                                       + u" tekens ("_s + QString::fromLatin1(element) + u")."_s);
    m_out.element(element, t.left(max));
}

void Secties::end()
{
    stopBijFouten();
    m_out.raw("</company></auditfile>\r\n");
}

void Secties::all()
{
    // The bar follows the rows read: relations, the chart twice, the ledger lines twice.
    {
        db::Statement tel = m_ctx.session->DBAdmin().prepare(
            u"SELECT (SELECT COUNT(*) FROM RelatieGegevens) + 2 * (SELECT COUNT(*) FROM RekeningSchema) "
            u"+ 2 * (SELECT COUNT(*) FROM GrootboekMutaties)"_s);
        tel.step();
        m_totaal = std::max<qint64>(1, tel.column(0).toLongLong());
    }
    begin();
    header();
    companyBegin();
    customersSuppliers();
    generalLedger();
    vatCodes();
    periods();
    openingBalance();
    transactions();
    end();
}

} // namespace kv::finance::auditfile
