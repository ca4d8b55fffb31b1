// orvo summary of every bundled example, against its expected text in
// tests/data/cli/summary/<example>.txt (regenerate for review: ORVO_UPDATE_EXPECTED=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_command.h"

namespace orvo::cli {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SummaryTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SummaryTest, MatchesItsExpectedText) {
  const std::string project = std::string("examples/") + GetParam();
  std::string name = GetParam();
  name = name.substr(0, name.find('/'));
  const std::string expected_path =
      std::string(ORVO_SOURCE_DIR) + "/tests/data/cli/summary/" + name + ".txt";
  std::ostringstream out, err;
  // Relative to the source tree, as the expected text names the project.
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(ORVO_SOURCE_DIR);
  const int status = RunOrvo({"summary", project}, out, err);
  std::filesystem::current_path(here);
  EXPECT_EQ(status, kSuccess) << err.str();
  EXPECT_EQ(err.str(), "");
  if (std::getenv("ORVO_UPDATE_EXPECTED") != nullptr) {
    std::ofstream(expected_path, std::ios::binary) << out.str();
  }
  EXPECT_EQ(out.str(), ReadText(expected_path));
}

INSTANTIATE_TEST_SUITE_P(Examples, SummaryTest,
                         ::testing::Values("fenu5_river/river.orb", "verda5_lake/lake.orb",
                                           "river/river.orb"));

TEST(Summary, MissingProjectFails) {
  std::ostringstream out, err;
  EXPECT_EQ(RunOrvo({"summary", "/nonexistent/x.orb"}, out, err), kFailed);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str(), "");
  EXPECT_EQ(RunOrvo({"summary"}, out, err), kUsage);
}

}  // namespace
}  // namespace orvo::cli
