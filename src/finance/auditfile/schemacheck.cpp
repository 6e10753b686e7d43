#include "finance/auditfile/schemacheck.h"

#include "core/jobs/progress.h"
#include "finance/auditfile/sections.h"

#include <QFile>
#include <QHash>

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

using namespace Qt::StringLiterals;

// The schema check reads the file through libxml2's SAX parser with the schema validator
// plugged in front of our own handlers: the validator sees each event first, so when it
// reports a fault the handlers still know which journal, transaction, line and account the
// parser is in, and the fault can be named as the export names its own.
namespace kv::finance::auditfile {
namespace {

// The schema's keys name their paths without the namespace, so in a file (whose elements are
// all in it) they match nothing and check nothing; following them costs a quarter of the check.
// The check leaves them out, with the same outcome for every file.
void zonderSleutels(xmlNodePtr node)
{
    for (xmlNodePtr kind = node ? node->children : nullptr; kind;) {
        xmlNodePtr volgende = kind->next;
        const auto is = [&](const char *naam) { return xmlStrEqual(kind->name, BAD_CAST naam); };
        if (kind->type == XML_ELEMENT_NODE && (is("key") || is("keyref") || is("unique"))) {
            xmlUnlinkNode(kind);
            xmlFreeNode(kind);
        } else {
            zonderSleutels(kind);
        }
        kind = volgende;
    }
}

xmlSchemaPtr officieelSchema()
{
    static const xmlSchemaPtr schema = [] {
        QFile bestand(u":/auditfile/XmlAuditfileFinancieel3.2.xsd"_s);
        if (!bestand.open(QIODevice::ReadOnly))
            qFatal("the audit file schema is missing from the program");
        const QByteArray xsd = bestand.readAll();
        // The parsed schema points into the document: both live as long as the program.
        static const xmlDocPtr document =
            xmlReadMemory(xsd.constData(), int(xsd.size()), "XmlAuditfileFinancieel3.2.xsd", nullptr, 0);
        zonderSleutels(xmlDocGetRootElement(document));
        xmlSchemaParserCtxtPtr parser = xmlSchemaNewDocParserCtxt(document);
        xmlSchemaPtr parsed = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
        if (!parsed)
            qFatal("the audit file schema cannot be read");
        return parsed;
    }();
    return schema;
}

// Where the parser is, told in the words of the export.
class Plaats {
public:
    void begin(const xmlChar *naam)
    {
        m_gesloten = {};
        m_stapel.push_back(QByteArray(reinterpret_cast<const char *>(naam)));
        m_tekst.clear();
        const QByteArray &n = m_stapel.back();
        if (n == "journal")
            m_dagboek.clear();
        else if (n == "transaction")
            m_boekstuk.clear();
        else if (n == "trLine" || n == "ledgerAccount" || n == "obLine")
            m_regel.clear(), m_rekening.clear();
        else if (n == "customerSupplier")
            m_relatie.clear();
    }
    void tekst(const xmlChar *tekens, int lengte) { m_tekst += QString::fromUtf8(reinterpret_cast<const char *>(tekens), lengte); }
    void einde()
    {
        if (m_stapel.size() >= 2) {
            const QByteArray &n = m_stapel.back(), &ouder = m_stapel[m_stapel.size() - 2];
            if (n == "jrnID" && ouder == "journal")
                m_dagboek = m_tekst;
            else if (n == "nr" && ouder == "transaction")
                m_boekstuk = m_tekst;
            else if (n == "nr" && (ouder == "trLine" || ouder == "obLine"))
                m_regel = m_tekst;
            else if (n == "accID")
                m_rekening = m_tekst;
            else if (n == "custSupID" && ouder == "customerSupplier")
                m_relatie = m_tekst;
        }
        // The validator hears of the end after us: it still needs the element's name and text.
        m_gesloten = {QString::fromLatin1(m_stapel.back()), m_tekst};
        m_stapel.pop_back();
        m_tekst.clear();
    }

