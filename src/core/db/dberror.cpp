#include "core/db/dberror.h"

namespace kv::db {

DbError::DbError(int number, const QString &description)
    : std::runtime_error(QStringLiteral("%1: %2").arg(number).arg(description).toStdString()),
      m_number(number), m_description(description)
{
}

void raise(int number, const QString &description)
{
    throw DbError(number, description);
}

} // namespace kv::db
