#pragma once

#include "core/dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace kv::test {

// The dialog service of the tests: every message box is recorded with its buttons and title,
// and answered from a script. When the script has run out, the default button of the box is
// pressed, as a user pressing Enter would.
class ScriptedDialogs : public DialogService {
public:
    struct Shown {
        QString prompt;
        int buttons = 0;
        QString title;
    };

    // The answers (mb::Yes, mb::No, ...) for the next message boxes, in order.
    void script(std::initializer_list<int> answers) { this->answers.insert(this->answers.end(), answers); }

    int MsgBox(const QString &prompt, int buttons = 0, const QString &title = {}) override;
    void DisplayError(const QString &message, bool withHelp = false) override;
    bool OpenDocument(const QString &pathOrAddress) override
    {
        opened += pathOrAddress;
        return opens;
    }
    // The next colour or folder of the script; cancelled when it has run out.
    std::optional<QColor> ChooseColour(const QColor &) override { return next(colours, std::optional<QColor>()); }
    QString ChooseFolder(const QString &, const QString &title) override
    {
        folderTitles << title;
        return next(folders, QString());
    }
    // The next file name of the script ("" when it has run out: cancelled); the request is kept.
    QString SaveFile(const QString &title, const QString &filter, const QString &proposed) override
    {
        saveRequests.push_back({title, filter, proposed});
        return next(saveFiles, QString());
    }

    // The next file of the script to open ("" when it has run out: cancelled); the request is kept.
    QString OpenFile(const QString &title, const QString &filter, const QString &start) override
    {
        openRequests.push_back({title, filter, start});
        return next(openFiles, QString());
    }

    // The prompts of every message box, in order.
    QStringList prompts() const;

    std::vector<Shown> shown;
    QStringList errors;
    QStringList opened; // documents and web pages asked to be opened
    bool opens = true; // whether a program takes what is opened
    std::deque<int> answers;
    std::deque<std::optional<QColor>> colours; // nothing: the user cancels
    std::deque<QString> folders;
    QStringList folderTitles; // the title of every folder dialog asked for
    std::deque<QString> saveFiles;
    struct SaveRequest {
        QString title, filter, proposed;
    };
    std::vector<SaveRequest> saveRequests;
    std::deque<QString> openFiles;
    std::vector<SaveRequest> openRequests; // the third text is the folder it starts in

private:
    template <typename T>
    static T next(std::deque<T> &script, T cancelled)
    {
        if (script.empty())
            return cancelled;
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

} // namespace kv::test
