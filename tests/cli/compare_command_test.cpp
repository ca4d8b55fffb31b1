#include <gtest/gtest.h>

#include <string>

#include "support/cli_run.h"
#include "support/run_files.h"

namespace orvo::cli {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::RunFiles;
using testing::ScratchDir;

const std::string kExpected = std::string(ORVO_SOURCE_DIR) + "/tests/data/report/";

// A base run and two sensitivity runs beside it (river, river0, river1): CHEMICAL is 10 %
// higher in the first and, from the second time step on, 20 % lower in the second.
class CompareCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int run = -1; run <= 1; ++run) {
      RunFiles files;
      files.title2 = run < 0 ? "BASE" : "SENSITIVITY RUN " + std::to_string(run);
      files.value = [run](OutputTable table, int variable, int segment, int step) {
        const double plain = 10.0 * segment + step + variable;
        if (table == OutputTable::kTransport || variable != 0) return plain;
        return run == 0 ? plain * 1.1 : run == 1 && step > 0 ? plain * 0.8 : plain;
      };
      runs_.push_back(
          testing::WriteRun(dir_ / ("river" + (run < 0 ? "" : std::to_string(run))), files));
    }
  }
  std::vector<std::string> Args(std::vector<std::string> options) const {
    std::vector<std::string> args = {"compare"};
    args.insert(args.end(), runs_.begin(), runs_.end());
    args.insert(args.end(), options.begin(), options.end());
    return args;
  }

  ScratchDir dir_{"orvo_compare_command"};
  std::vector<std::string> runs_;
};

// To review a changed expectation, run the command and compare by eye:
//   orvo compare river.out river0.out river1.out --segments 1,3 --group 2-3 --threshold 5 --percent
TEST_F(CompareCommandTest, PrintsTheReportOfAThreeRunFamilyAsCsv) {
  const auto result =
      RunCli(Args({"--segments", "1,3", "--group", "2-3", "--threshold", "5", "--percent"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, ReadFile(kExpected + "three_run_family.csv"));
}

TEST_F(CompareCommandTest, OptionsShapeTheReport) {
  const auto result = RunCli(Args({"--segments", "2", "--variables", "SOLIDS,CHEMICAL", "--sort",
                                   "none", "--stats", "mean", "--full-path"}));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.substr(0, result.out.find('\n')),
            "Run,Description,Timesteps,% diff,2: Mean");
  EXPECT_NE(result.out.find("\nSOLIDS,,,0,\n" + runs_[0] + ",BASE,3,0,22\n"), std::string::npos)
      << result.out;
  EXPECT_LT(result.out.find("SOLIDS"), result.out.find("CHEMICAL"));

  const auto all = RunCli(Args({"--segments", "1", "--variables", "FLOW", "--all-data"}));
  ASSERT_EQ(all.status, 0);
  EXPECT_EQ(all.out.substr(0, all.out.find('\n') + 1), "Run,Description,Timesteps,% diff  v,1\n");
  EXPECT_NE(all.out.find("\nriver1,SENSITIVITY RUN 1,2,0,12\n"), std::string::npos) << all.out;
}

TEST_F(CompareCommandTest, SavesAndReadsReportFiles) {
  const std::string report = dir_ / "family.ORR";  // any case of the extension
  const auto saved = RunCli(Args(
      {"--segments", "1,3", "--group", "2-3", "--threshold", "5", "--percent", "--save", report}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  // The group is not kept in the file.
  const auto reread =
      RunCli({"compare", report, "--group", "2-3", "--threshold", "5", "--percent"});
  EXPECT_EQ(reread.status, 0) << reread.err;
  EXPECT_EQ(reread.out, saved.out);
}

TEST_F(CompareCommandTest, ExitStatuses) {
  EXPECT_EQ(RunCli({"compare"}).status, 2);
  EXPECT_EQ(RunCli(Args({"--sort", "sideways"})).status, 2);
  EXPECT_EQ(RunCli(Args({"--stats", "max,median"})).status, 2);
  EXPECT_EQ(RunCli(Args({"--threshold", "1,5"})).status, 2);
  EXPECT_EQ(RunCli(Args({"--segments", "4"})).status, 2);
  EXPECT_EQ(RunCli(Args({"--variables", "OXYGEN"})).status, 2);
  EXPECT_EQ(RunCli(Args({"--bogus"})).status, 2);
  EXPECT_EQ(RunCli({"compare", dir_ / "a.orr", runs_[0]}).status, 2);

  const auto unreadable = RunCli({"compare", dir_.Write("bad.orr", "number of files =1\r\n")});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "Parse error: unable to find header 'pathname ='\n");
  EXPECT_EQ(RunCli({"compare", dir_ / "absent.orr"}).status, 1);

  RunFiles other;
  other.segments = 5;
  const std::string mismatch = testing::WriteRun(dir_ / "other", other);
  const auto refused = RunCli({"compare", runs_[0], mismatch});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("Error: Number of segments do not match"), std::string::npos);
  EXPECT_EQ(RunCli({"compare", runs_[0], dir_ / "missing.out"}).status, 1);
}

}  // namespace
}  // namespace orvo::cli
