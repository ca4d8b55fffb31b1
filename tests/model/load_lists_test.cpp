// Setting many loads of one system at once leaves exactly the lists that setting them one by
// one leaves: random lists (sorted or not, with repeated and inexact keys) and random loads
// (repeated segments, nested and empty functions) in both ways.
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/group_f.h"
#include "model/number_text.h"

using namespace orvo;

namespace {

std::string RandomFunction(std::mt19937& random) {
  switch (random() % 5) {
    case 0:
      return "";
    case 1:
      return StringArray().ToString();
    case 2:
      return StringArray({"0.5", "0", "0.7", IntText(random() % 40)}).ToString();
    case 3:
      return StringArray({StringArray({"a|!|b", ""}).ToString(), "x"}).ToString();
    default:
      return "plain " + IntText(random() % 9);
  }
}

TEST(LoadListsTest, AllAtOnceLeavesWhatOneByOneLeaves) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> records;
    const int existing = static_cast<int>(random() % 6);
    const bool sorted = random() % 3 != 0;
    for (int i = 0; i < existing; ++i) {
      const int index =
          sorted ? i * 2 + static_cast<int>(random() % 2) : static_cast<int>(random() % 8);
      const std::string key = random() % 4 == 0 ? " " + IntText(index) : IntText(index);
      records.push_back(StringArray({key, RandomFunction(random)}).ToString());
    }
    StringArray slot({"0.0", "0.0", "kg/day", ""});
    slot.SetList(StringArray(records), GroupFDlg::kLoadList);

    std::vector<std::string> texts;
    std::vector<std::pair<int, std::string_view>> loads;
    const int count = static_cast<int>(random() % 10);
    texts.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) texts.push_back(RandomFunction(random));
    for (int i = 0; i < count; ++i)
      loads.emplace_back(static_cast<int>(random() % 12), texts[static_cast<size_t>(i)]);

    GroupFDlg one_by_one;
    GroupFDlg at_once;
    const int system = static_cast<int>(random() % 2);
    if (random() % 5 != 0) {
      one_by_one.SetSlot(system, slot);
      at_once.SetSlot(system, slot);
    }
    for (const auto& [index, text] : loads)
      one_by_one.UpdateLoadList(system, index, std::string(text));
    at_once.UpdateLoadLists(system, loads);
    ASSERT_EQ(one_by_one.SlotText(system), at_once.SlotText(system)) << "round " << round;
    for (int index = 0; index < 12; ++index) {
      ASSERT_EQ(one_by_one.LookupLoad(system, index), at_once.LookupLoad(system, index));
    }
    // Later single changes find the records where the single way would.
    one_by_one.UpdateLoadList(system, 5, "z");
    at_once.UpdateLoadList(system, 5, "z");
    ASSERT_EQ(one_by_one.SlotText(system), at_once.SlotText(system)) << "round " << round;
  }
}

}  // namespace
