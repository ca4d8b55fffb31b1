#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

std::string Fn(const List& numbers) {
  return StringArray(numbers).ToString();
}
std::string Record(const List& functions) {
  return StringArray(functions).ToString();
}

class GroupFCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.NOSYS = 2;
    doc.group_f.ApplyDefaults(2);
    doc.group_f.SetEntry(0, GroupFDlg::kScalw, "1");
    doc.group_f.SetEntry(0, GroupFDlg::kConvw, "0.5");
    doc.group_f.SetEntry(0, GroupFDlg::kTitle, " Loads");
    DrawSegments(3);
    // A function of zeros is a load; an empty list or entry is none.
    segments[0]->SetParameter(11, Record({Fn({"0", "0"}), ""}));
    segments[1]->SetParameter(11, Record({Fn({}), Fn({"2.5", "1"})}));
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_f::WriteCard, variation);
  }
};

const std::string kSystem1 =
    "         1 Loads\n"
    "       1.0       0.5\n"
    "    1    1\n"
    "       0.0       0.0\n";
const std::string kSystems = kSystem1 +
                             "         1\n"
                             "       0.0       0.0\n"
                             "    2    1\n"
                             "       2.5       1.0\n";

TEST_F(GroupFCardTest, WritesLoadSegmentsAndNonpointFlag) {
  EXPECT_EQ(Write(), kSystems + "         0\n");
  EXPECT_TRUE(written);
  EXPECT_TRUE(platform.messages.empty());
  doc.group_f.nonpoint_file = "area.nps";
  EXPECT_EQ(Write(), kSystems + "         1\n");
  EXPECT_EQ(group_f::LoadSegments(doc, 0), (std::vector<const COrvoBuilderCntrItem*>{segments[0]}));
  EXPECT_EQ(group_f::LoadSegments(doc, 1), (std::vector<const COrvoBuilderCntrItem*>{segments[1]}));
}

TEST_F(GroupFCardTest, SystemWithoutLoadsWritesOnlyItsCount) {
  doc.group_a.NOSYS = 3;
  EXPECT_EQ(Write(), kSystems + "         0\n         0\n");
  EXPECT_TRUE(group_f::LoadSegments(doc, 2).empty());
}

TEST_F(GroupFCardTest, VariationChangesValuesOfTargetsOnly) {
  segments[2]->SetParameter(11, Record({"", Fn({"4", "0", "6", "2"})}));
  std::string note = "F";
  Variation variation;
  variation.targets = {3};
  variation.item = 1;
  variation.amount = 3;
  variation.note = &note;
  const std::string stored = segments[2]->GetParameter(11);
  EXPECT_EQ(Write(&variation), kSystem1 +
                                   "         2\n"
                                   "       0.0       0.0\n"
                                   "    2    1\n"
                                   "       2.5       1.0\n"
                                   "    3    2\n"
                                   "       3.0       0.0       3.0       2.0\n"
                                   "         0\n");
  EXPECT_TRUE(written);
  EXPECT_EQ(note, "F 3");
  EXPECT_EQ(segments[2]->GetParameter(11), stored);
}

TEST_F(GroupFCardTest, OddFunctionFailsTheCard) {
  segments[0]->SetParameter(11, Record({Fn({"7"})}));
  orvo::testing::ExpectText(Write());
  EXPECT_FALSE(written);
}

TEST_F(GroupFCardTest, SegmentIdBeyondFiveColumnsFails) {
  doc.group_a.NOSEG = 100000;
  segments[0]->SetParameter(2, "100000");
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages, List{"Segment ID 100000 does not fit its 5-column field."});
}

TEST_F(GroupFCardTest, ShortSettingsReadAsEmpty) {
  doc.group_f.SetSlot(0, StringArray());
  doc.group_a.NOSYS = 1;
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupFCardTest, CheckFindings) {
  std::vector<std::string> findings;
  doc.group_a.NOSYS = 3;
  group_f::Check(doc, findings);
  EXPECT_EQ(findings,
            (List{"Group F: Warning: System 2 has scale factor = 0.0 (SCALW).",
                  "Group F: Warning: System 2 has conversion factor = 0.0 (CONVW).",
                  "Group F: Warning: No point source loadings defined for system 3 (NOBC(K)).",
                  "Group F: Warning: System 3 has scale factor = 0.0 (SCALW).",
                  "Group F: Warning: System 3 has conversion factor = 0.0 (CONVW)."}));
}

TEST_F(GroupFCardTest, NodeCheck) {
  const COrvoBuilderCntrItem* label = testing::AddLabel(doc, "note");
  EXPECT_EQ(group_f::NodeCheck(doc, *label), "Wrong Segment Type");
  EXPECT_EQ(group_f::NodeCheck(doc, *segments[2]), "No waste loads entered for this segment.");
  EXPECT_EQ(group_f::NodeCheck(doc, *segments[1]), "No waste loads entered for system 1");
  segments[2]->SetParameter(11, Record({Fn({"0", "0"}), Fn({"1", "2", "3", "4"})}));
  EXPECT_EQ(group_f::NodeCheck(doc, *segments[2]), "All systems have waste loads entered.");
}

}  // namespace
}  // namespace orvo
