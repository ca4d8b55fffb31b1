#include "model/group_j.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "support/group_records.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

using orvo::testing::kEmptyArrayRecord;
using orvo::testing::SaveRecord;

std::vector<std::string> Names(const GroupJDlg& group, int system) {
  std::vector<std::string> names;
  for (int i = 0; i < group.RowCount(system); ++i) names.push_back(group.Row(system, i).At(0));
  return names;
}

TEST(GroupJTest, DefaultSlotBytes) {
  GroupJDlg group;
  group.ApplyDefaults(1, 2, kVerda5);
  const std::string slot =
      "_StringArrayCookie_2_NH3|#||#||#||#||#|_StringArrayCookie_1_"
      "_StringArrayCookie_0_1|!|0.0|!|0.0|@|_StringArrayCookie_0_2|!|0.0|!|0.0";
  ASSERT_EQ(slot.size(), 131u);
  std::string expected = "\x09\x10\x83"s + slot;
  for (int i = 0; i < 7; ++i) expected += kEmptyArrayRecord;
  EXPECT_EQ(SaveRecord(group), expected);
}

TEST(GroupJTest, DefaultsWithoutSegmentsAndOnlyForEmptySlots) {
  GroupJDlg group;
  group.SetEntry(1, GroupJDlg::kCheml, "mine");
  group.ApplyDefaults(3, 0, kKobal5);
  EXPECT_EQ(group.SlotText(0), "_StringArrayCookie_1_CD|@||@||@||@||@|_StringArrayCookie_0_");
  EXPECT_EQ(group.Slot(1).size(), 1u);
  EXPECT_EQ(group.Entry(2, GroupJDlg::kCheml), vocabulary::SystemName(kKobal5, 3));
  EXPECT_TRUE(group.SlotEmpty(3));
}

TEST(GroupJTest, AddAndRemoveKeepAllSlotsInStep) {
  GroupJDlg group;
  group.ApplyDefaults(2, 0, kVerda5);
  for (int noseg = 1; noseg <= 4; ++noseg) group.AddSegmentRow(noseg);
  group.RemoveSegmentRow(1);  // segment 2
  group.AddSegmentRow(4);
  const std::vector<std::string> expected = {"1", "3", "4", "4"};
  for (int system = 0; system < 8; ++system) {
    EXPECT_EQ(Names(group, system), expected) << "system " << system;
    EXPECT_EQ(group.Slot(system).size(), 6u);
  }
  EXPECT_EQ(group.Entry(0, GroupJDlg::kCheml), "NH3");
  EXPECT_EQ(group.Entry(7, GroupJDlg::kCheml), "");
  group.RemoveSegmentRow(9);
  group.RemoveSegmentRow(-1);
  EXPECT_EQ(group.RowCount(5), 4);
}

// The lists are assembled piecewise; the result must equal the whole-array form, whose level
// is never lowered by removals.
TEST(GroupJTest, MatchesWholeArrayRules) {
  GroupJDlg group;
  group.ApplyDefaults(1, 3, kFenu5);
  group.SetRow(0, 2, StringArray(std::vector<std::string>{"a", "1", "_StringArrayCookie_2_"}));
  for (int position : {2, 0, 0, 0}) group.RemoveSegmentRow(position);

  StringArray rows(std::vector<std::string>{});
  rows.SetList(StringArray(), 0);  // a level-0 element lifts the list to level 1 ...
  rows.SetList(StringArray(std::vector<std::string>{"x", "_StringArrayCookie_2_"}), 0);
  rows.GetList().clear();  // ... and the level stays when it is removed again
  StringArray slot(std::vector<std::string>{"Chemical 1", "", "", "", ""});
  slot.SetList(rows, 5);
  EXPECT_EQ(group.SlotText(0), slot.ToString());
  EXPECT_EQ(group.Slot(0), slot);
  EXPECT_EQ(group.RowCount(0), 0);
}

}  // namespace
