// The main of every benchmark program. Each benchmark names its figure by its label; the
// figure is the median of the repetitions: MB/s for labels ending in "_MBps", the counter
// "value" when the benchmark sets one, milliseconds otherwise.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

class FigureReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.report_label.empty() ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")) {
                continue;
            }
            std::printf("%s: %.3f\n", run.report_label.c_str(), Figure(run));
        }
        std::fflush(stdout);
    }

  private:
    static double Figure(const Run& run) {
        const std::string& label = run.report_label;
        if (label.size() > 5 && label.ends_with("_MBps")) {
            return run.counters.at("bytes_per_second").value / 1e6;
        }
        if (const auto value = run.counters.find("value"); value != run.counters.end()) {
            return value->second.value;
        }
        return run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond   ? 1.0
                                            : run.time_unit == benchmark::kMicrosecond ? 1e-3
                                            : run.time_unit == benchmark::kNanosecond  ? 1e-6
                                                                                       : 1e3);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
