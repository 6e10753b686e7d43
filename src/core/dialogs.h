#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace kv {

// Every question and message a screen puts to the user goes through this interface, so that
// tests can answer from a script and check the exact Dutch texts.
class DialogService {
public:
    virtual ~DialogService() = default;

    // The program-wide message box: `buttons` carries the standard message-box style bits
    // (button set, icon, default button, alignment); returns 1 OK, 2 Cancel, 3 Abort,
    // 4 Retry, 5 Ignore, 6 Yes, 7 No. An empty title becomes the program's title.
    virtual int MsgBox(const QString &prompt, int buttons = 0, const QString &title = {}) = 0;

    // The error variant with "Sluiten" and "Kopie"; returns when the dialog is closed.
    virtual void DisplayError(const QString &message, bool withHelp = false) = 0;

    // `OpenDocument`: asks the desktop to open a file or a web address with the program it
    // belongs to (a web page in the browser); false when no program took it.
    virtual bool OpenDocument(const QString &pathOrAddress) = 0;

    // The system's colour dialog on `current`; nothing when the user cancels. A service that
    // cannot ask (the automation tool) cancels.
    virtual std::optional<QColor> ChooseColour(const QColor &) { return std::nullopt; }

    // The system's folder dialog titled `title` (empty: "Map kiezen"), from `current`; "" when
    // the user cancels.
    virtual QString ChooseFolder(const QString &, const QString & = {}) { return {}; }

    // The system's save dialog titled `title`, showing the files of `filter` written as
    // "description | pattern", proposing `proposed` (folder and name); "" when the user cancels.
    virtual QString SaveFile(const QString & /*title*/, const QString & /*filter*/, const QString & /*proposed*/) { return {}; }

    // The system's open dialog titled `title`, starting in the folder `start`, with the same
    // filter form; the file chosen, or "" when the user cancels.
    virtual QString OpenFile(const QString &, const QString &, const QString &) { return {}; }
};

// Style bits and results of MsgBox, named as the platform names them.
namespace mb {
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
                     RetryCancel = 5;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int DefaultButton2 = 256, DefaultButton3 = 512, DefaultButton4 = 768;
inline constexpr int MsgBoxHelpButton = 16384, SetForeground = 65536, MsgBoxRight = 524288;
inline constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
} // namespace mb

} // namespace kv
