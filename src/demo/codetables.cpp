#include "demo/steps.h"

namespace kv::demo {
namespace {

struct Packaging {
    const char *description;
    double minKg, maxKg;
    qint64 priceCents;
    const char *pallet;
};

// Packaging with its weight range and the price charged for it.
const Packaging kPackaging[] = {
    {"Zak 25 kg", 24.5, 25.5, 45, "Europallet 40 zakken"},
    {"Zak 50 kg", 49.0, 51.0, 65, "Europallet 24 zakken"},
    {"Bigbag 500 kg", 490, 510, 650, "Geen"},
    {"Bigbag 1000 kg", 980, 1020, 850, "Geen"},
    {"Aardappelkist 1200 kg", 1100, 1300, 0, "Kist"},
    {"IBC 1000 liter", 950, 1050, 7500, "IBC-pallet"},
};

void writeSection(Generator &gen, const QString &table, const QStringList &entries)
{
    Rows rows(gen.main, table);
    gen.inBatches(gen.main, entries.size(), [&](qint64 i) {
        QString text = entries[int(i)];
        const bool active = !text.startsWith(u'-');
        if (!active)
            text = text.mid(1);
        rows.add()
            .set(u"CodeNr", int(i + 1))
            .set(u"Omschrijving", text.trimmed())
            .set(u"Selected", active)
            .set(u"RecordCode", active ? 1 : -1)
            .post();
    });
}

void writePackaging(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("TabelVerpakking"));
    gen.inBatches(gen.main, std::size(kPackaging), [&](qint64 i) {
        const Packaging &p = kPackaging[i];
        rows.add()
            .set(u"CodeNr", int(i + 1))
            .set(u"Omschrijving", QString::fromUtf8(p.description))
            .set(u"Selected", true)
            .set(u"RecordCode", 1)
            .set(u"RelNr", QString())
            .set(u"GewichtMin", p.minKg)
            .set(u"GewichtMax", p.maxKg)
            .amount(u"VerpakkingsPrijs", p.priceCents)
            .set(u"PalletType", QString::fromUtf8(p.pallet))
            .post();
    });
}

void writeSortSettings(Generator &gen)
{
    Rows rows(gen.main, QStringLiteral("TabelSorteren"));
    const std::pair<const char *, bool> settings[] = {
        {"tabelkostenplaatsen", false}, {"tabelartikelgroepen", true}, {"tabelras", true}};
    gen.inBatches(gen.main, std::size(settings), [&](qint64 i) {
        rows.add().set(u"Naam", QString::fromLatin1(settings[i].first)).set(u"Sorteren", settings[i].second).post();
    });
}

} // namespace

// The entries come from data/codetabellen.txt: "[Tabel]" starts a table, each further line is
// one entry in list order.
void writeCodeTables(Generator &gen)
{
    QString table;
    QStringList entries;
    const auto flush = [&] {
        if (!table.isEmpty())
            writeSection(gen, table, entries);
        entries.clear();
    };
    for (const QString &line : dataFile(QStringLiteral("codetabellen.txt"))) {
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            flush();
            table = line.mid(1, line.size() - 2);
        } else {
            entries << line;
        }
    }
    flush();
    writePackaging(gen);
    writeSortSettings(gen);
}

} // namespace kv::demo
