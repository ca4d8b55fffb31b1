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

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The numbers a segment holds for one system.
List Function(const COrvoBuilderCntrItem* node, size_t system) {
  return StringArray(StringArray(node->GetParameter(10)).At(system)).GetList();
}

class GroupECardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.NOSYS = 2;
    doc.group_e.ApplyDefaults(2);
    doc.group_e.systems[0] = StringArray({"2", "0.5", "mg/L", " Inflow"});
    DrawSegments(3);
    // Segment 2 holds only zeros and negatives for system 1 and no entry for system 2;
    // segment 3 is a boundary of system 1 through a time alone.
    segments[0]->SetParameter(10, Record({Fn({"1.5", "0", "2", "10"}), Fn({"0", "0"})}));
    segments[1]->SetParameter(10, Record({Fn({"0", "0", "-3", "-1"})}));
    segments[2]->SetParameter(10, Record({Fn({"0", "0", "0", "4"}),
                                          Fn({"1", "0", "2", "1", "3", "2", "4", "3", "5", "4"})}));
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_e::WriteCard, variation);
  }
};

const std::string kSystem1 =
    "         2 Inflow\n"
    "       2.0       0.5\n"
    "    1    2\n"
    "       1.5       0.0       2.0      10.0\n"
    "    3    2\n"
    "       0.0       0.0       0.0       4.0\n";
const std::string kCard =
    kSystem1 +
    "         1Group E system #2\n"
    "       1.0       1.0\n"
    "    3    5\n"
    "       1.0       0.0       2.0       1.0       3.0       2.0       4.0       3.0\n"
    "       5.0       4.0\n";

TEST_F(GroupECardTest, WritesBoundarySegmentsBySystem) {
  EXPECT_EQ(Write(), kCard);
  EXPECT_TRUE(written);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(group_e::BoundarySegments(doc, 0),
            (std::vector<const COrvoBuilderCntrItem*>{segments[0], segments[2]}));
  EXPECT_EQ(group_e::BoundarySegments(doc, 1),
            (std::vector<const COrvoBuilderCntrItem*>{segments[2]}));
}

TEST_F(GroupECardTest, SystemWithoutBoundariesWritesOnlyItsCount) {
  doc.group_a.NOSYS = 3;
  doc.group_e.ApplyDefaults(3);
  EXPECT_EQ(Write(), kCard + "         0Group E system #3\n");
  EXPECT_TRUE(group_e::BoundarySegments(doc, 2).empty());
}

TEST_F(GroupECardTest, SegmentsGoInIdOrderNotNodeOrder) {
  segments[0]->SetParameter(2, "3");
  segments[2]->SetParameter(2, "1");
  doc.group_a.NOSYS = 1;
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupECardTest, VariationChangesValuesOfTargetsOnly) {
  std::string note = "E";
  Variation variation;
  variation.targets = {1};
  variation.item = 0;
  variation.amount = 50;
  variation.percent = true;
  variation.note = &note;
  const std::string stored = segments[0]->GetParameter(10);
  EXPECT_EQ(Write(&variation), Replace(kCard, "       1.5       0.0       2.0      10.0\n",
                                       "      0.75       0.0       1.0      10.0\n"));
  EXPECT_TRUE(written);
  EXPECT_EQ(note, "E 50%");
  EXPECT_EQ(segments[0]->GetParameter(10), stored);

  note.clear();
  variation.item = 1;
  variation.targets = {3};
  variation.percent = false;
  variation.additive = true;
  variation.amount = -1;
  EXPECT_EQ(Write(&variation),
            Replace(kCard,
                    "       1.0       0.0       2.0       1.0       3.0       2.0       4.0"
                    "       3.0\n       5.0       4.0\n",
                    "       0.0       0.0       1.0       1.0       2.0       2.0       3.0"
                    "       3.0\n       4.0       4.0\n"));
  EXPECT_EQ(note, " +/- -1");
}

