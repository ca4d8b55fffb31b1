#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "results/run_text.h"
#include "support/cli_run.h"
#include "support/example_river.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;
using Result = testing::CliResult;
using testing::RunCli;

// A stand-in model program: leaves a one-variable output file for the six segments of the
// example river beside the deck that orvo.ctl names, then runs tail.
void StandIn(const fs::path& path, const std::string& tail = "") {
  WriteFile(path,
            "#!/bin/sh\n"
            "deck=$(sed -n 2p orvo.ctl)\n"
            "out() {\n"
            "  printf '1\\nheader\\nsteps\\nsegs\\nFLOW (cms)\\n'\n"
            "  for s in 1 2 3 4 5 6; do printf '%6d%10.3f\\n%s.5 0 0 0 0 0\\n' $s 1 $s; done\n"
            "}\n"
            "out > \"${deck%.*}.trn\"\nout > \"${deck%.*}.fdf\"\n" +
                tail);
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

class RunCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root = fs::path(::testing::TempDir()) / ("run cmd it's; " + name);
    fs::remove_all(root);
    fs::create_directories(root / "orvo");
    programs = (root / "orvo").string() + "/";
    StandIn(programs + "fenu5");
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    testing::BuildExampleRiver(doc);
    project = (root / "river.orb").string();
    ASSERT_TRUE(doc.Save(project));
    ASSERT_EQ(RunCli({"locate", programs + "fenu5"}).status, kSuccess);
  }
  void TearDown() override { fs::remove_all(root); }

  fs::path root;
  std::string programs, project;
};

TEST_F(RunCommandTest, RunsTheProjectAndPrintsTheBaseRun) {
  const Result result = RunCli({"run", project});
  EXPECT_EQ(result.err, "");
  ASSERT_EQ(result.status, kSuccess);
  EXPECT_EQ(ReadFile(root / "orvo.ctl"), programs + "\nriver.inp\n");
  EXPECT_TRUE(fs::file_size(root / "river.inp") > 100);
  ScriptedPlatform platform;
  std::string table;
  ASSERT_TRUE(BaseRunModelText((root / "river").string(), platform, table));
  EXPECT_NE(table.find("FLOW"), std::string::npos);
  EXPECT_EQ(result.out, table);

  // An explicit deck, and an existing deck run by type.
  fs::create_directory(root / "runs");
  const std::string deck = (root / "runs" / "v1.2.inp").string();
  EXPECT_EQ(RunCli({"run", project, deck, "--timeout", "20"}).status, kSuccess);
  EXPECT_TRUE(fs::exists(root / "runs" / "v1.2.fdf"));
  fs::remove(root / "runs" / "v1.2.fdf");
  EXPECT_EQ(RunCli({"run", deck, "--type", "fenu"}).out, result.out);
  EXPECT_TRUE(fs::exists(root / "runs" / "v1.2.fdf"));
}

TEST_F(RunCommandTest, FailuresExitWithStatus1) {
  StandIn(programs + "fenu5", "exit 2\n");
  Result result = RunCli({"run", project});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "COrvoBuilderDoc::ExecuteOrvo: fenu5 ended with exit status 2.\n");

  StandIn(programs + "fenu5", "exec sleep 30\n");
  result = RunCli({"run", project, "--timeout", "0.2"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err,
            "COrvoBuilderDoc::ExecuteOrvo: fenu5 did not end within 0.2 seconds and was "
            "stopped.\n");

  result = RunCli({"run", (root / "river.inp").string(), "--type", "verda"});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, "Unable to find " + programs +
                            "verda5.  Please select the location of the ORVO5 executables using "
                            "the ORVO pulldown menu.\n");
}

TEST_F(RunCommandTest, ProjectWithoutSimulationTypeIsNotWritten) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  ASSERT_TRUE(doc.Save(project));
  const Result result = RunCli({"run", project});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err,
            "COrvoBuilderDoc::ExecuteOrvo: The simulation type is not set.  Choose FENU5, VERDA5 "
            "or KOBAL5 before running the model.\n");
  EXPECT_FALSE(fs::exists(root / "river.inp"));
  EXPECT_FALSE(fs::exists(root / "orvo.ctl"));
}

}  // namespace
}  // namespace orvo::cli
