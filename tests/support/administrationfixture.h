#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kv::test {

// A fresh, empty administration in a temporary folder whose name ends in admin code 07 and
// year 2026. The databases are made once per test program from the schema and copied for
// each test, which keeps the tests fast.
class TempAdministration {
public:
    explicit TempAdministration(const QString &password = {});
    const QString &dataPad() const { return m_dataPad; } // with a trailing separator

private:
    QTemporaryDir m_dir;
    QString m_dataPad;
};

} // namespace kv::test
