#include "model/group_f.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/number_text.h"
#include "support/group_records.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

using orvo::testing::kEmptyArrayRecord;
using orvo::testing::SaveRecord;

// The load list rules done the slow way, on whole StringArrays, to compare against.
void ReferenceUpdate(StringArray& slot, int index, const std::string& function) {
  if (slot.empty()) {
    slot = StringArray(std::vector<std::string>{"0.0", "0.0", "kg/day", ""});
    slot.SetList(StringArray(), 4);
  }
  StringArray list;
  slot.GetList(list, 4);
  size_t position = list.size();
  bool found = false;
  for (size_t i = 0; i < list.size() && !found; ++i) {
    StringArray record;
    list.GetList(record, i);
    if (record.At(0) == IntText(index)) position = i, found = true;
  }
  if (!found) {
    for (size_t i = 0; i < list.size(); ++i) {
      StringArray record;
      list.GetList(record, i);
      if (AtoI(record.At(0)) > index) {
        position = i;
        break;
      }
    }
    list.GetList().insert(list.GetList().begin() + static_cast<long>(position), "");
    list.SetList(StringArray(std::vector<std::string>{IntText(index), ""}), position);
  }
  StringArray record;
  list.GetList(record, position);
  record[1] = function;
  list.SetList(record, position);
  slot.SetList(list, 4);
}

TEST(GroupFTest, DefaultSlotBytes) {
  GroupFDlg group;
  group.ApplyDefaults(1);
  std::string expected =
      "\x05\x10\x42_StringArrayCookie_1_0.0|@|0.0|@|kg/day|@||@|_StringArrayCookie_0_"s;
  for (int i = 0; i < 7; ++i) expected += kEmptyArrayRecord;
  EXPECT_EQ(SaveRecord(group), expected);
  group.SetSlot(1, StringArray(std::vector<std::string>{"2", "3"}));
  group.ApplyDefaults(8);  // only empty slots take defaults
  EXPECT_EQ(group.Slot(1).size(), 2u);
  EXPECT_EQ(group.Entry(7, GroupFDlg::kUnits), "kg/day");
}

TEST(GroupFTest, LoadRecordsStayOrderedBySegmentIndex) {
  GroupFDlg group;
  group.UpdateLoadList(0, 7, "1 0");
  group.UpdateLoadList(0, 3, "2 0");
  ASSERT_EQ(group.LoadCount(0), 2);
  EXPECT_EQ(group.LookupLoad(0, 3), 0);
  EXPECT_EQ(group.LookupLoad(0, 7), 1);
  EXPECT_EQ(group.LookupLoad(0, 5), -1);
  EXPECT_EQ(group.LoadRecord(0, 1).At(1), "1 0");
  EXPECT_EQ(group.SlotText(0),
            "_StringArrayCookie_2_0.0|#|0.0|#|kg/day|#||#|_StringArrayCookie_1_"
            "_StringArrayCookie_0_3|!|2 0|@|_StringArrayCookie_0_7|!|1 0");
  group.UpdateLoadList(0, 7, "");  // updating keeps one record per segment
  EXPECT_EQ(group.LoadCount(0), 2);
  EXPECT_EQ(group.LoadRecord(0, 1).GetList(), (std::vector<std::string>{"7", ""}));
}

TEST(GroupFTest, InsertGoesAfterEqualIndices) {
  GroupFDlg group;
  EXPECT_EQ(group.InsertLoad(2, 5), 0);
  EXPECT_EQ(group.InsertLoad(2, 5), 1);
  EXPECT_EQ(group.InsertLoad(2, 4), 0);
  EXPECT_EQ(group.Slot(2).size(), 5u);  // the list entry was made
  EXPECT_EQ(group.LookupLoad(2, 5), 1);
}

TEST(GroupFTest, OutOfRangeSystemsDoNothing) {
  GroupFDlg group;
  group.UpdateLoadList(8, 1, "1 0");
  group.UpdateLoadList(-1, 1, "1 0");
  group.ApplyDefaultsToSlot(8);
  EXPECT_EQ(group.InsertLoad(8, 1), -1);
  EXPECT_EQ(group.LookupLoad(-1, 1), -1);
  EXPECT_EQ(group.LookupLoad(0, 1), -1);
  EXPECT_EQ(group.SlotText(8), "_StringArrayCookie_0_");
  EXPECT_TRUE(group.SlotEmpty(0));
}

// Nested function texts, an unordered list and a list with a needlessly high level all give
// the same string forms as the whole-array rules.
TEST(GroupFTest, MatchesWholeArrayRules) {
  StringArray loaded;
  ASSERT_TRUE(loaded.FromString(
      "_StringArrayCookie_4_a|%|b|%|c|%||%|_StringArrayCookie_3__StringArrayCookie_0_9|!|x"
      "|$|_StringArrayCookie_0_2|!|y|$|junk"));
  StringArray reference = loaded;
  GroupFDlg group;
  group.SetSlot(3, loaded);
  EXPECT_EQ(group.SlotText(3), StringArray(loaded).ToString());
  EXPECT_EQ(group.LookupLoad(3, 2), 1);

  StringArray nested(std::vector<std::string>{"5", "0", "6", "1"});
  const std::string function = nested.ToString();
  const std::pair<int, std::string> updates[] = {{4, function}, {2, "z"}, {12, ""}, {0, "w"}};
  for (const auto& [index, text] : updates) {
    group.UpdateLoadList(3, index, text);
    ReferenceUpdate(reference, index, text);
    EXPECT_EQ(group.SlotText(3), reference.ToString()) << "after segment " << index;
  }
  EXPECT_EQ(group.Slot(3), reference);

  StringArray fresh;
  for (int index : {6, 1, 9, 1}) {
    group.UpdateLoadList(5, index, function);
    ReferenceUpdate(fresh, index, function);
  }
  EXPECT_EQ(group.SlotText(5), fresh.ToString());

  StringArray odd(std::vector<std::string>{"1", "1", "u", "t", "_StringArrayCookie_0junk_a"});
  StringArray odd_reference = odd;
  group.SetSlot(0, odd);  // kept as loaded until changed
  EXPECT_EQ(group.SlotText(0), odd_reference.ToString());
  group.UpdateLoadList(0, 1, "5");
  ReferenceUpdate(odd_reference, 1, "5");
  EXPECT_EQ(group.SlotText(0), odd_reference.ToString());
}

