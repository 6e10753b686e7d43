#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

// The console's table, and each measured work's time kept by name (the median when repeated),
// so a benchmark can print the ratios of works measured in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !m_medians.count(run.run_name.function_name)))
                m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (median)
                m_medians[run.run_name.function_name] = true;
        }
    }

    // "<what>: <a> against <b>, ratio <a/b>", the times in a readable unit; nothing when either
    // did not run.
    void printRatio(const char *what, const std::string &a, const std::string &b) const
    {
        if (!m_seconds.count(a) || !m_seconds.count(b))
            return;
        std::printf("%s: %s against %s, ratio %.2f\n", what, shown(m_seconds.at(a)).c_str(), shown(m_seconds.at(b)).c_str(),
                    m_seconds.at(a) / m_seconds.at(b));
    }

private:
    static std::string shown(double seconds)
    {
        char text[32];
        if (seconds >= 1)
            std::snprintf(text, sizeof text, "%.2f s", seconds);
        else if (seconds >= 1e-3)
            std::snprintf(text, sizeof text, "%.1f ms", seconds * 1e3);
        else
            std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
        return text;
    }

    std::map<std::string, double> m_seconds;
    std::map<std::string, bool> m_medians;
};
