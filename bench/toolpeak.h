#pragma once

// The peak memory of korvenal-admin run as a child process, for the benchmarks that measure
// the tool as a user starts it. KORVENAL_ADMIN names the program.
#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct Peak {
    int exitCode = -1;
    double maxRss = 0, anon = 0, file = 0; // MB
};

inline double statusKB(const std::string &status, const char *field)
{
    const size_t at = status.find(field);
    return at == std::string::npos ? 0 : std::stod(status.substr(at + std::strlen(field)));
}

// Runs korvenal-admin with `arguments` and waits for it: its peak resident memory from wait4,
// and, sampled from /proc while it runs, the most of it that was its own (anonymous) memory
// and the most that was mapped files (the database mapped into memory counts as resident
// once read). wait4 counts the child's life from the fork, while it was still a copy of
// this process.
inline Peak runTool(const QStringList &arguments, const QString &registry)
{
    std::vector<QByteArray> args{QByteArrayLiteral(KORVENAL_ADMIN)};
    for (const QString &a : arguments)
        args.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    QByteArray own = "BEHEER_REGISTRY=" + QFile::encodeName(registry);
    std::vector<char *> envp{own.data()};
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "BEHEER_REGISTRY=", 16) != 0)
            envp.push_back(*e);
    envp.push_back(nullptr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(null);
    Peak peak;
    const std::string statusPath = "/proc/" + std::to_string(pid) + "/status";
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        std::ifstream in(statusPath);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (text.find("Name:\tkorvenal-admin") != std::string::npos) { // no longer the copy of this process
            peak.anon = std::max(peak.anon, statusKB(text, "RssAnon:") / 1024);
            peak.file = std::max(peak.file, statusKB(text, "RssFile:") / 1024);
        }
        ::usleep(2000);
    }
    peak.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    peak.maxRss = double(usage.ru_maxrss) / 1024;
    return peak;
}
