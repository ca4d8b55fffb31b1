#include "model/group_d.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/group_records.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

TEST(GroupDTest, VersionZeroInsertsUnitsAfterTheFactors) {
  ArchiveWriter old;
  old.U16(0x1003);
  old.I32(0);
  old.String("");
  old.String("_StringArrayCookie_0_1|!|2|!|3 0");  // SCALQ, CONVQ, one function
  old.String("_StringArrayCookie_0_1|!|2");        // too short to carry a function
  for (int field = 2; field < 6; ++field) old.String("_StringArrayCookie_0_");
  old.String("1 1");
  const GroupDDlg loaded = testing::ExpectReloads<GroupDDlg>(old.bytes(), 0);
  EXPECT_EQ(loaded.fields[0].GetList(), (List{"1", "2", "m^3/sec", "3 0"}));
  EXPECT_EQ(loaded.fields[1].GetList(), (List{"1", "2"}));
  EXPECT_TRUE(loaded.fields[2].empty());
}

// A field too short for any function is still defined; indices outside the six have none.
TEST(GroupDTest, FunctionAndFieldCounts) {
  GroupDDlg group;
  EXPECT_EQ(group.NFIELD(), 0);
  group.fields[1].GetList() = {"1", "1"};
  EXPECT_EQ(group.NINQ(1), 0);
  EXPECT_EQ(group.NFIELD(), 2);
  group.fields[4].GetList() = {"1", "1", "m^3/sec", "0 0", "1 1"};
  EXPECT_EQ(group.NINQ(4), 2);
  EXPECT_EQ(group.NFIELD(), 5);
  EXPECT_EQ(group.NINQ(-1), 0);
  EXPECT_EQ(group.NINQ(6), 0);
}

TEST(GroupDTest, EmptyExchangeRecordHasNinqBlankPortionsPerField) {
  GroupDDlg group;
  group.fields[0].GetList() = {"1", "1", "m^3/sec", "0 0"};
  group.fields[5].GetList() = {"1", "1", "m^3/sec", "0 0", "1 1"};
  StringArray record = group.EmptyExchangeRecord();
  ASSERT_EQ(record.size(), 6u);
  EXPECT_EQ(record.level(), 1);
  EXPECT_EQ(record[0], "_StringArrayCookie_0_|!|");
  EXPECT_EQ(record[1], "_StringArrayCookie_0_");
  EXPECT_EQ(record[5], "_StringArrayCookie_0_|!||!|");
}

}  // namespace
}  // namespace orvo
