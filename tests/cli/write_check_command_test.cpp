#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "deck/deck_writer.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/cli_run.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;

using Result = testing::CliResult;
using testing::ReadFile;
using testing::RunCli;

constexpr auto Array = testing::ArrayText;

class WriteCheckCommandTest : public testing::DocumentTest {
 protected:
  testing::ScratchDir scratch{"orvo_write_check"};
  const std::string project = scratch / "project.orb";
  const std::string deck = scratch / "deck.inp";

  // Three segments and three exchanges, each judged differently card by card; two systems
  // (the project case, whose cards and judgements tests/deck/project_cards_test.cpp checks).
  const std::string judged = testing::DataPath("projects/kobal5_judged_card_by_card/project.orb");
  void LoadJudged() { ASSERT_TRUE(doc.Load(judged)); }

  void Save() { ASSERT_TRUE(doc.Save(project)); }
};

TEST_F(WriteCheckCommandTest, CheckReportsFindingsSegmentsAndExchanges) {
  const Result result = RunCli({"check", judged});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.err, "");
  orvo::testing::ExpectText(result.out);
}

TEST_F(WriteCheckCommandTest, CheckOfAnEmptyProjectListsNoNodes) {
  Save();
  const Result result = RunCli({"check", project});
  EXPECT_EQ(result.status, kSuccess);
  orvo::testing::ExpectText(result.out);
}

TEST_F(WriteCheckCommandTest, WriteGivesTheProjectsDeck) {
  LoadJudged();
  bool ok = false;
  const std::string expected = DeckText(doc, ok);
  ASSERT_TRUE(ok);
  const Result result = RunCli({"write", judged, deck});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(deck), expected);
  // The name is taken as given: no ".inp" rule on the command line.
  const std::string bare = deck.substr(0, deck.size() - 4);
  EXPECT_EQ(RunCli({"write", judged, bare}).status, kSuccess);
  EXPECT_EQ(ReadFile(bare), expected);
  fs::remove(bare);
}

TEST_F(WriteCheckCommandTest, FailingCardEndsTheDeckWithItsGroupMessage) {
  LoadJudged();
  // An unpaired boundary value: groups A to D are written, then group E fails.
  doc.GetSegmentNode(1)->SetParameter(10, Array({Array({"2", "0", "3"}), ""}));
  Save();
  Result result = RunCli({"write", project, deck});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "COrvoBuilderDoc::OrvoWrite: Failed to properly write group E.\n");
  bool ok = true;
  EXPECT_EQ(ReadFile(deck), DeckText(doc, ok)) << "the partial deck stays";
  EXPECT_FALSE(ok);

  // Group A names the failing block before the group.
  doc.group_a.time_steps.GetList() = {"1", "10", "2"};
  Save();
  result = RunCli({"write", project, deck});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err,
            "Error occurred while writing model timesteps.\n"
            "COrvoBuilderDoc::OrvoWrite: Failed to properly write group A.\n");
}

TEST_F(WriteCheckCommandTest, MissingProjectOrUnwritableDeckFails) {
  const Result missing = RunCli({"write", "/nonexistent/project.orb", deck});
  EXPECT_EQ(missing.status, kFailed);
  EXPECT_NE(missing.err.find("Unable to open /nonexistent/project.orb"), std::string::npos);
  EXPECT_FALSE(fs::exists(deck)) << "nothing is written without a project";

  const Result unchecked = RunCli({"check", "/nonexistent/project.orb"});
  EXPECT_EQ(unchecked.status, kFailed);
  EXPECT_EQ(unchecked.out, "");
  EXPECT_NE(unchecked.err.find("Unable to open /nonexistent/project.orb"), std::string::npos);

  Save();
  const Result unwritable = RunCli({"write", project, "/nonexistent/deck.inp"});
  EXPECT_EQ(unwritable.status, kFailed);
  EXPECT_EQ(unwritable.err, "Unable to open /nonexistent/deck.inpfor writing.\n");
}

}  // namespace
}  // namespace orvo::cli
