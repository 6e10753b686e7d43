#include "core/messages/messagestyle.h"

#include "core/dialogs.h"

#include <array>

namespace kv {
namespace {

struct Button {
    const char16_t *caption;
    int result;
};

// Button set (style & 7): the buttons left to right and what each returns.
const std::array<std::vector<Button>, 6> buttonSets{{
    /* 0 */ {{u"OK", mb::OK}},
    /* 1 */ {{u"OK", mb::OK}, {u"Annuleren", mb::Cancel}},
    /* 2 */ {{u"Afbreken", mb::Abort}, {u"Opnieuw", mb::Retry}, {u"Negeren", mb::Ignore}},
    /* 3 */ {{u"Ja", mb::Yes}, {u"Nee", mb::No}, {u"Annuleren", mb::Cancel}},
    /* 4 */ {{u"Ja", mb::Yes}, {u"Nee", mb::No}},
    /* 5 */ {{u"Opnieuw", mb::Retry}, {u"Annuleren", mb::Cancel}},
}};

int setOf(int style)
{
    const int set = style & 7;
    return set < int(buttonSets.size()) ? set : mb::OKOnly;
}

} // namespace

MessageStyle decodeMsgBoxStyle(int style)
{
    MessageStyle m;
    m.buttonSet = setOf(style);
    const std::vector<Button> &set = buttonSets[size_t(m.buttonSet)];
    for (const Button &b : set) {
        m.buttons << QString::fromUtf16(b.caption);
        m.closes.push_back(true);
        // As with the platform's box: Escape cancels, or confirms a lone OK; a question
        // without a cancel button must be answered.
        if (b.result == mb::Cancel || set.size() == 1)
            m.escapeButton = int(m.buttons.size()) - 1;
    }
    if (style & mb::MsgBoxHelpButton) {
        m.buttons << QStringLiteral("Help");
        m.closes.push_back(false);
    }
    const int icon = style & 112;
    m.icon = (icon == mb::Critical || icon == mb::Question || icon == mb::Exclamation || icon == mb::Information) ? icon : 0;
    const int defaultButton = (style & 768) / 256;
    m.defaultButton = defaultButton < m.buttons.size() ? defaultButton : 0;
    m.alignRight = style & mb::MsgBoxRight;
    m.topMost = style & mb::SetForeground;
    return m;
}

int msgBoxResult(int buttonSet, int index)
{
    const std::vector<Button> &set = buttonSets[size_t(setOf(buttonSet))];
    return index >= 0 && index < int(set.size()) ? set[size_t(index)].result : 0;
}

} // namespace kv
