#pragma once

#include <cstring>
#include <fstream>
#include <string>

// Resident memory from /proc/self/status, in MB: "VmRSS:" now, "VmHWM:" the peak since the
// last reset. The mapped pages of the database file count as resident once read.
inline double statusMB(const char *field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::strlen(field))) / 1024.0;
    return 0;
}

// Starts a new peak at the resident memory of now, and returns that.
inline double resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusMB("VmRSS:");
}
