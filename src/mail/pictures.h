#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace kv {

// A picture sent inside the message, referred to by the HTML as "cid:" + contentId.
struct Picture {
    QString path;
    QString contentId;
};

struct EmbeddedPictures {
    QString html;                  // the references of the found pictures rewritten
    std::vector<Picture> pictures; // one per distinct file, in order of first reference
};

// A template refers to a picture as src="cid:%path%". Each such reference to a file that exists
// becomes src="cid:yyyymmddhhmmss-nn@beheer" (the time of `now`, nn the picture's sequence
// number); a reference to a missing file, or to a hundredth file, stays as written.
EmbeddedPictures embedPictures(const QString &html, const QString &dataPad, const QDateTime &now);

// The file a template names: backslashes are separators; the path as written, else, when it is
// relative, the same path in the data folder with each name matched without regard to case.
// Empty when there is no such file.
QString findTemplateFile(const QString &written, const QString &dataPad);

} // namespace kv
