#include "finance/auditfile/sections.h"

#include "core/db/database.h"
#include "core/db/recordset.h"
#include "core/db/statement.h"
#include "core/session/session.h"
#include "editing/iban.h"
#include "editing/registration.h"
#include "finance/auditfile/rows.h"
#include "finance/auditfile/values.h"

#include <QDate>

#include <algorithm>
#include <cmath>

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

} // namespace

Secties::Secties(Context &ctx, XmlWriter &out, Opties opties) : m_ctx(ctx), m_out(out), m_opties(opties) {}

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
    m_record = u"Bedrijfsgegevens: "_s;
    m_out.open("header");
    if (gebroken) {
        m_out.element("fiscalYear", opgeslagen(start.left(4) + u'-' + eind.left(4)));
        m_out.element("startDate", datum(start, jaar));
        m_out.element("endDate", datum(eind, jaar));
    } else {
        m_out.element("fiscalYear", opgeslagen(jaar));
        m_out.element("startDate", jaar + u"-01-01"_s);
        m_out.element("endDate", jaar + u"-12-31"_s);
    }
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
    m_out.element("streetname", tekst(straat));
    m_out.element("number", opgeslagen(nummer));
    m_out.raw("<numberExtension></numberExtension><property></property>");
    m_out.element("city", tekst(plaats, 50));
    m_out.element("postalCode", opgeslagen(postcode(code)));
    m_out.raw("<region></region>");
    m_out.element("country", land);
    m_out.close(element);
}

void Secties::companyBegin()
{
    auto rs = gebruikersGegevens(m_ctx);
    m_out.open("company");
    m_out.element("companyIdent", opgeslagen(m_ctx.AdminCode + m_ctx.AdminJaar));
    m_out.element("companyName", tekst(rs->text(u"Naam")));
    m_out.raw("<taxRegistrationCountry>NL</taxRegistrationCountry>");
    m_out.element("taxRegIdent", opgeslagen(btwIdent(rs->text(u"BTWNr"))));
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
        const QString relNr = rel.tekst(u"RelNr"_s);
        const QString eigenLand = landVanRelatie(rel.waarde(u"Bedrijfslandcode"_s));
        m_record = u"Relatie "_s + relNr + u": "_s;
        m_out.open("customerSupplier");
        m_out.element("custSupID", opgeslagen(relNr));
        m_out.element("custSupName", tekst(rel.tekst(u"Bedrijfsnaam1"_s), 50));
        m_out.element("contact", tekst(rel.tekst(u"BedrijfsContact"_s), 50));
        m_out.element("telephone", tekst(rel.tekst(u"TelefoonNr"_s), 30));
        m_out.element("fax", tekst(rel.tekst(u"Faxnr"_s), 30));
        m_out.element("eMail", tekst(rel.tekst(u"Email"_s)));
        m_out.element("website", tekst(rel.tekst(u"Website"_s)));
        m_out.element("commerceNr", tekst(rel.tekst(u"KvKNr"_s)));

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
                throw Stop{u"Let op:\nEr is geen geldigde landcodering (volgens de verplichte ISO 3166 norm) "
                           u"aangetroffen bij de BTW-rekening van relatienummer : "_s
                           + relNr + u"\n\n"_s + kNietAangemaakt};
            m_out.element("taxRegistrationCountry", land);
            m_out.element("taxRegIdent", opgeslagen(btwIdent(btwNr)));
        }

        const QVariant soortWaarde = rel.waarde(u"RelSoort"_s);
        const int soort = soortWaarde.isNull() ? -1 : soortWaarde.toInt();
        m_out.element("relationshipID", opgeslagen(soortWaarde.toString()));
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
            if (nummer.isEmpty() || !IsGeldigIBAN(nummer))
                continue;
            m_out.open("bankAccount");
            m_out.element("bankAccNr", opgeslagen(nummer.toUpper().remove(u' ')));
            if (const QString bic = IBANNaarBIC(nummer); !bic.isEmpty())
                m_out.element("bankIdCd", opgeslagen(bic));
            m_out.close("bankAccount");
        }
        m_out.close("customerSupplier");
    }
    m_out.close("customersSuppliers");
}

