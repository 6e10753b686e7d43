// DatumInvoerLezen and the conversions around it: no crash, and results of the lengths the
// stored and typed forms have.
#include "editing/dates.h"
#include "fuzzing.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    const QString read = DatumInvoerLezen(input);
    fuzz::require(read.isEmpty() || read.size() == 4 || read.size() == 6 || read.size() == 8, "entry length", read);

    const QString stored = DatumOmzetten(input, true);
    fuzz::require(input.isEmpty() || stored.size() >= 8, "stored length", stored);
    DatumWeergave(input);
    DatumWeergave(input, true);
    MaandNaam(input, size % 2);

    Context context;
    context.shortDateFormat = input.left(12);
    DatumSysteemVorm(context, input);
    return 0;
}
