#pragma once

#include "mail/serversettings.h"

#include <QStringList>

namespace kv {

class Context;

// How a connection test went, as the server dialog and the tool show it.
struct ConnectionReport {
    bool ok = false;
    QStringList lines; // the steps with "gelukt" or the failure, the conversation, the hints
};

// Tries `settings` (typed, perhaps not yet stored): connect, TLS, login, NOOP, QUIT. Each step
// "gelukt", "niet gebruikt" or "mislukt" with why, then the server's own lines (credentials
// masked) and hints for the usual mix-ups of port and SSL. Logged under "TEST-EMAIL" as Begin
// "Verbinding testen" and Afgerond. Blocks: a screen runs it in a worker.
ConnectionReport testConnection(const Context &ctx, const ServerSettings &settings);

} // namespace kv
