// The run comparison report of 10 runs of 1,000 segments x 20 variables x 1,000 time steps,
// with 100 report segments and every statistic: reading the runs (what `orvo compare` spends
// first) against computing the report from them. The computing part must stay well under the
// reading part: a report is rebuilt on every change of an option.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "results/run_report.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 10;
constexpr int kSegments = 1000;
constexpr int kVariables = 20;
constexpr int kSteps = 1000;
constexpr int kReportSegments = 100;
// Names, then per record a 17-byte header line and four lines of six 10-character values.
constexpr std::uintmax_t kFileSize =
    2 + 16 + 5 + 18 * 9 + 19 * 11 + std::uintmax_t{kSteps} * kSegments * (17 + 4 * 61);

// The output benchmark's file, its values changed per run; the model file holds the time steps
// without variables, so that the report compares the 20 transport variables over 1,000 steps.
// Files left by an earlier run of the benchmark are reused.
const std::vector<std::string>& RunPaths() {
  static const std::vector<std::string> paths = [] {
    const fs::path directory = fs::temp_directory_path() / "orvo_report_bench";
    fs::create_directories(directory);
    std::vector<std::string> runs;
    for (int run = 0; run < kRuns; ++run) {
      const std::string base = (directory / ("run" + std::to_string(run))).string();
      runs.push_back(base + ".out");
      std::error_code error;
      if (fs::file_size(base + ".trn", error) == kFileSize && fs::exists(base + ".fdf")) continue;
      std::ofstream(base + ".inp") << "BENCH\nRUN " << run << "\nx\n" << kSegments << " 6\n";
      std::ofstream(base + ".out") << "";
      std::FILE* file = std::fopen((base + ".trn").c_str(), "wb");
      std::fprintf(file, "0\n%d time steps\n%d\n", kSteps, kSegments);
      for (int v = 0; v < kVariables; ++v) std::fprintf(file, "VARIABLE %d {mg/L)\n", v + 1);
      for (int t = 0; t < kSteps; ++t) {
        for (int s = 0; s < kSegments; ++s) {
          std::fprintf(file, "%6d%10.3f\n", s + 1, 0.5 * t);
          for (int v = 0; v < 24; ++v) {
            double value = v < kVariables ? 1.0 + v + s * 1e-3 + t * 1e-5 : 0.0;
            // Each run moves a few variables away from the reference run.
            if (v % 4 == run % 4) value *= 1.0 + 0.01 * run;
            std::fprintf(file, "%10.3E%s", value, v % 6 == 5 ? "\n" : "");
          }
        }
      }
      std::fclose(file);
      std::FILE* model = std::fopen((base + ".fdf").c_str(), "wb");
      std::fprintf(model, "0\nsteps\nsegments\n");
      for (int t = 0; t < kSteps; ++t) {
        for (int s = 0; s < kSegments; ++s) std::fprintf(model, "%6d%10.3f\n", s + 1, 0.5 * t);
      }
      std::fclose(model);
    }
    return runs;
  }();
  return paths;
}

void AddReportSegments(CORVOReportDoc& document) {
  for (int i = 0; i < kReportSegments; ++i) {
    document.AddReportSegment(1 + i * (kSegments / kReportSegments));
  }
}

std::vector<int> AllVariables(const CORVOReportDoc& document) {
  std::vector<int> all;
  for (int i = 0; i < static_cast<int>(document.variable_names.size()); ++i) all.push_back(i);
  return all;
}

// Reading: every run added to a new report, as `orvo compare` does.
void ReportReadRuns(benchmark::State& state) {
  const std::vector<std::string>& runs = RunPaths();
  for (auto _ : state) {
    ScriptedPlatform platform;
    CORVOReportDoc document(platform);
    for (const std::string& run : runs) {
      if (!document.AddDataset(run) || !platform.messages.empty()) {
        state.SkipWithError(platform.messages.empty() ? "add failed"
                                                      : platform.messages.back().c_str());
        return;
      }
    }
    benchmark::DoNotOptimize(document.runs.data());
  }
}
BENCHMARK(ReportReadRuns)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// Computing: the report grid of the runs read once, all variables, all statistics.
void ReportCompute(benchmark::State& state) {
  static ScriptedPlatform platform;
  static const std::unique_ptr<CORVOReportDoc> document = [] {
    auto read = std::make_unique<CORVOReportDoc>(platform);
    for (const std::string& run : RunPaths()) read->AddDataset(run);
    AddReportSegments(*read);
    return read;
  }();
  const std::vector<int> variables = AllVariables(*document);
  ReportOptions options;
  options.threshold = 0.5;
  options.percent = true;
  std::size_t rows = 0;
  for (auto _ : state) {
    const ReportGrid grid = BuildReport(*document, variables, options);
    rows = grid.rows.size();
    benchmark::DoNotOptimize(grid.rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["values"] = static_cast<double>(kRuns) * kVariables * kReportSegments * kSteps;
}
BENCHMARK(ReportCompute)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

}  // namespace
}  // namespace orvo