    // The element being read, or the one just closed.
    QString element() const { return m_stapel.empty() ? m_gesloten.first : QString::fromLatin1(m_stapel.back()); }
    // The text of `element` when it is the one just closed or the one being read.
    std::optional<QString> waarde(const QString &element) const
    {
        if (m_gesloten.first == element)
            return m_gesloten.second;
        if (!m_stapel.empty() && QLatin1StringView(m_stapel.back()) == element)
            return m_tekst;
        return std::nullopt;
    }

    // "Dagboek 70, boekstuk 000123, regel 3 (rekening 8000): ", or the part of the file.
    QString naam() const
    {
        const auto in = [&](const char *n) { return std::find(m_stapel.begin(), m_stapel.end(), n) != m_stapel.end(); };
        if (in("trLine"))
            return u"Dagboek "_s + m_dagboek + u", boekstuk "_s + m_boekstuk + u", regel "_s + m_regel + u" (rekening "_s
                   + m_rekening + u"): "_s;
        if (in("transaction"))
            return u"Dagboek "_s + m_dagboek + u", boekstuk "_s + m_boekstuk + u": "_s;
        if (in("journal"))
            return u"Dagboek "_s + m_dagboek + u": "_s;
        if (in("customerSupplier"))
            return u"Relatie "_s + m_relatie + u": "_s;
        if (in("ledgerAccount"))
            return u"Grootboekrekening "_s + m_rekening + u": "_s;
        if (in("obLine"))
            return u"Beginbalans, regel "_s + m_regel + u" (rekening "_s + m_rekening + u"): "_s;
        static const std::pair<const char *, const char16_t *> delen[] = {
            {"vatCodes", u"BTW codes"}, {"periods", u"Perioden"}, {"openingBalance", u"Beginbalans"},
            {"transactions", u"Transacties"}, {"generalLedger", u"Grootboek"}, {"header", u"Kop"}, {"company", u"Bedrijf"},
        };
        for (const auto &[element, deel] : delen)
            if (in(element))
                return QString::fromUtf16(deel) + u": "_s;
        return u"Bestand: "_s;
    }

private:
    std::vector<QByteArray> m_stapel;
    std::pair<QString, QString> m_gesloten;
    QString m_tekst, m_dagboek, m_boekstuk, m_regel, m_rekening, m_relatie;
};

// The element an English message is about: "Element '{ns}effDate': ..." gives "effDate".
QString elementUit(const QString &bericht)
{
    const qsizetype begin = bericht.indexOf(u"Element '"_s);
    if (begin < 0)
        return {};
    const qsizetype einde = bericht.indexOf(u'\'', begin + 9);
    QString naam = bericht.mid(begin + 9, einde - begin - 9);
    return naam.mid(naam.lastIndexOf(u'}') + 1);
}

// libxml2's fault in Dutch.
QString nederlands(const xmlError &fout, const Plaats &plaats)
{
    const QString bericht = QString::fromUtf8(fout.message).trimmed();
    if (fout.domain == XML_FROM_PARSER || fout.domain == XML_FROM_IO)
        return u"het bestand is geen goed gevormde XML (regel "_s + QString::number(fout.line) + u")."_s;
    QString element = elementUit(bericht);
    if (element.isEmpty())
        element = plaats.element();
    // The value is the text of the element being closed; for the others it is not known.
    const std::optional<QString> tekst = plaats.waarde(element);
    const QString waarde = tekst ? u"\""_s + *tekst + u"\" "_s : QString();
    const QString wat = u" ("_s + element + u")."_s;
    switch (fout.code) {
    case XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_1:
        if (bericht.contains(u"xs:date"_s))
            return waarde + u"is geen geldige datum"_s + wat;
        if (bericht.contains(u"xs:decimal"_s))
            return waarde + u"is geen geldig bedrag of getal"_s + wat;
        return waarde + u"is geen geldige waarde"_s + wat;
    case XML_SCHEMAV_CVC_LENGTH_VALID:
    case XML_SCHEMAV_CVC_MINLENGTH_VALID:
        return waarde + u"heeft niet de vereiste lengte"_s + wat;
    case XML_SCHEMAV_CVC_MAXLENGTH_VALID:
        return waarde + u"is te lang"_s + wat;
    case XML_SCHEMAV_CVC_MININCLUSIVE_VALID:
    case XML_SCHEMAV_CVC_MAXINCLUSIVE_VALID:
    case XML_SCHEMAV_CVC_MINEXCLUSIVE_VALID:
    case XML_SCHEMAV_CVC_MAXEXCLUSIVE_VALID:
        return waarde + u"ligt buiten het toegestane bereik"_s + wat;
    case XML_SCHEMAV_CVC_TOTALDIGITS_VALID:
    case XML_SCHEMAV_CVC_FRACTIONDIGITS_VALID:
        return waarde + u"heeft te veel cijfers"_s + wat;
    case XML_SCHEMAV_CVC_PATTERN_VALID:
    case XML_SCHEMAV_CVC_ENUMERATION_VALID:
        return waarde + u"is geen toegestane waarde"_s + wat;
    case XML_SCHEMAV_ELEMENT_CONTENT:
        if (bericht.contains(u"Missing child"_s))
            return u"er ontbreekt een element in "_s + element + u'.';
        return u"het element "_s + element + u" staat hier niet op zijn plaats."_s;
    case XML_SCHEMAV_CVC_ELT_1:
        return u"het bestand is geen XML auditfile versie 3.2."_s;
    case XML_SCHEMAV_CVC_IDC: {
        const qsizetype begin = bericht.indexOf(u"['"_s), einde = bericht.indexOf(u"']"_s);
        const QString sleutel = begin >= 0 && einde > begin ? bericht.mid(begin + 2, einde - begin - 2) : QString();
        if (bericht.contains(u"Duplicate"_s))
            return u"\""_s + sleutel + u"\" komt meer dan eens voor"_s + wat;
        return u"\""_s + sleutel + u"\" verwijst naar iets dat niet in het bestand staat"_s + wat;
    }
    default:
        return waarde + u"voldoet niet aan het schema"_s + wat;
    }
}

// Where the check reads from: a function that fills a buffer and returns how many bytes it
// gave, 0 at the end, -1 to stop.
using Bron = std::function<int(char *, int)>;

struct Lezer {
    Bron bron;
    Plaats plaats;
    Meldingen meldingen;
    QStringList engels;
};

void meld(void *data, xmlErrorPtr fout)
{
    auto *lezer = static_cast<Lezer *>(data);
    if (fout->level == XML_ERR_WARNING)
        return;
    if (lezer->engels.size() < 100)
        lezer->engels << QString::fromUtf8(fout->message).trimmed();
    lezer->meldingen.add(lezer->plaats.naam() + nederlands(*fout, lezer->plaats));
}

// Streams `bron` through the validator; `uitkomst` is libxml2's (0 valid).
Schemacontrole controleer(Bron bron)
{
    Lezer lezer;
    lezer.bron = std::move(bron);
    xmlSAXHandler sax = {};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = [](void *data, const xmlChar *naam, const xmlChar *, const xmlChar *, int, const xmlChar **, int,
                            int, const xmlChar **) { static_cast<Lezer *>(data)->plaats.begin(naam); };
    sax.endElementNs = [](void *data, const xmlChar *, const xmlChar *, const xmlChar *) {
        static_cast<Lezer *>(data)->plaats.einde();
    };
    sax.characters = [](void *data, const xmlChar *tekens, int lengte) { static_cast<Lezer *>(data)->plaats.tekst(tekens, lengte); };
    sax.serror = meld;

    std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validator(
        xmlSchemaNewValidCtxt(officieelSchema()), xmlSchemaFreeValidCtxt);
    xmlSchemaSetValidStructuredErrors(validator.get(), meld, &lezer);
    xmlSetStructuredErrorFunc(&lezer, meld); // the parser's own faults (not well-formed); per thread
    xmlParserInputBufferPtr invoer = xmlParserInputBufferCreateIO(
        [](void *data, char *buffer, int lengte) { return static_cast<Lezer *>(data)->bron(buffer, lengte); }, nullptr,
        &lezer, XML_CHAR_ENCODING_NONE);
    const int uitkomst = xmlSchemaValidateStream(validator.get(), invoer, XML_CHAR_ENCODING_NONE, &sax, &lezer);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (uitkomst != 0 && lezer.meldingen.isEmpty())
        lezer.meldingen.add(u"Bestand: het bestand voldoet niet aan het schema."_s);
    return {lezer.meldingen.tekst(), lezer.engels};
}

} // namespace

Schemacontrole controleerBestand(const QString &pad, Progress *voortgang)
{
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly))
        return {u"Het bestand "_s + pad + u" kan niet worden gelezen: "_s + bestand.errorString(), {}};
    const qint64 grootte = std::max<qint64>(1, bestand.size());
    bool gestopt = false;
    int getoond = -1;
    Schemacontrole controle = controleer([&](char *buffer, int lengte) {
        if (voortgang) {
            if (voortgang->stopRequested()) {
                gestopt = true;
                return -1;
            }
            if (const int procent = int(bestand.pos() * 100 / grootte); procent != getoond)
                voortgang->percent(getoond = procent);
        }
        return int(bestand.read(buffer, lengte));
    });
    if (gestopt)
        throw Afgebroken{};
    return controle;
}

