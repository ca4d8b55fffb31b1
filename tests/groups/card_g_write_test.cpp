#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

// A segment's record of the type with the given values (slot -> value text).
std::string Record(SimulationType simtyp, const std::map<size_t, std::string>& values) {
  StringArray record = GroupGDlg::DefaultSegmentRecord(simtyp);
  for (const auto& [slot, value] : values) record.GetList()[2 * slot + 1] = value;
  return record.ToString();
}

class GroupGCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.SIMTYP = kFenu5;
    doc.group_g.SetSlotCountFromType(kFenu5);
    doc.group_g.RestoreDefaultNames(kFenu5);
    doc.group_g.title = " Params";
    doc.group_g.values[0] = 1;
    doc.group_g.values[15] = 2.5;
    DrawSegments(2);
    segments[0]->SetParameter(12, Record(kFenu5, {{0, "3"}, {15, "0.25"}}));
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_g::WriteCard, variation);
  }
};

TEST_F(GroupGCardTest, WritesUsedParametersWithNamesCutToFiveColumns) {
  orvo::testing::ExpectText(Write());
  EXPECT_TRUE(written);
  EXPECT_TRUE(platform.messages.empty());
  std::vector<std::string> findings;
  group_g::Check(doc, findings);
  EXPECT_TRUE(findings.empty());
}

TEST_F(GroupGCardTest, FiveParametersTakeTwoLinesPerRecord) {
  doc.group_g.values = {};
  for (size_t slot = 0; slot < 5; ++slot) doc.group_g.values[slot] = 1;
  doc.group_g.names[0] = "LONGNAME";
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupGCardTest, SlotsPastTheTypesTableAreNeverWritten) {
  doc.group_g.slot_count = 32;
  doc.group_g.values[20] = 5;
  doc.group_g.values[15] = 0;
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupGCardTest, KobalNumbersSkipThirty) {
  doc.group_a.SIMTYP = kKobal5;
  doc.group_g.slot_count = 0;
  doc.group_g.SetSlotCountFromType(kKobal5);
  doc.group_g.RestoreDefaultNames(kKobal5);
  doc.group_g.values = {};
  doc.group_g.values[29] = 1;
  segments[0]->SetParameter(12, Record(kKobal5, {{29, "7"}}));
  // The second segment keeps its FENU5 record, whose pair 29 has no label.
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupGCardTest, NoParametersInUse) {
  doc.group_g.values = {};
  EXPECT_EQ(Write(), "         0 Params\n");
  EXPECT_TRUE(written);
  std::vector<std::string> findings;
  group_g::Check(doc, findings);
  EXPECT_EQ(findings, List{"Group G: Warning: No parameters defined (NOPAM)."});

  doc.group_g.values[0] = 1;
  doc.group_g.slot_count = 0;
  EXPECT_EQ(Write(), "         0 Params\n");
  findings.clear();
  group_g::Check(doc, findings);
  EXPECT_EQ(findings, List{"Group G: Warning: No parameters defined (NOPAM)."});
}

TEST_F(GroupGCardTest, VariationChangesTheItemSlotOfTargetsOnly) {
  std::string note = "G";
  Variation variation;
  variation.targets = {1};
  variation.item = 15;
  variation.amount = 200;
  variation.percent = true;
  variation.note = &note;
  const std::string stored = segments[0]->GetParameter(12);
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "G 200%");
  EXPECT_EQ(segments[0]->GetParameter(12), stored);
  EXPECT_EQ(doc.group_g.values[15], 2.5);
}

TEST_F(GroupGCardTest, ShortRecordReadsAsEmpty) {
  segments[1]->SetParameter(12, StringArray({"VELFN", "2"}).ToString());
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupGCardTest, NodeCheckWalksTheTypesSlots) {
  const COrvoBuilderCntrItem* label = testing::AddLabel(doc, "note");
  EXPECT_EQ(group_g::NodeCheck(doc, *label), "Wrong Segment Type");
  EXPECT_EQ(group_g::NodeCheck(doc, *segments[1]),
            "Parameters with zero values: 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 ");

  std::map<size_t, std::string> all;
  for (size_t slot = 0; slot < 18; ++slot) all[slot] = "1";
  segments[1]->SetParameter(12, Record(kFenu5, all));
  EXPECT_EQ(group_g::NodeCheck(doc, *segments[1]), "All parameters initialized.");

  all[0] = "0";
  all[3] = "0";
  segments[1]->SetParameter(12, Record(kFenu5, all));
  EXPECT_EQ(group_g::NodeCheck(doc, *segments[1]), "Parameters with zero values: 0 3 ");

  StringArray record(segments[1]->GetParameter(12));
  record.GetList()[2] = "  ";
  segments[1]->SetParameter(12, record.ToString());
  EXPECT_EQ(group_g::NodeCheck(doc, *segments[1]), "No parameter name given for param no. 2");
}

}  // namespace
}  // namespace orvo
