#pragma once

#include <QStringList>

#include <vector>

namespace kv {

// What the style bits of a message box ask for: the buttons and which of them close the
// dialog, the icon, the button that has the focus at first, alignment and staying on top.
struct MessageStyle {
    int buttonSet = 0;    // style & 7; 6 and 7 read as 0
    QStringList buttons;  // captions left to right; "Help" last when asked for
    std::vector<bool> closes;
    int icon = 0;         // 16 stop, 32 question, 48 exclamation, 64 information, 0 none
    int defaultButton = 0;
    int escapeButton = -1; // the button that Escape and the close box stand for; -1: neither works
    bool alignRight = false;
    bool topMost = false;
};

MessageStyle decodeMsgBoxStyle(int style);

// The result code (1 OK .. 7 No) of the button at `index` of `buttonSet`.
int msgBoxResult(int buttonSet, int index);

} // namespace kv