// The blocks the writer handed over and the check has not read yet. The writer waits when the
// check lags this far behind, so the memory stays a few blocks.
struct Meelezer::Wachtrij {
    static constexpr size_t kHoogstens = 16;
    std::mutex slot;
    std::condition_variable veranderd;
    std::deque<QByteArray> blokken;
    qsizetype gelezen = 0; // of the front block
    bool klaar = false, afgebroken = false;
};

Meelezer::Meelezer() : m_wachtrij(std::make_unique<Wachtrij>())
{
    m_uitkomst = std::async(std::launch::async, [w = m_wachtrij.get()] {
        return controleer([w](char *buffer, int lengte) {
            std::unique_lock lock(w->slot);
            w->veranderd.wait(lock, [w] { return !w->blokken.empty() || w->klaar || w->afgebroken; });
            if (w->afgebroken)
                return -1;
            if (w->blokken.empty())
                return 0; // the end of the file
            const QByteArray &blok = w->blokken.front();
            const int n = int(std::min<qsizetype>(lengte, blok.size() - w->gelezen));
            std::memcpy(buffer, blok.constData() + w->gelezen, size_t(n));
            w->gelezen += n;
            if (w->gelezen == blok.size()) {
                w->blokken.pop_front();
                w->gelezen = 0;
                w->veranderd.notify_all();
            }
            return n;
        });
    });
}

Meelezer::~Meelezer()
{
    if (m_uitkomst.valid()) { // not finished: the check is abandoned
        {
            std::lock_guard lock(m_wachtrij->slot);
            m_wachtrij->afgebroken = true;
        }
        m_wachtrij->veranderd.notify_all();
        m_uitkomst.wait();
    }
}

void Meelezer::blok(QByteArrayView bytes)
{
    std::unique_lock lock(m_wachtrij->slot);
    m_wachtrij->veranderd.wait(lock, [this] { return m_wachtrij->blokken.size() < Wachtrij::kHoogstens; });
    m_wachtrij->blokken.push_back(bytes.toByteArray());
    m_wachtrij->veranderd.notify_all();
}

Schemacontrole Meelezer::einde()
{
    {
        std::lock_guard lock(m_wachtrij->slot);
        m_wachtrij->klaar = true;
    }
    m_wachtrij->veranderd.notify_all();
    return m_uitkomst.get();
}

} // namespace kv::finance::auditfile
