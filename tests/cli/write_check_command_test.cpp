#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/cli_run.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

using Result = testing::CliResult;
using testing::ReadFile;
using testing::RunCli;

constexpr auto Array = testing::ArrayText;

// A KOBAL5 record (every one of the 32 slots named) with every value 1 but the given ones.
std::string Parameters(const std::map<size_t, std::string>& values, size_t unnamed = 99) {
  StringArray record = GroupGDlg::DefaultSegmentRecord(kKobal5);
  for (size_t slot = 0; slot < 32; ++slot) record.GetList()[2 * slot + 1] = "1";
  for (const auto& [slot, value] : values) record.GetList()[2 * slot + 1] = value;
  if (unnamed < 32) record.GetList()[2 * unnamed] = "";
  return record.ToString();
}

class WriteCheckCommandTest : public testing::DocumentTest {
 protected:
  testing::ScratchDir scratch{"orvo_write_check"};
  const std::string project = scratch / "project.orb";
  const std::string deck = scratch / "deck.inp";

  // Three segments and three exchanges, each judged differently card by card; two systems.
  void Build() {
    GroupADlg& a = doc.group_a;
    a.SIMTYP = kKobal5;
    a.NOSYS = 2;
    a.TITLE1 = "Check me";
    a.ICFL = a.MFLAG = a.JMASS = a.NEGSLN = a.INTYP = 0;
    a.time_steps.GetList() = {"1", "10"};
    a.SYSBY.GetList() = {"0", "0"};
    doc.group_e.ApplyDefaults(2);
    doc.group_e.systems[1].GetList()[1] = "-1";
    doc.group_f.ApplyDefaults(2);
    doc.group_f.SetEntry(0, GroupFDlg::kScalw, "1");
    doc.group_f.SetEntry(0, GroupFDlg::kConvw, "1");
    doc.group_h.ApplyNames(2, kKobal5);
    doc.group_h.blocks[0].GetList()[1] = Array({"Sorption", Array({"KD1", "1", "1000"})});
    doc.group_j.ApplyDefaults(2, 0, kKobal5);
    doc.group_g.SetSlotCountFromType(kKobal5);
    doc.group_g.RestoreDefaultNames(kKobal5);
    doc.group_g.values[27] = 1;
    doc.group_i.SetSlotCountFromType(kKobal5);
    doc.group_b.surface_functions.GetList() = {"1 0"};
    doc.group_b.surface_SCALR = 0;
    doc.group_c.CONVV = 0;
    doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "5 0", "6 0"};

    COrvoBuilderCntrItem* s1 = testing::AddSegmentWithLabel(doc, 100, 100);
    COrvoBuilderCntrItem* s2 = testing::AddSegmentWithLabel(doc, 200, 100);
    COrvoBuilderCntrItem* s3 = testing::AddSegmentWithLabel(doc, 300, 100);
    const List c[] = {{"0.3", "0.5", "0.4", "0.2", "1000"},
                      {"0", "0", "0.4", "0", "0"},
                      {"0.3", "0.5", "0.4", "0", "100"}};
    COrvoBuilderCntrItem* segments[] = {s1, s2, s3};
    for (size_t i = 0; i < 3; ++i) {
      for (int index = 5; index <= 9; ++index) {
        segments[i]->SetParameter(index, c[i][static_cast<size_t>(index - 5)]);
      }
    }
    s1->SetParameter(10, Array({Array({"2", "0"}), ""}));
    s3->SetParameter(10, Array({Array({"1", "0"}), Array({"0", "0"})}));
    s2->SetParameter(11, Array({Array({"5", "0"}), ""}));
    s3->SetParameter(11, Array({Array({"1", "0"}), Array({"2", "0"})}));
    s1->SetParameter(12, Parameters({}));
    s2->SetParameter(12, Parameters({}, 1));
    s3->SetParameter(12, Parameters({{0, "0"}, {3, "0"}}));

    COrvoBuilderCntrItem* e1 = doc.AddExchange(s1, s2, kInterface);
    e1->SetParameter(4, "0");
    e1->SetParameter(7, testing::Entries({{"100", "0"}}));
    e1->SetParameter(8, testing::Portions({{"1", "0.5"}}));
    COrvoBuilderCntrItem* e2 = doc.AddExchange(s2, s3, kInterface);
    e2->SetParameter(4, "0");
    e2->SetParameter(7, testing::Entries({{"0", "5"}}));
    e2->SetParameter(8, testing::Portions({{"1", ""}}));
    doc.AddExchange(s3, s3, kOutflow);
  }

  void Save() { ASSERT_TRUE(doc.Save(project)); }
};

TEST_F(WriteCheckCommandTest, CheckReportsFindingsSegmentsAndExchanges) {
  Build();
  Save();
  const Result result = RunCli({"check", project});
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
  Build();
  Save();
  bool ok = false;
  const std::string expected = DeckText(doc, ok);
  ASSERT_TRUE(ok);
  const Result result = RunCli({"write", project, deck});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(deck), expected);
  // The name is taken as given: no ".inp" rule on the command line.
  const std::string bare = deck.substr(0, deck.size() - 4);
  EXPECT_EQ(RunCli({"write", project, bare}).status, kSuccess);
  EXPECT_EQ(ReadFile(bare), expected);
  fs::remove(bare);
}

TEST_F(WriteCheckCommandTest, FailingCardEndsTheDeckWithItsGroupMessage) {
  Build();
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