TEST_F(GroupECardTest, OddFunctionFailsTheCard) {
  segments[2]->SetParameter(10, Record({Fn({"1", "0", "2"})}));
  doc.group_a.NOSYS = 1;
  orvo::testing::ExpectText(Write());
  EXPECT_FALSE(written);
}

TEST_F(GroupECardTest, SegmentIdBeyondFiveColumnsFails) {
  doc.group_a.NOSEG = 100000;
  segments[2]->SetParameter(2, "100000");
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages, List{"Segment ID 100000 does not fit its 5-column field."});
}

TEST_F(GroupECardTest, ShortSettingsReadAsEmpty) {
  doc.group_e.systems[0] = StringArray();
  doc.group_a.NOSYS = 1;
  EXPECT_EQ(Write(), Replace(kSystem1, "         2 Inflow\n       2.0       0.5\n",
                             "         2\n       0.0       0.0\n"));
  EXPECT_TRUE(written);
}

TEST_F(GroupECardTest, CheckFindings) {
  std::vector<std::string> findings{"earlier"};
  group_e::Check(doc, findings);
  EXPECT_EQ(findings, List{"earlier"});

  doc.group_a.NOSYS = 3;
  doc.group_e.systems[1] = StringArray({"0", "-1"});
  group_e::Check(doc, findings);
  EXPECT_EQ(findings,
            (List{"earlier", "Group E: Warning: System 2 has scale factor = 0.0 (SCALB).",
                  "Group E: Warning: System 2 has conversion factor = 0.0 (CONVB).",
                  "Group E: Warning: No boundary conditions defined for system 3 (NOBC(K)).",
                  "Group E: Warning: System 3 has scale factor = 0.0 (SCALB).",
                  "Group E: Warning: System 3 has conversion factor = 0.0 (CONVB)."}));
}

TEST_F(GroupECardTest, NodeCheck) {
  const COrvoBuilderCntrItem* label = testing::AddLabel(doc, "note");
  EXPECT_EQ(group_e::NodeCheck(doc, *label), "Wrong Segment Type");
  COrvoBuilderCntrItem* node = testing::AddSegmentWithLabel(doc, 500, 0);
  EXPECT_EQ(group_e::NodeCheck(doc, *node), "No boundary conditions entered for this segment");
  node->SetParameter(10, Record({"", Fn({})}));
  EXPECT_EQ(group_e::NodeCheck(doc, *node), "No boundary conditions entered for this segment");
  node->SetParameter(10, Record({Fn({}), Fn({"1", "0"}), ""}));
  EXPECT_EQ(group_e::NodeCheck(doc, *node), "No boundary conditions entered for system 1");
  node->SetParameter(10, Record({Fn({"1", "0"}), Fn({"0", "0"})}));
  EXPECT_EQ(group_e::NodeCheck(doc, *node), "All systems have boundary conditions");
}

TEST_F(GroupECardTest, BreakCountsComeFromSegmentOne) {
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{2, 1}));
  segments[0]->SetParameter(2, "7");
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{0, 0}));
}

TEST_F(GroupECardTest, ChangeBreakCountAddsAndRemovesAtTheStart) {
  COrvoBuilderCntrItem* fresh = testing::AddSegmentWithLabel(doc, 400, 0);
  doc.SetModifiedFlag(false);
  group_e::ChangeBreakCount(doc, 0, 3);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Function(segments[0], 0), (List{"0", "0", "1.5", "0", "2", "10"}));
  EXPECT_EQ(Function(segments[1], 0), (List{"0", "0", "0", "0", "-3", "-1"}));
  EXPECT_EQ(Function(fresh, 0), (List{"0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Function(segments[0], 1), (List{"0", "0"}));

  group_e::ChangeBreakCount(doc, 0, 1);
  EXPECT_EQ(Function(segments[0], 0), (List{"2", "10"}));
  EXPECT_EQ(Function(segments[2], 0), (List{"0", "4"}));
  EXPECT_EQ(Function(fresh, 0), (List{"0", "0"}));
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{1, 1}));

  // A count that already holds changes nothing.
  doc.SetModifiedFlag(false);
  group_e::ChangeBreakCount(doc, 0, 1);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace orvo
