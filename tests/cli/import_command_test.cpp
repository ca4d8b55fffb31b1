#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "deck/deck_writer.h"
#include "groups/cards.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/cli_run.h"
#include "support/example_river.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;

using Result = testing::CliResult;
using testing::RunCli;

std::string CardText(const COrvoBuilderDoc& doc,
                     bool (*write)(const COrvoBuilderDoc&, DeckOut&, const Variation*)) {
  DeckOut out(doc.platform());
  EXPECT_TRUE(write(doc, out, nullptr));
  return out.text();
}

// The example river as a project, and a deck of the same river whose cards C and D differ.
class ImportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project = (directory / "river.orb").string();
    deck = (directory / "river.inp").string();
    output = (directory / "imported.orb").string();

    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    testing::BuildExampleRiver(source);
    source.group_c.title = "Volumes of the deck";
    source.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "20 0 15 15 20 30"};
    ASSERT_TRUE(OrvoWrite(source, deck));

    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    COrvoBuilderDoc doc(platform);
    testing::BuildExampleRiver(doc);
    ASSERT_TRUE(doc.Save(project));
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);  // as in a freshly started program
  }

  // The output project's card of a group.
  std::string OutputCard(bool (*write)(const COrvoBuilderDoc&, DeckOut&, const Variation*)) {
    COrvoBuilderDoc imported(platform);
    EXPECT_TRUE(imported.Load(output));
    return CardText(imported, write);
  }

  testing::ScratchDir scratch{"orvo_import_command"};
  const fs::path& directory = scratch.path();
  ScriptedPlatform platform;
  COrvoBuilderDoc source{platform};
  std::string project, deck, output;
};

TEST_F(ImportCommandTest, ImportsOneGroup) {
  const Result result = RunCli({"import", project, deck, "d", output});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_NE(result.err.find("Card D imported successfully."), std::string::npos);
  EXPECT_EQ(OutputCard(group_d::WriteCard), CardText(source, group_d::WriteCard));
  // Card C was only passed over.
  EXPECT_NE(OutputCard(group_c::WriteCard), CardText(source, group_c::WriteCard));
}

TEST_F(ImportCommandTest, ImportsAllGroups) {
  const Result result = RunCli({"import", project, deck, "ALL", output});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_NE(result.err.find("All card groups imported successfully."), std::string::npos);
  EXPECT_EQ(OutputCard(group_c::WriteCard), CardText(source, group_c::WriteCard));
  EXPECT_EQ(OutputCard(group_d::WriteCard), CardText(source, group_d::WriteCard));
}

TEST_F(ImportCommandTest, FailuresWriteNoOutput) {
  // A fragment cannot be imported whole.
  DeckOut fragment(platform);
  ASSERT_TRUE(group_d::WriteCard(source, fragment, nullptr));
  const std::string fragment_path = (directory / "fragment.inp").string();
  std::ofstream(fragment_path, std::ios::binary) << fragment.text();
  Result result = RunCli({"import", project, fragment_path, "all", output});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.err.find("Failed to import card groups from file."), std::string::npos);
  EXPECT_FALSE(fs::exists(output));

  const std::string missing = (directory / "missing.inp").string();
  result = RunCli({"import", project, missing, "C", output});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.err.find("COrvoBuilderDoc::ImportCheck: Unable to open file " + missing),
            std::string::npos);
  EXPECT_FALSE(fs::exists(output));

  result = RunCli({"import", (directory / "none.orb").string(), deck, "C", output});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_FALSE(fs::exists(output));

  // A project without a simulation type cannot import.
  COrvoBuilderDoc untyped(platform);
  const std::string untyped_path = (directory / "untyped.orb").string();
  ASSERT_TRUE(untyped.Save(untyped_path));
  result = RunCli({"import", untyped_path, deck, "C", output});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_NE(result.err.find("Please select a simulation type"), std::string::npos);
  EXPECT_FALSE(fs::exists(output));
}

}  // namespace
}  // namespace orvo::cli
