// orvo vary: sensitivity families of the FENU5 example with the bundled engine, one after another
// and side by side (the files left must be the same); selections by name and number, and names
// the project lacks, in tests/data/cli/scripts/vary_selections_by_name_and_number.txt.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "model/number_text.h"
#include "support/cli_run.h"
#include "support/golden.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::RunCli;

const std::string kProject = std::string(ORVO_SOURCE_DIR) + "/examples/fenu5_river/river.orb";

// Every file of a directory (not its subdirectories) with its bytes.
std::map<std::string, std::string> Contents(const fs::path& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(directory)) {
    if (entry.is_regular_file()) files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

class VaryCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"locate", std::string(ORVO_BIN_DIR) + "/fenu5"}).status, kSuccess);
  }
  testing::ScratchDir dir{"orvo_vary"};
};

TEST_F(VaryCommandTest, ParallelRunsLeaveTheSameFilesAsOneAfterAnother) {
  std::map<std::string, std::string> contents[2];
  std::string outputs[2];
  for (int jobs : {1, 3}) {
    const fs::path runs = dir.path() / ("jobs" + std::to_string(jobs));
    fs::create_directory(runs);
    const testing::CliResult result =
        RunCli({"vary", kProject, "C", (runs / "flow.inp").string(), "--values", "50, 100,200",
                "--item", "volume", "--segments", "1-3,8", "--title", "Volume study", "--jobs",
                std::to_string(jobs)});
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(result.status, kSuccess) << result.out;
    contents[jobs == 1 ? 0 : 1] = Contents(runs);
    std::string out = result.out;
    for (size_t at; (at = out.find(runs.string())) != std::string::npos;)
      out.replace(at, runs.string().size(), "D");
    outputs[jobs == 1 ? 0 : 1] = out;
  }
  orvo::testing::ExpectText(outputs[0]);
  EXPECT_EQ(outputs[1], outputs[0]);
  std::vector<std::string> names;
  for (const auto& [name, text] : contents[0]) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "flow.fdf",  "flow.inp",  "flow.msb",  "flow.out",  "flow.trn",  "flow0.fdf",
                       "flow0.inp", "flow0.msb", "flow0.out", "flow0.trn", "flow1.fdf", "flow1.inp",
                       "flow1.msb", "flow1.out", "flow1.trn", "flow2.fdf", "flow2.inp", "flow2.msb",
                       "flow2.out", "flow2.trn", "orvo.ctl"}));
  EXPECT_TRUE(contents[0] == contents[1]);
  for (const auto& [name, text] : contents[0]) EXPECT_EQ(text, contents[1][name]) << name;
  // Halving the volumes changes the results (beyond the titles in the files' headers).
  const auto body = [](const std::string& text) { return text.substr(text.find("Output times")); };
  EXPECT_NE(body(contents[0]["flow0.fdf"]), body(contents[0]["flow.fdf"]));
  EXPECT_EQ(body(contents[0]["flow1.fdf"]), body(contents[0]["flow.fdf"]));
}

}  // namespace
}  // namespace orvo::cli
