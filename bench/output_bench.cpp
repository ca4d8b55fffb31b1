// Reading a model output file of 1,000 segments x 20 variables x 1,000 time steps into an
// OrvoOutputData, against the time `wc -l` takes to read the same file: the reader passes over
// the file twice and parses every number, wc only counts line ends, so the ratio of the two
// rates says how close the reader comes to plain reading. On a shared machine wall times
// swing with the load, so wc's own CPU time is reported too ("wc_cpu_ms", from the child's
// resource usage), to set against the reader's CPU column.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"

extern char** environ;

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr int kSegments = 1000;
constexpr int kVariables = 20;
constexpr int kSteps = 1000;
// Names, then per record a 17-byte header line and four lines of six 10-character values.
constexpr std::uintmax_t kFileSize =
    2 + 16 + 5 + 18 * 9 + 19 * 11 + std::uintmax_t{kSteps} * kSegments * (17 + 4 * 61);

// Written once per process, in the model programs' layout ("%10.3E" values, six a line).
const std::string& RunPath() {
  static const std::string path = [] {
    const fs::path directory = fs::temp_directory_path() / "orvo_output_bench";
    fs::create_directories(directory);
    const std::string run = (directory / "run").string();
    // A file left by an earlier run of the benchmark is reused: writing it takes longer than
    // reading it.
    std::error_code error;
    if (fs::file_size(run + ".trn", error) == kFileSize && fs::exists(run + ".fdf")) return run;
    std::ofstream(run + ".inp") << "BENCH\nOUTPUT\nx\n" << kSegments << " 6\n";
    std::FILE* file = std::fopen((run + ".trn").c_str(), "wb");
    std::fprintf(file, "0\n%d time steps\n%d\n", kSteps, kSegments);
    for (int v = 0; v < kVariables; ++v) std::fprintf(file, "VARIABLE %d {mg/L)\n", v + 1);
    for (int t = 0; t < kSteps; ++t) {
      for (int s = 0; s < kSegments; ++s) {
        std::fprintf(file, "%6d%10.3f\n", s + 1, 0.5 * t);
        for (int v = 0; v < 24; ++v) {
          const double value = v < kVariables ? 1.0 + v + s * 1e-3 + t * 1e-5 : 0.0;
          std::fprintf(file, "%10.3E%s", value, v % 6 == 5 ? "\n" : "");
        }
      }
    }
    std::fclose(file);
    // The model file: one time step without variables, so that the run measures the big file.
    std::ofstream model(run + ".fdf");
    model << "0\nsteps\nsegments\n";
    for (int s = 0; s < kSegments; ++s) model << "     " << s % 10 << "     0.000\n";
    return run;
  }();
  return path;
}

void ReadOutputFile(benchmark::State& state) {
  const std::string& run = RunPath();
  const auto bytes = static_cast<std::int64_t>(fs::file_size(run + ".trn"));
  for (auto _ : state) {
    ScriptedPlatform platform;
    OrvoOutputData data(run);
    if (!data.ReadInputData(platform) || !data.ReadOutputData(platform)) {
      state.SkipWithError(platform.messages.empty() ? "read failed"
                                                    : platform.messages.back().c_str());
      return;
    }
    benchmark::DoNotOptimize(data.transport_variables.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(ReadOutputFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The same file through `wc -l`, started without a shell, its output discarded.
void WcLinesOutputFile(benchmark::State& state) {
  const std::string file = RunPath() + ".trn";
  const auto bytes = static_cast<std::int64_t>(fs::file_size(file));
  double cpu_seconds = 0;
  for (auto _ : state) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char wc[] = "wc";
    char lines[] = "-l";
    char* argv[] = {wc, lines, const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || status != 0) {
      state.SkipWithError("wc -l failed");
      return;
    }
    for (const timeval& time : {usage.ru_utime, usage.ru_stime}) {
      cpu_seconds += static_cast<double>(time.tv_sec) + 1e-6 * static_cast<double>(time.tv_usec);
    }
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["wc_cpu_ms"] = 1e3 * cpu_seconds / static_cast<double>(state.iterations());
}
BENCHMARK(WcLinesOutputFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
}  // namespace orvo
