#include "model/group_d.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

using List = std::vector<std::string>;

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