void Secties::generalLedger()
{
    db::Database &db = m_ctx.session->DBAdmin();
    int rekeningen = 0;
    m_out.open("generalLedger");
    Rij rek(db, u"SELECT GrootboekReknr, Omschrijving, Soortrek FROM RekeningSchema ORDER BY GrootboekReknr"_s);
    while (rek.volgende()) {
        const QString nummer = rek.tekst(u"GrootboekReknr"_s);
        if (nummer.contains(u'*'))
            continue;
        ++rekeningen;
        const QVariant soort = rek.waarde(u"Soortrek"_s);
        m_record = u"Grootboekrekening "_s + nummer + u": "_s;
        m_out.open("ledgerAccount");
        m_out.element("accID", opgeslagen(nummer));
        m_out.element("accDesc", tekst(rek.tekst(u"Omschrijving"_s)));
        // Any other kind than balance or profit and loss is declared mixed, as the schema requires a type.
        m_out.element("accTp", QByteArrayView(soort.isNull() ? "M" : soort.toInt() == 0 ? "B" : soort.toInt() == 1 ? "P" : "M"));
        m_out.close("ledgerAccount");
    }
    if (rekeningen == 0)
        fout(u"Het rekeningschema bevat geen grootboekrekeningen."_s);
    m_out.open("basics");
    if (m_opties.kostenplaatsen) {
        Rij kp(db, u"SELECT CodeNr, Omschrijving FROM TabelKostenplaatsen ORDER BY CodeNr"_s);
        while (kp.volgende()) {
            m_record = u"Kostenplaats "_s + kp.tekst(u"CodeNr"_s) + u": "_s;
            m_out.raw("<basic><basicType>02</basicType>");
            m_out.element("basicID", opgeslagen(kp.tekst(u"CodeNr"_s)));
            m_out.element("basicDesc", tekst(kp.tekst(u"Omschrijving"_s)));
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
    Rij code(db, u"SELECT BTWCode, Omschrijving, grootboekreknrverkoop, grootboekreknrinkoop FROM BTWcodering "
                 u"ORDER BY BTWCode"_s);
    while (code.volgende()) {
        m_record = u"BTW code "_s + code.tekst(u"BTWCode"_s) + u": "_s;
        m_out.open("vatCode");
        m_out.element("vatID", opgeslagen(code.tekst(u"BTWCode"_s)));
        m_out.element("vatDesc", tekst(code.tekst(u"Omschrijving"_s)));
        m_out.element("vatToPayAccID", opgeslagen(code.tekst(u"grootboekreknrverkoop"_s)));
        m_out.element("vatToClaimAccID", opgeslagen(code.tekst(u"grootboekreknrinkoop"_s)));
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
        m_record = u"Grootboekrekening "_s + r.rekening + u": "_s;
        m_out.open("obLine");
        m_out.element("nr", QByteArrayView(QByteArray::number(++nr)));
        m_out.element("accID", opgeslagen(r.rekening));
        m_out.element("amnt", r.bedrag);
        m_out.element("amntTp", QByteArrayView(r.debet ? "D" : "C"));
        m_out.close("obLine");
    });
    m_out.close("openingBalance");
}

void Secties::fout(const QString &melding)
{
    if (m_fouten.size() < kGenoemdeFouten)
        m_fouten << melding;
    else
        ++m_overigeFouten;
}

void Secties::stopBijFouten()
{
    // The run reads on after a fault, so that one try names them all (up to a limit).
    if (m_fouten.isEmpty())
        return;
    QString melding = m_fouten.join(u'\n');
    if (m_overigeFouten > 0)
        melding += u"\nen nog "_s + QString::number(m_overigeFouten);
    throw Stop{melding + u"\n\nDe XML auditfile is NIET aangemaakt."_s};
}

QString Secties::opgeslagen(const QString &waarde)
{
    const auto onmogelijk = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF; };
    if (std::any_of(waarde.begin(), waarde.end(), onmogelijk)) {
        QString getoond = waarde;
        std::replace_if(getoond.begin(), getoond.end(), onmogelijk, u'?');
        fout(m_record + u"de waarde \""_s + getoond + u"\" bevat een teken dat XML niet kan bevatten."_s);
    }
    return alsOpgeslagen(waarde);
}

void Secties::end()
{
    stopBijFouten();
    m_out.raw("</company></auditfile>\r\n");
}

void Secties::all()
{
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
