// Account numbers, VAT numbers and postcodes: formatting never changes what the check says.
#include "editing/accountnumbers.h"
#include "editing/registration.h"
#include "editing/text.h"
#include "fuzzing.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzz::text(data, size);
    fuzz::require(CheckRekeningnummer(FormatRekeningnummer(input)) == CheckRekeningnummer(input),
                  "formatting keeps the account check", input);
    fuzz::require(CheckBtwNummer(input) == CheckBtwNummer(AlleenCijfers(input)), "only the digits count", input);
    fuzz::require(CheckPostcode(FormatPostcode(input)) == CheckPostcode(input.left(8)),
                  "formatting keeps the postcode check", input);
    return 0;
}
