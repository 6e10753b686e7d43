#include "demo/steps.h"

#include <QUuid>

#include <cmath>

namespace kv::demo {
namespace {

// A Guid drawn from the step's stream, so that it too is the same on every run.
QString guidOf(QRandomGenerator &random)
{
    uchar b[8];
    for (uchar &byte : b)
        byte = uchar(random.bounded(256));
    const QUuid uuid(random.generate(), ushort(random.bounded(65536)), ushort(0x4000 | random.bounded(0x1000)),
                     uchar(0x80 | (b[0] & 0x3f)), b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
    return uuid.toString(QUuid::WithBraces);
}

// Counter sales and stock intake of this year and the last, which the year deletions clear.
void writeYearRegisters(Generator &gen, QRandomGenerator &random)
{
    const std::vector<const RelationRef *> customers = gen.customers();
    const qint64 count = std::max(10, gen.scale.orders / 10);
    Rows counter(gen.main, QStringLiteral("BalieVerkoop"));
    Rows intake(gen.main, QStringLiteral("VoorraadInname"));
    gen.inBatches(gen.main, count, [&](qint64 i) {
        const QDate date = randomDay(random, gen.year - int(i % 2));
        counter.add().set(u"Boekjaar", QString::number(date.year())).post();
        intake.add().set(u"RelNr", pick(random, customers)->relNr).set(u"InnameNr", int(i + 1)).date(u"Datum", date).post();
    });
}

// Container rental by subscription with its direct debits, feed contracts and pre-sales.
void writeRelationRegisters(Generator &gen, QRandomGenerator &random)
{
    const std::vector<const RelationRef *> customers = gen.customers();
    const qint64 count = std::max(5, gen.scale.relations / 20);
    Rows subscriptions(gen.main, QStringLiteral("Abonnement"));
    Rows debits(gen.main, QStringLiteral("AbonnementIncasso"));
    Rows contracts(gen.main, QStringLiteral("FGContractBeheer"));
    Rows deliveries(gen.main, QStringLiteral("FGContractDeellevering"));
    Rows presales(gen.main, QStringLiteral("FGVVKOrders"));
    gen.inBatches(gen.main, count, [&](qint64 i) {
        const QString relNr = pick(random, customers)->relNr;
        const QString guid = guidOf(random);
        subscriptions.add().set(u"Guid", guid).set(u"RelNr", relNr).post();
        for (int month = 0; month < 1 + random.bounded(3); ++month)
            debits.add().set(u"Guid", guid).post();
        contracts.add().set(u"RelNr", relNr).post();
        deliveries.add().set(u"RelNr", relNr).post();
        presales.add().set(u"Ordernr", QStringLiteral("V%1").arg(zeroFilled(i + 1, 7)))
            .set(u"RelatieNr", relNr).set(u"ArtikelNr", pick(random, gen.articles).nr).post();
    });
}

void writeAssets(Generator &gen)
{
    const struct {
        const char *group;
        int years;
        const char *asset, *costs, *depreciation;
    } groups[] = {{"Bedrijfsgebouwen", 30, "0100", "4800", "0110"}, {"Opslagloodsen en silo's", 20, "0200", "4800", "0210"},
                  {"Droog- en sorteerinstallatie", 10, "0350", "4810", "0360"}, {"Vrachtwagens", 6, "0400", "4820", "0410"}};
    Rows rows(gen.main, QStringLiteral("ActivaGroepen"));
    gen.inBatches(gen.main, std::size(groups), [&](qint64 i) {
        const auto &g = groups[i];
        rows.add().set(u"InternNr", int(i + 1)).set(u"RecordCode", 1).set(u"ActivaGroep", QString::fromUtf8(g.group))
            .set(u"WOZBeperking", i == 0).set(u"Methode", 0).set(u"Looptijd", g.years).set(u"Percentage", std::round(1000000.0 / g.years) / 10000)
            .set(u"BoekingsFrequentie", 12).set(u"Termijnen", g.years * 12)
            .set(u"GrbRekActiva", QString::fromLatin1(g.asset)).set(u"GrbRekAfschrijvenActiva", QString::fromLatin1(g.depreciation))
            .set(u"GrbRekAfschrijvenKosten", QString::fromLatin1(g.costs)).set(u"GrbRekVerkopen", QStringLiteral("9000"))
            .set(u"GrbRekResultaatHIR", QStringLiteral("9000")).set(u"GrbRekResultaatVW", QStringLiteral("9100"))
            .set(u"GrbRekVervreemding", QStringLiteral("9000")).post();
    });

    const struct {
        int group;
        const char *description, *bought;
        qint64 value, rest;
    } assets[] = {{1, "Kantoor en kantine Hessenweg", "20080601", 42000000, 5000000},
                  {2, "Graanloods 1200 ton", "20140901", 38500000, 0},
                  {3, "Graandroger 25 ton/uur", "20190701", 21800000, 1500000},
                  {3, "Pootgoedsorteerlijn", "20220301", 10800000, 500000},
                  {4, "DAF XF 480 FT", "20190315", 11900000, 2500000},
                  {4, "Scania R 450", "20210420", 13400000, 3000000}};
    Rows register_(gen.main, QStringLiteral("ActivaRegistratie"));
    gen.inBatches(gen.main, std::size(assets), [&](qint64 i) {
        const auto &a = assets[i];
        const int years = groups[a.group - 1].years;
        const QDate bought = QDate::fromString(QString::fromLatin1(a.bought), u"yyyyMMdd");
        const qint64 perMonth = (a.value - a.rest) / (years * 12);
        const qint64 done = std::min<qint64>(a.value - a.rest, perMonth * (bought.daysTo(QDate(gen.year, 1, 1)) / 30));
        register_.add().set(u"InternNr", int(i + 1)).set(u"RecordCode", 1).set(u"ActivaGroep", a.group)
            .set(u"WOZBeperking", a.group == 1).set(u"Omschrijving", QString::fromUtf8(a.description))
            .set(u"Locatie", QStringLiteral("Ommen")).set(u"Identificatie", zeroFilled(i + 1, 4)).set(u"Gebruiker", QString())
            .set(u"Garantietermijn", QString())
            .date(u"Aanschafdatum", bought).date(u"StartDatumAfschrijvingen", bought.addDays(1 - bought.day()))
            .amount(u"AanschafWaarde", a.value).amount(u"RestWaarde", a.rest).amount(u"BasisBedragAfschrijving", a.value - a.rest)
            .amount(u"VerzekerdBedrag", a.value).amount(u"TermijnBedrag", perMonth).amount(u"EersteTermijnBedrag", perMonth)
            .amount(u"Afgeschreven", done).amount(u"Boekwaarde", a.value - done).amount(u"HerInvesteringsReserve", 0)
            .amount(u"WOZwaarde", a.group == 1 ? a.value / 2 : 0)
            .set(u"Methode", 0).set(u"Looptijd", years).set(u"Percentage", std::round(1000000.0 / years) / 10000)
            .set(u"BoekingsFrequentie", 12).set(u"Termijnen", years * 12).post();
    });

    Rows general(gen.main, QStringLiteral("ActivaAlgemeen"));
    gen.inBatches(gen.main, 1, [&](qint64) {
        general.add().set(u"Boekjaar", QString::number(gen.year)).amount(u"FiscaleOndergrens", 45000)
            .set(u"Methode", 0).set(u"Afronden", QStringLiteral("1")).set(u"DagboekCode", QStringLiteral("90")).post();
    });
}

void writeMailTemplates(Generator &gen)
{
    const struct {
        const char *description, *subject, *body;
        int type;
        const char *attachment;
    } templates[] = {
        // The logo and the terms are written beside the databases (mailfiles.cpp).
        {"Factuur per e-mail", "Factuur %factuurnr% van Akkerhof Agrarische Handel",
         "<p><img src=\"cid:%Afbeeldingen\\logo.png%\" alt=\"Akkerhof\" /></p><p>%directmailnaam%</p>"
         "<p>Bijgaand ontvangt u factuur %factuurnr%.</p><p>Met vriendelijke groet,<br>Akkerhof Agrarische Handel B.V.</p>",
         0, "Documenten\\Algemene voorwaarden.pdf"},
        {"Orderbevestiging", "Orderbevestiging van Akkerhof Agrarische Handel",
         "<p>Geachte relatie,</p><p>Hierbij bevestigen wij uw order.</p><p>Met vriendelijke groet,<br>Akkerhof</p>", 1, ""},
        {"Betalingsherinnering", "Herinnering openstaande factuur %factuurnr%",
         "<p>Geachte relatie,</p><p>Volgens onze administratie staat factuur %factuurnr% nog open.</p>", 2, ""}};
    Rows rows(gen.main, QStringLiteral("TabelEmailTemplate"));
    gen.inBatches(gen.main, std::size(templates), [&](qint64 i) {
        const auto &t = templates[i];
        rows.add().set(u"CodeNr", QString::number(i + 1)).set(u"Omschrijving", QString::fromLatin1(t.description))
            .set(u"Type", t.type).set(u"SendUBL", i == 0).set(u"DefaultInType", true).set(u"DefaultUserName", QString())
            .set(u"Sender", QStringLiteral("Akkerhof Agrarische Handel")).set(u"EmailSender", QStringLiteral("administratie@akkerhof-handel.nl"))
            .set(u"EmailBCC", QString()).set(u"Subject", QString::fromLatin1(t.subject))
            .set(u"Disposition", false).set(u"ReturnReceipt", false).set(u"Content", QString::fromLatin1(t.body))
            .set(u"Attachment1", QString::fromLatin1(t.attachment)).post();
    });
}

} // namespace

void writeRegisters(Generator &gen)
{
    QRandomGenerator random = gen.random(100);
    writeYearRegisters(gen, random);
    writeRelationRegisters(gen, random);
    writeAssets(gen);
    writeMailTemplates(gen);
}

} // namespace kv::demo
