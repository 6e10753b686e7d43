// The registry file: what is read, written and read again gives the same keys and values, and
// a string value's data carries any text there and back.
#include "core/registry/regfile.h"
#include "fuzzing.h"

using namespace kv;

namespace {

QString describe(const reg::Document &doc)
{
    QString text;
    for (const reg::Key &key : doc.keys) {
        text += u'[' + key.path + u"]\n";
        for (const reg::Value &value : key.values)
            text += value.name + u" = " + value.data + u'\n';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const reg::Document read = reg::parse(bytes);
    const QString first = describe(read);
    const QString again = describe(reg::parse(reg::format(read)));
    fuzz::require(again == first, "read, write and read again keeps every key and value", first + u" <> " + again);

    const QString text = fuzz::text(data, size);
    const auto stored = reg::storedString(reg::stringData(text));
    fuzz::require(stored && *stored == text + QChar(0), "a string value keeps its text", text);
    return 0;
}
