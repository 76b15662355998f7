#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// A console reporter that also keeps the mean real and CPU time of every run by name, so that a
// benchmark program can print the ratios between its runs when they are over.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
                cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // True when both runs were reported (a filter may have left one out).
    bool Has(const std::string& a, const std::string& b) const {
        return times.count(a) != 0 && times.count(b) != 0;
    }
    double Ratio(const std::string& a, const std::string& b) const {
        return times.at(a) / times.at(b);
    }
    double CpuRatio(const std::string& a, const std::string& b) const {
        return cpuTimes.at(a) / cpuTimes.at(b);
    }

    std::map<std::string, double> times;
    std::map<std::string, double> cpuTimes;
};

// Prints a figure against its goal; false when it misses it.
inline bool Informar(const char* que, double valor, double meta, const char* unidad = "ms") {
    const bool dentro = valor <= meta;
    std::printf("%s: %.2f %s (goal at most %.2f)%s\n", que, valor, unidad, meta,
                dentro ? "" : "  OVER THE GOAL");
    return dentro;
}
