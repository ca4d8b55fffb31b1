// orvo summary of every bundled example, against its expected text in
// tests/data/cli/summary/<example>.txt (regenerate for review: ORVO_UPDATE_EXPECTED=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli_command.h"
#include "support/golden.h"

namespace orvo::cli {
namespace {

class SummaryTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SummaryTest, MatchesItsExpectedText) {
  const std::string project = std::string("examples/") + GetParam();
  std::string name = GetParam();
  name = name.substr(0, name.find('/'));
  std::ostringstream out, err;
  // Relative to the source tree, as the expected text names the project.
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(ORVO_SOURCE_DIR);
  const int status = RunOrvo({"summary", project}, out, err);
  std::filesystem::current_path(here);
  EXPECT_EQ(status, kSuccess) << err.str();
  EXPECT_EQ(err.str(), "");
  orvo::testing::ExpectFileText(orvo::testing::DataPath("cli/summary/" + name + ".txt"), out.str());
}

INSTANTIATE_TEST_SUITE_P(Examples, SummaryTest,
                         ::testing::Values("fenu5_river/river.orb", "verda5_lake/lake.orb",
                                           "river/river.orb"));

}  // namespace
}  // namespace orvo::cli
