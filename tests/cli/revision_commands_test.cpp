// orvo revisions, checkin, checkout and delete-revision on the real RCS programs.
#include <gtest/gtest.h>

#include <regex>

#include "support/cli_run.h"

namespace orvo::cli {
namespace {

using testing::ReadFile;
using testing::RunCli;

// Dates change from run to run.
std::string WithoutDates(const std::string& text) {
  return std::regex_replace(text, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)"), "DATE");
}

TEST(RevisionCommandsTest, CheckInListCheckOutDelete) {
  testing::ScratchDir dir("orvo_cli_rcs");
  const std::string project = dir.Write("river.orb", "first");
  auto result = RunCli({"revisions", project});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");

  result = RunCli({"checkin", project, "-n", "first release", "-m", "River study\n.\nfirst cut"});
  EXPECT_EQ(result.status, kSuccess) << result.err;
  EXPECT_EQ(result.out, "1.1\n");
  dir.Write("river.orb", "second");
  result = RunCli({"checkin", project, "-m", "Lake segments\nand their volumes"});
  EXPECT_EQ(result.status, kSuccess) << result.err;
  EXPECT_EQ(result.out, "1.2\n");

  result = RunCli({"revisions", project});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(WithoutDates(result.out),
            "1.2\t\tDATE\tLake segments\n"
            "1.1\tfirst_release\tDATE\tInitial revision\n");

  result = RunCli({"--no", "checkout", project, "1.1"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, "? Warning: this operation will overwrite river.orb.  Continue?\n");
  EXPECT_EQ(ReadFile(project), "second");
  result = RunCli({"checkout", project, "1.1"});
  EXPECT_EQ(result.status, kSuccess) << result.err;
  EXPECT_EQ(ReadFile(project), "first");

  result = RunCli({"delete-revision", project, "1.3"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, "RCSClass::DeleteRevision: river.orb has no version \"1.3\".\n");
  result = RunCli({"delete-revision", project, "1.2"});
  EXPECT_EQ(result.status, kSuccess) << result.err;
  result = RunCli({"delete-revision", project, "1.1"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, "Sorry, can't delete the last version\n");
  EXPECT_EQ(WithoutDates(RunCli({"revisions", project}).out),
            "1.1\tfirst_release\tDATE\tInitial revision\n");
}

TEST(RevisionCommandsTest, FailuresCarryTheProgramsMessage) {
  testing::ScratchDir dir("orvo_cli_rcs");
  const std::string project = dir.Write("river.orb", "first");
  ASSERT_EQ(RunCli({"checkin", project, "-m", "one", "-n", "base"}).status, kSuccess);
  dir.Write("river.orb", "second");
  auto result = RunCli({"checkin", project, "-m", "two", "-n", "base"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "RCSClass::CIVersion: ci: RCS/river.orb,v: symbolic name base already bound to 1.1\n");

  result = RunCli({"checkin", project, "-m", "two", "-n", "v2.0"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_TRUE(
      result.err.starts_with("RCSClass::CIVersion: The version name \"v2.0\" cannot be "
                             "used. A version name begins with a letter"))
      << result.err;
  EXPECT_EQ(WithoutDates(RunCli({"revisions", project}).out),
            "1.1\tbase\tDATE\tInitial revision\n");

  dir.Write("RCS/damaged.orb,v", "head 1.1;\n");
  result = RunCli({"revisions", dir / "damaged.orb"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_TRUE(result.err.starts_with("RCSClass::ReadLog: rlog: RCS/damaged.orb,v:")) << result.err;
}

}  // namespace
}  // namespace orvo::cli
