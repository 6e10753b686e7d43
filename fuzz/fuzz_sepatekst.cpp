// SepaTekst: the output stays inside the SEPA set, is trimmed and cut, and a second pass
// changes nothing.
#include "editing/sepa.h"
#include "fuzzing.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const QString sepa =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/-?:().,'+ ");
    const int max = data[0] % 80;
    const QString input = fuzz::text(data + 1, size - 1);

    const QString out = SepaTekst(input, max);
    for (QChar c : out)
        fuzz::require(sepa.contains(c), "inside the SEPA set", out);
    fuzz::require(max == 0 || out.size() <= max, "cut to the maximum", out);
    fuzz::require(!out.startsWith(u' '), "trimmed", out);
    if (max == 0) {
        fuzz::require(!out.endsWith(u' '), "trimmed", out);
        fuzz::require(SepaTekst(out) == out, "a second pass changes nothing", out);
    }
    for (QChar c : VerwijderAccenten(input))
        fuzz::require(c.unicode() >= 32 && c.unicode() <= 127, "basic Latin without control characters", input);
    return 0;
}
