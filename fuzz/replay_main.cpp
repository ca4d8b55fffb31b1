// Replays fuzz inputs without libFuzzer: the seeds and every crash reproducer run through a
// target in the ordinary (sanitized) test build, so a fixed crash stays fixed.
//
//   fuzz_replay <target> <directory or file>...
//
// The test build compiles each target file with its entry point renamed, so that all of them
// live in this one program.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

extern "C" int FuzzProjectFile(const uint8_t* data, size_t size);
extern "C" int FuzzStringArray(const uint8_t* data, size_t size);
extern "C" int FuzzDeckReader(const uint8_t* data, size_t size);
extern "C" int FuzzGroupImport(const uint8_t* data, size_t size);
extern "C" int FuzzOutputData(const uint8_t* data, size_t size);
extern "C" int FuzzRcsLog(const uint8_t* data, size_t size);
extern "C" int FuzzReportFile(const uint8_t* data, size_t size);
extern "C" int FuzzChartLayout(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;
using Entry = int (*)(const uint8_t*, size_t);

struct Target {
  std::string_view name;
  Entry entry;
};
constexpr Target kTargets[] = {
    {"fuzz_project_file", FuzzProjectFile}, {"fuzz_string_array", FuzzStringArray},
    {"fuzz_deck_reader", FuzzDeckReader},   {"fuzz_group_import", FuzzGroupImport},
    {"fuzz_output_data", FuzzOutputData},   {"fuzz_rcs_log", FuzzRcsLog},
    {"fuzz_report_file", FuzzReportFile},   {"fuzz_chart_layout", FuzzChartLayout},
};

bool Run(Entry entry, const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Printed first, so that a crash shows which input caused it.
  std::printf("%s\n", file.c_str());
  std::fflush(stdout);
  entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <target> <directory or file>...\n", argv[0]);
    return 2;
  }
  const auto target = std::find_if(std::begin(kTargets), std::end(kTargets),
                                   [&](const Target& t) { return t.name == argv[1]; });
  if (target == std::end(kTargets)) {
    std::fprintf(stderr, "unknown target %s\n", argv[1]);
    return 2;
  }
  int count = 0;
  for (int i = 2; i < argc; ++i) {
    const fs::path path(argv[i]);
    std::vector<fs::path> files;
    if (fs::is_directory(path)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
        // Hidden files (.gitkeep) are not inputs.
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
          files.push_back(entry.path());
        }
      }
      std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(path)) {
      files.push_back(path);
    } else {
      std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
      return 1;
    }
    for (const fs::path& file : files) {
      if (!Run(target->entry, file)) return 1;
      ++count;
    }
  }
  std::printf("%s: %d inputs replayed\n", argv[1], count);
  return 0;
}
