#include "editing/names.h"

namespace kv {

namespace {

bool isInitialLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= 128 && u <= 255);
}

// I, S and T at a word start take the next letter along when it makes one sound: IJ, Sj, Th.
QString initialOf(QChar letter, QChar next)
{
    if (next == u'J')
        return letter == u'I' ? QStringLiteral("IJ.") : letter + QStringLiteral("j.");
    if (next == u'H')
        return letter + QStringLiteral("h.");
    return letter + QStringLiteral(".");
}

} // namespace

QString GetVoorletters(QStringView voornamen)
{
    const QString names = voornamen.toString();
    QString initials;
    bool wordStart = true;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QChar original = names[i];
        const QChar c = original.toUpper();
        if (c == u'I' || c == u'S' || c == u'T') {
            if (wordStart)
                initials += initialOf(c, i + 1 < names.size() ? names[i + 1].toUpper() : QChar());
            wordStart = false;
        } else if (isInitialLetter(c) || isInitialLetter(original)) {
            if (wordStart)
                initials += c + QStringLiteral(".");
            wordStart = false;
        } else if (c == u'-') {
            if (!initials.isEmpty())
                initials.back() = u'-';
            wordStart = true;
        } else {
            wordStart = c != u'\'';
        }
    }
    return initials;
}

} // namespace kv
