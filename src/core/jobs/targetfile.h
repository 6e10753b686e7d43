#pragma once

#include <QString>

namespace kv {

// A file (or a folder of files) a job writes under a hidden temp name beside its target, put in
// place by a rename when it is complete: a stopped, failed or killed run never leaves half a file
// under the target's name. The temp name carries the workstation and the process, so that a later run on the same
// workstation removes a killed run's leftover and never touches one still being written.
class TargetFile {
public:
    explicit TargetFile(const QString &target); // removes this workstation's leftovers
    ~TargetFile();                              // removes the temp file unless committed
    TargetFile(const TargetFile &) = delete;
    TargetFile &operator=(const TargetFile &) = delete;

    const QString &tempPath() const { return m_temp; }
    // Gives the temp file the target's permissions (a new file what the umask leaves of
    // rw-rw-rw-, a new folder of rwxrwxrwx), puts it on disk (a folder with every file in it)
    // and renames it into place; false with `error()` when that fails.
    bool commit();
    const QString &error() const { return m_error; }

private:
    QString m_target, m_temp, m_error;
    bool m_committed = false;
};

} // namespace kv
