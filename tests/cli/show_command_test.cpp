#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli_command.h"
#include "support/golden.h"
#include "support/scratch_dir.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::WriteFile;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunOrvo(std::move(args), out, err);
  return {status, out.str(), err.str()};
}

// A FENU5 run of two segments, two variables and two time steps; second_value is variable 2
// of segment 2 at the second time step.
void WriteRun(const std::string& run, const std::string& second_value) {
  WriteFile(run + ".inp", "RIVER\nTITLE 2\nx\n    2    6\n");
  const std::string output =
      "0\nsteps\n2\nCHEM {mg/L)\nFLOW\n"
      "     1      0.000\n1 2 0 0 0 0\n"
      "     2      0.000\n3 4 0 0 0 0\n"
      "     1      1.000\n5 6 0 0 0 0\n"
      "     2      1.000\n7 " +
      second_value + " 0 0 0 0\n";
  WriteFile(run + ".trn", output);
  WriteFile(run + ".fdf", output);
}

class ShowCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.path() / "v1.2");
    dir_ = scratch_.path();
    base_ = (dir_ / "v1.2" / "river").string();
  }

  // Each test its own folder: ctest runs the cases of this file side by side.
  orvo::testing::ScratchDir scratch_{"orvo_show_command_test"};
  fs::path dir_;
  std::string base_;
};

TEST_F(ShowCommandTest, PrintsTheViewerText) {
  WriteRun(base_, "8");
  WriteRun(base_ + "0", "9.5");
  Result result = RunCli({"show", base_, "--runs", "Base", "--variables", "1"});
  ASSERT_EQ(result.status, kSuccess) << result.err;
  orvo::testing::ExpectText(result.out);

  result = RunCli({"show", base_, "--type", "transport", "--differences", "2"});
  ASSERT_EQ(result.status, kSuccess) << result.err;
  orvo::testing::ExpectText(result.out, "2");

  WriteFile(base_ + ".msb", "BALANCE\n");
  result = RunCli({"show", base_, "--type", "massbalance", "--runs", "Base"});
  ASSERT_EQ(result.status, kSuccess) << result.err;
  EXPECT_EQ(result.out,
            "\n=================================\nMass Balance for " + base_ + ":\n\nBALANCE\n");
  result = RunCli({"show", base_, "--type", "massbalance"});  // run 0 has no record
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
}

TEST_F(ShowCommandTest, RefusesMissingRunsAndBadSelections) {
  Result result = RunCli({"show", base_});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("No run found for " + base_), std::string::npos) << result.err;

  WriteRun(base_, "8");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"show", base_, "--type", "chart"},
           {"show", base_, "--segments", "3"},
           {"show", base_, "--segments", "1-x"},
           {"show", base_, "--variables", ""},
           {"show", base_, "--runs", "7"},
           {"show", base_, "--segments", "1", "--differences", "1"},
           {"show", base_, "--runs"},
       }) {
    EXPECT_EQ(RunCli(args).status, kUsage) << args.back();
  }
  // A run that could not be read whole is shown as far as it goes, and the status says so.
  fs::remove(base_ + ".fdf");
  result = RunCli({"show", base_, "--type", "transport", "--segments", "1"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.out.find("Variable FLOW"), std::string::npos);
  EXPECT_NE(result.err.find("Unable to open output file " + base_ + ".fdf"), std::string::npos);
  WriteRun(base_, "8");
  // A deck whose NOSEG no output file backs fails with a message, whatever the count.
  WriteFile(base_ + ".inp", "RIVER\nTITLE 2\nx\n2147483647    6\n");
  result = RunCli({"show", base_});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("The number of segments 2147483647 of " + base_ + ".inp is far more"),
            std::string::npos)
      << result.err;
  WriteRun(base_, "8");
  // Comparing needs one segment: the message tells why nothing is printed.
  result = RunCli({"show", base_, "--differences", "1-2"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.err.find("Please select a single segment"), std::string::npos);
}

TEST(CatchAllTest, AnExceptionBecomesAMessageAndAFailure) {
  std::ostringstream err;
  EXPECT_EQ(CatchAll([] { return kUsage; }, err), kUsage);
  EXPECT_EQ(CatchAll([]() -> int { throw std::bad_alloc(); }, err), kFailed);
  EXPECT_EQ(CatchAll([]() -> int { throw std::runtime_error("disk on fire"); }, err), kFailed);
  EXPECT_EQ(CatchAll([]() -> int { throw 42; }, err), kFailed);
  orvo::testing::ExpectText(err.str());
}

}  // namespace
}  // namespace orvo::cli
