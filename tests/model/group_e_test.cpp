#include "model/group_e.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/group_records.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

TEST(GroupETest, VersionZeroInsertsUnitsBeforeTheTitle) {
  ArchiveWriter old;
  old.U16(0x1004);
  old.String("_StringArrayCookie_0_1|!|2|!|title");
  old.String("_StringArrayCookie_0_1|!|2");
  for (int slot = 2; slot < 8; ++slot) old.String("_StringArrayCookie_0_");
  const GroupEDlg loaded = testing::ExpectReloads<GroupEDlg>(old.bytes(), 0);
  EXPECT_EQ(loaded.systems[0].GetList(), (List{"1", "2", "mg/L", "title"}));
  EXPECT_EQ(loaded.systems[1].GetList(), (List{"1", "2"}));
}

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
