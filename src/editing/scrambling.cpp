#include "editing/scrambling.h"

#include <algorithm>

namespace kv {

QString DeCodeer(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    for (QChar c : text) {
        const char16_t code = c.unicode();
        char16_t half = code / 2;
        if (code % 2 == 1 && half % 2 == 1)
            ++half; // x.5 rounds to the even neighbour
        decoded += QChar(half);
    }
    std::reverse(decoded.begin(), decoded.end());
    return decoded;
}

QString Codeer(QStringView text)
{
    QString coded;
    coded.reserve(text.size());
    for (auto c = text.crbegin(); c != text.crend(); ++c)
        coded += QChar(char16_t(c->unicode() * 2));
    return coded;
}

} // namespace kv
