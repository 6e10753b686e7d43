#include "finance/vat/vatboxes.h"

#include <algorithm>
#include <array>

namespace kv::finance {
namespace {

constexpr std::array<VatBox, 12> kRubrics{{
    {0,   u"1a",   u"1a - BTW-leveringen/diensten belast met hoog tarief"},
    {1,   u"1b",   u"1b - BTW-leveringen/diensten belast met laag tarief"},
    {2,   u"1c",   u"1c - BTW-leveringen/diensten belast met overige tarieven (behalve 0%)"},
    {3,   u"1d",   u"1d - BTW-privé-gebruik"},
    {4,   u"1e",   u"1e - Grondslag leveringen/diensten belast met 0%/niet bij mij belast"},
    {5,   u"2a",   u"2a - BTW-leveringen/diensten heffing verlegd naar mij"},
    {9,   u"3a",   u"3a - Leveringen naar landen buiten de EU (uitvoer)"},
    {10,  u"3b",   u"3b - Leveringen naar/diensten in landen binnen de EU"},
    {11,  u"3c",   u"3c - Installatie/afstandsverkopen binnen de EU"},
    {6,   u"4a",   u"4a - BTW-leveringen/diensten uit landen buiten de EU"},
    {7,   u"4b",   u"4b - BTW-leveringen/diensten uit landen binnen de EU"},
    {100, u"geen", u"Geen BTW rubriek bijhouden"},
}};

constexpr std::array<VatBox, 12> kBases{{
    {0,   u"1a",   u"1a - Grondslag leveringen/diensten belast met hoog tarief"},
    {1,   u"1b",   u"1b - Grondslag leveringen/diensten belast met laag tarief"},
    {2,   u"1c",   u"1c - Grondslag leveringen/diensten belast met overige tarieven (behalve 0%)"},
    {3,   u"1d",   u"1d - Grondslag privé-gebruik"},
    {4,   u"1e",   u"1e - Grondslag leveringen/diensten belast met 0%/niet bij mij belast"},
    {5,   u"2a",   u"2a - Grondslag leveringen/diensten heffing verlegd naar mij"},
    {6,   u"3a",   u"3a - Grondslag leveringen naar landen buiten de EU (uitvoer)"},
    {7,   u"3b",   u"3b - Grondslag leveringen naar/diensten in landen binnen de EU"},
    {8,   u"3c",   u"3c - Grondslag installatie/afstandsverkopen binnen de EU"},
    {9,   u"4a",   u"4a - Grondslag leveringen/diensten aan mij buiten de EU"},
    {10,  u"4b",   u"4b - Grondslag leveringen/diensten aan mij uit de EU"},
    {100, u"geen", u"Geen BTW grondslag bijhouden"},
}};

constexpr std::array<VatType, 9> kTypes{{
    {0,  u"Geen (Nederlandse) BTW"},
    {1,  u"Nultarief"},
    {2,  u"Laag tarief"},
    {3,  u"Gereduceerd tarief"},
    {4,  u"Standaard of hoog tarief"},
    {5,  u"Landbouwregeling"},
    {6,  u"Afwijkend of overig tarief"},
    {99, u"Vrij tarief"},
    {50, u"Inactief (verouderd/niet meer gebruiken)"},
}};

//                                         code  description               %  excl  rubric basis type
constexpr std::array<StandardVatCode, 5> kStandard{{
    {1, u"Nultarief/Geen BTW", 0,  true,  4, 4, 1},
    {2, u"Laag tarief",        9,  true,  1, 1, 2},
    {3, u"Laag tarief",        9,  false, 1, 1, 2},
    {6, u"Hoog tarief - 21%",  21, true,  0, 0, 4},
    {7, u"Hoog tarief - 21%",  21, false, 0, 0, 4},
}};

constexpr std::array<StandardVatCode, 9> kExtended{{
    {0, u"[2a] BTW-verlegd naar mij",         0, true, 5,  5,  6},
    {0, u"[4b] BTW inkoop binnen EU",         0, true, 7,  10, 0},
    {0, u"[4a] BTW inkoop buiten EU",         0, true, 6,  9,  0},
    {0, u"[1c] Overig tarieven",              0, true, 2,  2,  0},
    {0, u"[3a] Uitvoer buiten EU",            0, true, 9,  6,  0},
    {0, u"[3b] Uitvoer binnen EU",            0, true, 10, 7,  0},
    {0, u"[3c] Afstandsverkopen binnen EU",   0, true, 11, 8,  0},
    {0, u"[4b] Inkoop binnen EU - vrij%",     0, true, 7,  10, 6, u"vrij%"},
    {0, u"[4a] Inkoop buiten EU - vrij%",     0, true, 6,  9,  6, u"vrij%"},
}};

QString boxOf(std::span<const VatBox> boxes, int stored)
{
    const auto found = std::find_if(boxes.begin(), boxes.end(), [&](const VatBox &b) { return b.stored == stored; });
    return found == boxes.end() ? QString() : found->box.toString();
}

} // namespace

std::span<const VatBox> vatRubrics() { return kRubrics; }
std::span<const VatBox> vatBases() { return kBases; }
std::span<const VatType> vatTypes() { return kTypes; }
std::span<const StandardVatCode> standardVatCodes() { return kStandard; }
std::span<const StandardVatCode> extendedVatCodes() { return kExtended; }

QString rubricBox(int stored) { return boxOf(kRubrics, stored); }
QString basisBox(int stored) { return boxOf(kBases, stored); }

int basisOfRubric(int rubric)
{
    const QString box = rubricBox(rubric);
    const auto found = std::find_if(kBases.begin(), kBases.end(), [&](const VatBox &b) { return b.box == box; });
    return found == kBases.end() ? -1 : found->stored;
}

} // namespace kv::finance
