#pragma once

#include "core/context.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"
#include "editing/codetables/hulplist.h"
#include "support/administrationfixture.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace kv::test {

// Every table the menus open in the code-table editor, as the menus spell it.
QStringList menuCodeTables();

// A stored code-table record.
struct Stored {
    int codeNr;
    QString text;
    bool selected;
    int recordCode;
    bool operator==(const Stored &) const = default;
};
inline void PrintTo(const Stored &s, std::ostream *os)
{
    *os << '{' << s.codeNr << ", \"" << s.text.toStdString() << "\", " << s.selected << ", " << s.recordCode << '}';
}

// An empty administration opened on a context with a registry file and scripted dialogs.
class CodeTableTest : public ::testing::Test {
protected:
    CodeTableTest();

    // Writes `records` into `table` as they are given.
    void put(const QString &table, const std::vector<Stored> &records);
    // The records of `table` in `PrimaryKey` order.
    std::vector<Stored> stored(const QString &table);
    // The editor's logic on `table`, as the dispatcher opens it.
    codetables::HulpList open(const QString &table);

    TempAdministration admin;
    QTemporaryDir dir;
    RegistryFile registry;
    ScriptedDialogs dialogs;
    Session session;
    Context ctx;
};

} // namespace kv::test
