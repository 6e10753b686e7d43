#pragma once

#include "core/context.h"
#include "core/messages/jobdialogs.h"
#include "core/registry/registryfile.h"
#include "core/session/session.h"

namespace kv {

// What an unattended job works with: the administration of a data folder opened as the console
// opens it, the user's registry with the program's keys, and messages on standard error with
// questions answered as the job's options say.
class JobSession {
public:
    explicit JobSession(bool yes) : dialogs(yes) {}
    JobSession(const JobSession &) = delete;
    JobSession &operator=(const JobSession &) = delete;

    // Opens the administration of `folder`; false (after telling why on standard error) when it
    // cannot be opened.
    bool open(const QString &folder);

    RegistryFile registry;
    JobDialogs dialogs;
    Session session;
    Context ctx;
};

} // namespace kv
