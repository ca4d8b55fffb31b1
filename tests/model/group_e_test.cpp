#include "model/group_e.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/group_records.h"

namespace orvo {
namespace {

using testing::SaveRecord;
using List = std::vector<std::string>;

TEST(GroupETest, RoundTripAndDamage) {
  GroupEDlg group;
  group.ApplyDefaults(3);
  group.systems[7].GetList() = {"2", "0.5", "ug/L", "last"};
  const std::string saved = SaveRecord(group);
  const GroupEDlg loaded = testing::ExpectReloads<GroupEDlg>(saved);
  EXPECT_EQ(loaded.systems[2].At(3), "Group E system #3");
  EXPECT_TRUE(loaded.systems[3].empty());
  EXPECT_EQ(loaded.systems[7].At(2), "ug/L");
  testing::ExpectDamagedRecordsFail<GroupEDlg>(saved, 'E');

  ArchiveWriter damaged;
  damaged.U16(0x1004);
  damaged.String("_StringArrayCookie_99_");
  testing::ExpectLoadFails<GroupEDlg>(damaged.bytes(),
                                      "[StringArray::FromString] delimiter out of range.");
}

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
