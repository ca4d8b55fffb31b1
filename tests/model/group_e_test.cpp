#include "model/group_e.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

using List = std::vector<std::string>;

TEST(GroupETest, ApplyDefaultsFillsOnlyEmptySlotsUpToEight) {
  GroupEDlg group;
  group.systems[1].GetList() = {"5", "6", "g/m^3", "mine"};
  group.ApplyDefaults(12);
  EXPECT_EQ(group.systems[0].GetList(), (List{"1.0", "1.0", "mg/L", "Group E system #1"}));
  EXPECT_EQ(group.systems[1].GetList(), (List{"5", "6", "g/m^3", "mine"}));
  EXPECT_EQ(group.systems[7].At(3), "Group E system #8");

  GroupEDlg few;
  few.ApplyDefaults(2);
  few.ApplyDefaults(-1);
  EXPECT_FALSE(few.systems[1].empty());
  EXPECT_TRUE(few.systems[2].empty());
}

}  // namespace
}  // namespace orvo
