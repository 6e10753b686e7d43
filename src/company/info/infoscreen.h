#pragma once

#include "core/navigation/childscreen.h"

#include <QString>

#include <utility>
#include <vector>

class QFormLayout;

namespace kv {
class Context;
class ScreenRegistry;
} // namespace kv

namespace kv::info {

// A number the screen reads from the main database: a caption and the query that counts.
struct InfoCount {
    QString caption;
    QString sql;
};

// A screen whose work is done by another program of the suite: what that program does with
// it, and how much of the administration it concerns.
struct InfoEntry {
    const char *form;
    QString caption, text;
    std::vector<InfoCount> counts;
};

const std::vector<InfoEntry> &infoEntries();

// Each count of `entry` with its value; throws DbError.
std::vector<std::pair<QString, qint64>> countsOf(Context &ctx, const InfoEntry &entry);

// Shows one entry. It counts each time it is shown and writes nothing.
class InfoScreen : public ChildScreen {
    Q_OBJECT
public:
    InfoScreen(Context &ctx, const InfoEntry &entry);
    void Init() override;

private:
    Context &m_ctx;
    const InfoEntry &m_entry;
    QFormLayout *m_counts;
};

void registerInfoScreens(ScreenRegistry &screens);

} // namespace kv::info
