#include "editing/sepa.h"

#include "editing/text.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

struct Fold {
    QStringView from; // each of these characters
    QStringView to;
};

// clang-format off
constexpr Fold folds[] = {
    {u"\"`<", u"."},
    {u"Ç", u"C"},     {u"üùûú", u"u"},  {u"éêëè", u"e"}, {u"âäàåá", u"a"}, {u"ç", u"c"},
    {u"ïîìí", u"i"},  {u"ÄÅ", u"A"},    {u"É", u"E"},    {u"æ", u"ae"},    {u"Æ", u"AE"},
    {u"ôöòó", u"o"},  {u"ÿ", u"y"},     {u"Ö", u"O"},    {u"Ü", u"U"},     {u"ñ", u"n"},
    {u"Ñ", u"N"},     {u"¡", u"i"},
};
// clang-format on

constexpr QStringView sepaCharacters =
    u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/-?:().,'+ ";

} // namespace

QString VerwijderAccenten(QStringView text)
{
    QString result = text.toString();
    result.removeIf([](QChar c) { return c.unicode() < 32; });
    for (const Fold &fold : folds) {
        for (QChar c : fold.from)
            result = VervangAlles(result, QStringView(&c, 1), fold.to);
    }
    // What is left above basic Latin (currency signs, ordinals, ¿, ¬, ½, other letters) goes.
    result.removeIf([](QChar c) { return c.unicode() > 127; });
    return result;
}

QString SepaTekst(QStringView text, int maxLengte)
{
    // Most texts are in the set already and need no work: they come back as they are.
    static const std::array<bool, 128> inSet = [] {
        std::array<bool, 128> set{};
        for (QChar c : sepaCharacters)
            set[c.unicode()] = true;
        return set;
    }();
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128 && inSet[c.unicode()]; });
    if (plain && (text.isEmpty() || (text.front() != u' ' && text.back() != u' ')))
        return (maxLengte > 0 ? text.left(maxLengte) : text).toString();

    QString sepa = text.toString();
    sepa.replace(u'&', u' ').replace(u';', u',');
    sepa = VerwijderAccenten(sepa);
    sepa.removeIf([](QChar c) { return !sepaCharacters.contains(c); });
    sepa = trimSpaces(sepa);
    return maxLengte > 0 ? sepa.left(maxLengte) : sepa;
}

} // namespace kv