// Updating many segments in one pass leaves every slot exactly as updating them one by one:
// fresh, loaded, unordered and nearly full lists, repeated and out-of-order segments, nested
// and overlong function texts.
TEST(GroupFTest, OnePassMatchesOneByOne) {
  std::string deep = "x";
  for (int i = 0; i < 36; ++i) deep = StringArray(std::vector<std::string>{deep, "y"}).ToString();
  const std::vector<std::string> functions = {
      "",
      "1 0",
      "a|!|b",
      StringArray().ToString(),
      StringArray(std::vector<std::string>{"5", "0", "6", "1"}).ToString(),
      deep};
  const std::vector<std::string> starts = {
      "",
      "_StringArrayCookie_1_0.0|@|0.0|@|kg/day|@||@|_StringArrayCookie_0_",
      "_StringArrayCookie_2_s|#|c|#|u|#|t|#|_StringArrayCookie_1__StringArrayCookie_0_3|!|x|@|"
      "_StringArrayCookie_0_03|!|y|@|_StringArrayCookie_0_8|!|",
      "_StringArrayCookie_2_s|#|c|#|u|#|t|#|_StringArrayCookie_1__StringArrayCookie_0_9|!|x|@|"
      "_StringArrayCookie_0_2|!|y",
      "_StringArrayCookie_1_s|@|c|@|u|@|t|@|junk",
      "_StringArrayCookie_0_s|!|c",
      "_StringArrayCookie_37_s|0|c|0|u|0|t|0|_StringArrayCookie_36_"};
  std::mt19937 random(19);
  for (int round = 0; round < 300; ++round) {
    StringArray start;
    ASSERT_TRUE(start.FromString(starts[static_cast<size_t>(round) % starts.size()]));
    GroupFDlg one_by_one;
    GroupFDlg one_pass;
    if (!start.empty()) {
      one_by_one.SetSlot(2, start);
      one_pass.SetSlot(2, start);
    }
    std::vector<GroupFDlg::LoadUpdate> updates(random() % 12);
    for (GroupFDlg::LoadUpdate& update : updates) {
      update.segment_index = static_cast<int>(random() % 12);
      // Mostly plain functions: the deepest one makes every later record refuse.
      update.function_text = functions[random() % (random() % 4 == 0 ? 6 : 5)];
      one_by_one.UpdateLoadList(2, update.segment_index, update.function_text);
    }
    one_pass.UpdateLoadLists(2, updates);
    ASSERT_EQ(one_pass.SlotText(2), one_by_one.SlotText(2)) << "round " << round;
    for (int index = 0; index < 12; ++index) {
      ASSERT_EQ(one_pass.LookupLoad(2, index), one_by_one.LookupLoad(2, index));
    }
    one_by_one.UpdateLoadList(2, 5, "z");
    one_pass.UpdateLoadList(2, 5, "z");
    ASSERT_EQ(one_pass.SlotText(2), one_by_one.SlotText(2)) << "round " << round;
  }
}

// A slot keeps its list packed in one buffer: read from text it gives the same bytes back
// (canonical or not), and after a run of changes what the same changes to a StringArray give.
TEST(ListSlotTest, PackedListGivesTheSameBytes) {
  const auto slot_text = [](const std::string& list) {
    StringArray slot(std::vector<std::string>{"0.0", "kg/day", list});
    return slot.ToString();
  };
  const std::string nested =
      StringArray({StringArray({"1", "a|b"}).ToString(), "", "x"}).ToString();
  for (const std::string& list : {nested, "_StringArrayCookie_00_1|!|2"s, "plain"s}) {
    ListSlot slot(2);
    std::string_view error;
    ASSERT_TRUE(slot.SetText(slot_text(list), error));
    EXPECT_EQ(slot.Text(), slot_text(list)) << list;
  }

  ListSlot slot(2);
  std::string_view error;
  ASSERT_TRUE(slot.SetText(slot_text(nested), error));
  // Levels only rise, in the slot as in an array that is changed in place.
  StringArray reference(nested);
  std::vector<std::string>& items = reference.GetList();
  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    const size_t position = random() % (items.size() + 1);
    const std::string text(random() % 40, static_cast<char>('a' + step % 26));
    if (step % 5 == 0 || items.empty()) {
      ASSERT_TRUE(slot.InsertItem(position, text));
      items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), text);
    } else if (position < items.size() && step % 5 == 1) {
      slot.EraseItem(position);
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
    } else if (position < items.size()) {
      ASSERT_TRUE(slot.SetItem(position, text));
      items[position] = text;
    }
  }
  EXPECT_EQ(slot.items().ToVector(), items);
  EXPECT_EQ(slot.Text(), slot_text(reference.ToString()));
}

}  // namespace
