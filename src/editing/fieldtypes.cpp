#include "editing/fieldtypes.h"

#include <array>

namespace kv {

namespace {

constexpr int Backspace = 8;

// What "," and "." do in a field of the type.
enum class SeparatorKey {
    Rejected,
    DotOnly, // "." is accepted as typed, "," rejected
    Decimal, // both type the decimal separator
};

struct FieldType {
    std::array<QStringView, 5> keywords;
    QStringView accepted; // besides backspace and 0-9
    SeparatorKey separators;
    bool letters; // A-Z, a-z and every code from 128 to 255, instead of the digits
};

// clang-format off
const FieldType fieldTypes[] = {
    {{u"TELEFOON"},                                                                u"+-()mo", SeparatorKey::DotOnly, false},
    {{u"NUMERIEK", u"NUMMERIEK", u"NUMERIEK/VOLLEDIG", u"DATUM", u"DATUM/VOLLEDIG"}, u"-",      SeparatorKey::Rejected, false},
    {{u"POSNUMERIEK"},                                                             u"",       SeparatorKey::Decimal, false},
    {{u"GETAL"},                                                                   u"-",      SeparatorKey::Decimal, false},
    {{u"NUMSTER"},                                                                 u"*",      SeparatorKey::Rejected, false},
    {{u"BEDRAG"},                                                                  u"-",      SeparatorKey::Decimal, false},
    {{u"PROCENT", u"PERCENTAGE"},                                                  u"%",      SeparatorKey::Decimal, false},
    {{u"ALPHA"},                                                                   u"'- ",    SeparatorKey::DotOnly, true},
};
// clang-format on

const FieldType *findFieldType(QStringView keyword)
{
    const QString key = keyword.trimmed().toString().toUpper();
    for (const FieldType &type : fieldTypes) {
        for (QStringView k : type.keywords) {
            if (!k.isEmpty() && k == key)
                return &type;
        }
    }
    return nullptr;
}

bool isLetter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || (code >= 128 && code <= 255);
}

} // namespace

int FilterKey(int toets, QStringView veldtype, const Separators &separators)
{
    const FieldType *type = findFieldType(veldtype);
    if (!type || toets == Backspace)
        return toets;
    if (toets == ',' || toets == '.') {
        switch (type->separators) {
        case SeparatorKey::Rejected:
            return 0;
        case SeparatorKey::DotOnly:
            return toets == '.' ? toets : 0;
        case SeparatorKey::Decimal:
            return separators.DecimaalTeken.unicode();
        }
    }
    const bool typeChar = type->letters ? isLetter(toets) : (toets >= '0' && toets <= '9');
    const bool extra = toets > 0 && toets <= 0xFFFF && type->accepted.contains(QChar(toets));
    return typeChar || extra ? toets : 0;
}

} // namespace kv
