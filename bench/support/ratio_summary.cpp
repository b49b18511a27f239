#include "bench/support/ratio_summary.h"

#include <cstdio>
#include <ostream>

namespace {

double Milliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
        case benchmark::kNanosecond:
            return value / 1e6;
        case benchmark::kMicrosecond:
            return value / 1e3;
        case benchmark::kMillisecond:
            return value;
        case benchmark::kSecond:
            return value * 1e3;
    }
    return value;
}

std::string Format(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

RatioSummaryReporter::RatioSummaryReporter(std::string baseline, TargetOf target)
    : benchmark::ConsoleReporter(OO_Tabular), baseline_(std::move(baseline)), target_(std::move(target))
{}

void RatioSummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The median of the repetitions; a single run stands for itself.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (run.error_occurred || !(median || single)) continue;
        const std::string& name = run.run_name.function_name;
        const std::size_t slash = name.rfind('/');
        if (slash == std::string::npos) continue;
        const std::string catalogue = name.substr(slash + 1);
        Median measured{Milliseconds(run.GetAdjustedRealTime(), run.time_unit),
                        Milliseconds(run.GetAdjustedCPUTime(), run.time_unit),
                        {}};
        for (const auto& [counter, value] : run.counters) measured.Counters[counter] = value.value;
        if (!catalogues_.count(catalogue)) catalogueOrder_.push_back(catalogue);
        catalogues_[catalogue].push_back({name.substr(0, slash), measured});
    }
}

void RatioSummaryReporter::Finalize()
{
    std::ostream& out = GetOutputStream();
    out << "\nMedians in milliseconds (real time; CPU time beside it), ratio = real time / baseline real time\n";
    for (const std::string& catalogue : catalogueOrder_) {
        const std::vector<Interaction>& interactions = catalogues_[catalogue];
        double baseline = 0;
        for (const Interaction& i : interactions)
            if (i.Name == baseline_) baseline = i.Measured.RealMs;
        out << "\n" << catalogue << " (baseline " << baseline_ << ": " << Format("%.3f", baseline) << " ms)\n";
        char header[160];
        std::snprintf(header, sizeof header, "  %-28s %10s %10s %10s %10s  %s\n", "interaction", "real ms", "cpu ms",
                      "ratio", "target ms", "verdict");
        out << header;
        for (const Interaction& i : interactions) {
            const std::optional<Target> target = target_(i.Name, catalogue);
            const std::string ratio = baseline > 0 ? Format("%.1f", i.Measured.RealMs / baseline) : "-";
            std::string verdict;
            if (target) {
                verdict = i.Measured.RealMs < target->Milliseconds ? "ok" : "MISSED";
                const auto peak = i.Measured.Counters.find(kPeakMemoryCounter);
                if (target->PeakMiB && peak != i.Measured.Counters.end())
                    verdict += peak->second < *target->PeakMiB ? ", memory ok" : ", memory MISSED";
            }
            char row[200];
            std::snprintf(row, sizeof row, "  %-28s %10.3f %10.3f %10s %10s  %s", i.Name.c_str(), i.Measured.RealMs,
                          i.Measured.CpuMs, ratio.c_str(), target ? Format("%.0f", target->Milliseconds).c_str() : "-",
                          verdict.c_str());
            out << row;
            // What a benchmark counts besides the time (peak memory, rows).
            for (const auto& [counter, value] : i.Measured.Counters) out << "  " << counter << "=" << value;
            out << "\n";
        }
    }
    out.flush();
}
