// DatumControleren never accepts an impossible date, never one after today when asked not
// to, and what it accepts survives the way to the screen and back.
#include "core/dialogs.h"
#include "editing/datecheck.h"
#include "editing/dates.h"
#include "fuzzing.h"

using namespace kv;

namespace {

class SilentDialogs : public DialogService {
public:
    int MsgBox(const QString &, int, const QString &) override { return mb::OK; }
    void DisplayError(const QString &, bool) override {}
    bool OpenDocument(const QString &) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    SilentDialogs dialogs;
    Context context;
    context.dialogs = &dialogs;
    context.clock = [] { return QDateTime(QDate(2024, 3, 15), QTime(12, 0)); };
    context.TweeCijferJaarMax = 1900 + data[0] % 200;
    const bool noFuture = data[0] & 1;
    const QString input = fuzz::text(data + 1, size - 1);

    const auto stored = DatumControleren(context, input, noFuture);
    if (!stored)
        return 0;
    const QDate date = QDate::fromString(*stored, QStringLiteral("yyyyMMdd"));
    fuzz::require(stored->size() == 8 && date.isValid(), "a real date", *stored);
    fuzz::require(date.year() >= 1500 && date.year() <= 2100, "a plausible year", *stored);
    fuzz::require(!noFuture || date <= context.today(), "not in the future", *stored);

    const QString typed = DatumInvoerLezen(DatumWeergave(*stored).trimmed());
    fuzz::require(DatumOmzetten(typed, true) == *stored, "display form reads back", *stored);
    fuzz::require(DatumControleren(context, DatumOmzetten(*stored, false)) == stored, "typed form checks back", *stored);
    return 0;
}
