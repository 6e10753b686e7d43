#pragma once

#include <QString>

#include <span>

namespace kv::finance {

// A box of the Dutch VAT return as `BTWcodering` stores it: the stored number, the box ("3a",
// "geen") and the text of the editor's list. The VAT amount (`BTWRubriek`) and the taxable base
// (`BTWGrondslag`) number the boxes differently: box 3a is 9 as a rubric and 6 as a basis.
struct VatBox {
    int stored;
    QStringView box;
    QStringView text;
};

// In the editor's order.
std::span<const VatBox> vatRubrics();
std::span<const VatBox> vatBases();

// The box of a stored value, "" for a value no box has.
QString rubricBox(int stored);
QString basisBox(int stored);

// The basis that belongs to a rubric: the same box (rubric 9, box 3a, gives basis 6).
int basisOfRubric(int rubric);

// A rate type (`BTWType`), in the editor's order.
struct VatType {
    int stored;
    QStringView text;
};
std::span<const VatType> vatTypes();
inline constexpr int VrijTarief = 99, Inactief = 50;

// A code the administration settings create: its description, rate, basis stated exclusive,
// rubric, basis, type; and, for the extended codes, a text its description must hold to count
// as present ("vrij%").
struct StandardVatCode {
    int code; // 0: the highest code + 1, taken afresh for each
    QStringView omschrijving;
    int percentage;
    bool exclusief;
    int rubriek;
    int grondslag;
    int type;
    QStringView mustContain = {};
};

// The five codes of a VAT-liable administration without codes.
std::span<const StandardVatCode> standardVatCodes();
// The codes of the shifted-VAT and EU option, each added when no code matches it, in this order.
std::span<const StandardVatCode> extendedVatCodes();

} // namespace kv::finance
