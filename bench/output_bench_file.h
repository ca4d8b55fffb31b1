// The output benchmarks' run: a model output file of 1,000 segments x 20 variables x 1,000 time
// steps in the model programs' layout, written once per machine into the temporary directory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace orvo::bench {

namespace fs = std::filesystem;

constexpr int kSegments = 1000;
constexpr int kVariables = 20;
constexpr int kSteps = 1000;
// Names, then per record a 17-byte header line and four lines of six 10-character values.
constexpr std::uintmax_t kFileSize =
    2 + 16 + 5 + 18 * 9 + 19 * 11 + std::uintmax_t{kSteps} * kSegments * (17 + 4 * 61);

// Written once per process, in the model programs' layout ("%10.3E" values, six a line).
inline const std::string& RunPath() {
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

}  // namespace orvo::bench
