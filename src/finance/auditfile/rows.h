#pragma once

#include "core/db/database.h"
#include "core/db/statement.h"

#include <QHash>
#include <QString>
#include <QVariant>

// What the sections of the audit file share inside this folder.
namespace kv::finance::auditfile {

inline const QString kNietAangemaakt = QStringLiteral("De XML Auditfile kan op dit moment niet worden aangemaakt.");

// A streamed query whose columns are read by name.
class Rij {
public:
    Rij(db::Database &db, const QString &sql, const QVariant &parameter = {}) : m_stmt(db.prepareOnce(sql))
    {
        if (parameter.isValid())
            m_stmt.bind(1, parameter);
        for (int i = 0; i < m_stmt.columnCount(); ++i)
            m_index.insert(m_stmt.columnName(i), i);
    }
    bool volgende() { return m_stmt.step(); }
    QVariant waarde(const QString &veld) const { return m_stmt.column(m_index.value(veld, -1)); }
    QString tekst(const QString &veld) const { return waarde(veld).toString(); }
    // By position, for the walks that read many rows.
    QVariant waarde(int kolom) const { return m_stmt.column(kolom); }
    QString tekst(int kolom) const { return waarde(kolom).toString(); }

private:
    db::Statement m_stmt;
    QHash<QString, int> m_index;
};

} // namespace kv::finance::auditfile
