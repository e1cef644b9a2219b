// The console table of every benchmark as it runs, and a summary after the last:
// the pixel order against its baseline, the kernels per family and in whole passes
// against the plain kernel, and the worst stop latency.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace scintle {

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    void PrintSummary() const;

private:
    struct Result {
        double cpuSeconds = 0;  // per iteration
        double manualSeconds = 0;
        std::map<std::string, double> counters;
        bool failed = false;
    };
    const Result* Find(const std::string& name) const;
    void PrintOrder() const;
    void PrintFamilies() const;
    void PrintPasses() const;
    void PrintStepping() const;
    void PrintStops() const;
    void PrintX11Passes() const;

    std::map<std::string, Result> results_;
    std::vector<std::string> names_;  // in the order they ran
};

}  // namespace scintle
