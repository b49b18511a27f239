#pragma once
// A console report that ends with a summary: for every benchmark named
// "Interaction/catalogue", its median, its ratio to the same catalogue's
// baseline, and whether it meets its target.

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class RatioSummaryReporter : public benchmark::ConsoleReporter {
public:
    /// What an interaction must stay under: its median real time and, when
    /// it counts one, its peak memory (the counter kPeakMemoryCounter).
    struct Target {
        double Milliseconds = 0;
        std::optional<double> PeakMiB;
    };
    /// The target of an interaction with a catalogue, if it has one.
    using TargetOf = std::function<std::optional<Target>(const std::string& interaction, const std::string& catalogue)>;

    /// The counter that holds a peak memory in MiB.
    static constexpr const char* kPeakMemoryCounter = "peak_MiB";

    /// `baseline` is the interaction the others are divided by.
    RatioSummaryReporter(std::string baseline, TargetOf target);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Median {
        double RealMs = 0;
        double CpuMs = 0;
        std::map<std::string, double> Counters;
    };
    struct Interaction {
        std::string Name;
        Median Measured;
    };

    std::string baseline_;
    TargetOf target_;
    /// Catalogue -> interactions in the order they ran.
    std::map<std::string, std::vector<Interaction>> catalogues_;
    std::vector<std::string> catalogueOrder_;
};
