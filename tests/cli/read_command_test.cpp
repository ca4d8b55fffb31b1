#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;

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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ReadCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    deck = ::testing::TempDir() + "read_command_" + name + ".inp";
    project = ::testing::TempDir() + "read_command_" + name + ".orb";
    fs::remove(project);

    // Two surface-water segments over one bed segment, one exchange with a flow.
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    doc.group_a.SIMTYP = kFenu5;
    doc.group_a.TITLE1 = "read command";
    doc.group_a.NOSYS = 1;
    doc.group_a.SYSBY.GetList() = {"0"};
    doc.group_a.time_steps.GetList() = {"0.1", "5"};
    doc.group_a.print_intervals.GetList() = {"1", "5"};
    COrvoBuilderCntrItem* s1 = testing::AddSegmentWithLabel(doc, 80, 80, 0);
    COrvoBuilderCntrItem* s2 = testing::AddSegmentWithLabel(doc, 160, 80, 0);
    testing::AddSegmentWithLabel(doc, 80, 280, 2);
    doc.group_b.surface_functions.GetList() = {"0.001 0"};
    doc.group_b.bypass.GetList() = {"0"};
    doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "2 0"};
    doc.group_d.bypass.GetList() = {"0"};
    COrvoBuilderCntrItem* exchange = doc.AddExchange(s1, s2, kInterface);
    exchange->SetParameter(4, "0");
    exchange->SetParameter(7, StringArray({StringArray({"10", "20"}).ToString()}).ToString());
    const std::string empty = StringArray().ToString();
    exchange->SetParameter(
        8,
        StringArray({StringArray({"1"}).ToString(), empty, empty, empty, empty, empty}).ToString());
    doc.group_e.ApplyDefaults(1);
    doc.group_f.ApplyDefaults(1);
    doc.group_h.ApplyNames(1, kFenu5);
    doc.group_j.ApplyDefaults(1, 3, kFenu5);
    ASSERT_TRUE(OrvoWrite(doc, deck));
  }
  void TearDown() override {
    fs::remove(deck);
    fs::remove(project);
  }

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
  EXPECT_EQ(doc.group_a.TITLE1, "read command");
  EXPECT_EQ(doc.group_a.NOSEG, 3);
  ASSERT_EQ(doc.nodes().size(), 7u);
  EXPECT_EQ(doc.nodes()[6]->GetParameter(2), "1");
  EXPECT_EQ(doc.nodes()[6]->GetParameter(3), "2");
  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), ReadFile(deck)) << "written back as it was read";
}

TEST_F(ReadCommandTest, UnusableDeckSavesNothing) {
  const std::string missing = ::testing::TempDir() + "read_command_missing.inp";
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

TEST_F(ReadCommandTest, Usage) {
  EXPECT_EQ(RunCli({"read", deck}).status, kUsage);
  EXPECT_EQ(RunCli({"read", deck, project, "extra"}).status, kUsage);
  EXPECT_NE(RunCli({"--help"}).out.find("  read DECK PROJECT\n"), std::string::npos);
}

}  // namespace
}  // namespace orvo::cli
