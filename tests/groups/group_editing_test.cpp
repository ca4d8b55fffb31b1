// The group editors' option lists and number lists; the editors' forms and buttons are scripts in
// tests/data/groups/group_editing.txt (editing_script_test.cpp).
#include "groups/group_editing.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using namespace editing;

TEST(OptionListTest, AStoredValueTheListCannotShowSurvivesOk) {
  EXPECT_EQ(OptionIndex(1, 2), 1);
  EXPECT_EQ(OptionIndex(2, 2), -1);  // a deck's IVOPT 3
  EXPECT_EQ(OptionIndex(-1, 2), -1);
  EXPECT_EQ(OptionStored(2, -1, 2), 2);
  EXPECT_EQ(OptionStored(2, 0, 2), 0);
  EXPECT_EQ(OptionStored(-1, -1, 2), -1);
  EXPECT_EQ(NormaliseNumberList("1.50, 2e1\n.5\t7"), "1.5 20 0.5 7");
}

}  // namespace
}  // namespace orvo
