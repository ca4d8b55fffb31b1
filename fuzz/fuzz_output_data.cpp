// Any bytes may reach the output reader: a model stopped half-way, a file of another run or
// program, a disk error. Whatever it reads, the object must stay consistent (every series of
// a read file has one value per counted time step, the counts the accessors give match what
// they can read) and reading must end without unbounded memory or time.
//
// An input is a deck header and an output file separated by the first line "@@@@"; the output
// file serves as both the transport file and the model file of the run.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"

namespace {

const std::string& RunPath() {
  static const std::string path = [] {
    // Memory-backed when the system has it: the files are rewritten for every input.
    char in_memory[] = "/dev/shm/orvo_fuzz_output_data_XXXXXX";
    char on_disk[] = "/tmp/orvo_fuzz_output_data_XXXXXX";
    const char* directory = mkdtemp(in_memory);
    if (directory == nullptr) directory = mkdtemp(on_disk);
    if (directory == nullptr) std::abort();
    return std::string(directory) + "/run";
  }();
  return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "inconsistent output data: %s\n", what);
  std::abort();
}

void CheckFile(const orvo::OrvoOutputData& data, orvo::OutputTable table) {
  const auto& variables = data.Variables(table);
  const int steps = data.GetNumTimeSteps(table);
  Check(data.GetNumVariables(table) == static_cast<int>(variables.size()), "variable count");
  for (int v = 0; v < data.GetNumVariables(table); ++v) {
    const auto& series = variables[static_cast<size_t>(v)].series;
    Check(series.empty() || series.size() == static_cast<size_t>(data.number_of_segments),
          "one series per segment");
    for (const auto& values : series) {
      Check(values.size() == static_cast<size_t>(steps), "one value per time step");
    }
    double value = 0;
    if (!series.empty() && steps > 0) {
      Check(data.GetValue(table, v, data.number_of_segments - 1, steps - 1, value),
            "last value readable");
    }
    Check(!data.GetValue(table, v, 0, steps, value), "time step beyond the count");
    Check(data.GetMaximum(table, v, -1, value), "maximum of a listed variable");
    Check(data.GetName(table, v) == variables[static_cast<size_t>(v)].name, "name");
  }
  Check(data.GetName(table, data.GetNumVariables(table)) == "<error>", "name beyond");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t marker = input.find("\n@@@@\n");
  const std::string_view deck = input.substr(0, marker);
  const std::string_view output =
      marker == std::string_view::npos ? std::string_view() : input.substr(marker + 6);
  const std::string& run = RunPath();
  WriteFile(run + ".inp", deck);
  for (const char* extension : {".trn", ".fdf", ".vdf", ""}) {
    WriteFile(run + extension, output);
  }

  orvo::ScriptedPlatform platform;
  orvo::OrvoOutputData result(run);
  if (!result.ReadInputData(platform)) return 0;
  const bool read = result.ReadOutputData(platform);
  Check(read || !platform.messages.empty(), "a failure is reported");
  CheckFile(result, orvo::OutputTable::kTransport);
  CheckFile(result, orvo::OutputTable::kModel);
  const orvo::OrvoOutputData copy = result;
  Check(copy.GetNumTimeSteps(orvo::OutputTable::kModel) ==
            result.GetNumTimeSteps(orvo::OutputTable::kModel),
        "copy");
  return 0;
}
