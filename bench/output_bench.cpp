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
#include "output_bench_file.h"
#include "results/orvo_output_data.h"

extern char** environ;

namespace orvo {
namespace {

namespace fs = std::filesystem;
using bench::RunPath;

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
