#include "core/mainwindow/sectionpanels.h"

namespace kv {
namespace {

// Tile colours by kind of section.
constexpr QRgb maintenance = qRgb(0x3B, 0x6E, 0xA8);
constexpr QRgb outside = qRgb(0x6A, 0x5A, 0xA8);
constexpr QRgb masterData = qRgb(0x3E, 0x8E, 0x6A);
constexpr QRgb settings = qRgb(0xC0, 0x7A, 0x2E);

} // namespace

const std::vector<SectionPanel> &sectionPanels()
{
    // Section key, main caption, detail caption; icon.
    static const std::vector<SectionPanel> panels{
        {u"activa",           u"Beheer",              u"Activaregister",          u'\u20AC', maintenance}, // €
        {u"externlijst",      u"Externe lijsten",     u"Lijstwerk",               u'\u2630', outside},     // ☰
        {u"extern",           u"Externe koppelingen", u"Instellingen",            u'\u21C4', outside},     // ⇄
        {u"oogst",            u"Stambestanden",       u"Oogst",                   u'\u2600', masterData},  // ☀
        {u"factuurherkennen", u"Factuur herkennen",   u"Instellingen",            u'\u2709', outside},     // ✉
        {u"fourage2",         u"Stambestanden",       u"Fourage",                 u'\u2618', masterData},  // ☘
        {u"diversen",         u"Diversen",            u"Instellingen",            u'\u2691', settings},    // ⚑
        {u"personeel",        u"Personeel",           u"Medewerkers && Functies", u'\u263A', masterData},  // ☺
        {u"beheer",           u"Beheer",              u"Onderhoud administratie", u'\u2692', maintenance}, // ⚒
        {u"bga",              u"Stambestanden",       u"Begraafplaats",           u'\u2698', masterData},  // ⚘
        {u"fourage",          u"Stambestanden",       u"Transport && Logistiek",  u'\u2693', masterData},  // ⚓
        {u"hulp",             u"Stambestanden",       u"Algemeen",                u'\u25A6', masterData},  // ▦
        {u"systeem",          u"Bedrijf",             u"Configuratie",            u'\u2699', settings},    // ⚙
    };
    return panels;
}

} // namespace kv
