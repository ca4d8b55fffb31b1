#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "deck/deck_writer.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/cli_run.h"
#include "support/small_project.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;

using Result = testing::CliResult;
using testing::ReadFile;
using testing::RunCli;

class ReadCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    deck = scratch / "deck.inp";
    project = scratch / "project.orb";

    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    testing::BuildSmallProject(doc);
    // The project file keeps no card I names, so a function would come back unnamed.
    doc.group_i.functions[0].clear();
    ASSERT_TRUE(OrvoWrite(doc, deck));
  }
  testing::ScratchDir scratch{"orvo_read_command"};
  std::string deck;
  std::string project;
};

TEST_F(ReadCommandTest, BuildsTheProjectFromTheDeck) {
  const Result result = RunCli({"read", deck, project});
  ASSERT_EQ(result.status, kSuccess) << result.err;
  EXPECT_EQ(result.err, "");

  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  ASSERT_TRUE(doc.Load(project));
  EXPECT_EQ(doc.group_a.TITLE1, "Reader");
  EXPECT_EQ(doc.group_a.NOSEG, 3);
  ASSERT_EQ(doc.nodes().size(), 7u);
  EXPECT_EQ(doc.nodes()[6]->GetParameter(2), "1");
  EXPECT_EQ(doc.nodes()[6]->GetParameter(3), "2");
  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), ReadFile(deck)) << "written back as it was read";
}

TEST_F(ReadCommandTest, UnusableDeckSavesNothing) {
  const std::string missing = scratch / "missing.inp";
  Result result = RunCli({"read", missing, project});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, missing + " open attempt failed.\n");
  EXPECT_FALSE(fs::exists(project));

  std::string text = ReadFile(deck);
  const size_t options = text.find("    3    1");
  ASSERT_NE(options, std::string::npos);
  text.replace(options, 10, "    3    9");
  std::ofstream(deck, std::ios::binary) << text;
  result = RunCli({"read", deck, project});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.err.find("NOSYS 9"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(project));
}

}  // namespace
}  // namespace orvo::cli
