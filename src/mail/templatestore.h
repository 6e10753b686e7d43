#pragma once

#include "mail/emailtemplate.h"

#include <QString>

#include <optional>

namespace kv {

class Context;

// What a send reads from the administration, on the thread that owns the session (the screen's),
// before the send itself goes to a worker.

// The template numbered `codeNr`; nothing when there is none (deleted meanwhile).
std::optional<EmailTemplate> readTemplate(Context &ctx, const QString &codeNr);

// The invoice number of the user record, for the merge fields; empty without a record.
QString currentFactuurNr(Context &ctx);

} // namespace kv
