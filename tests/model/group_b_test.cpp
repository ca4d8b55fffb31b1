#include "model/group_b.h"

#include <gtest/gtest.h>

#include <string>

#include "support/group_records.h"

namespace orvo {
namespace {

TEST(GroupBTest, VersionZeroHasNoUnits) {
  ArchiveWriter old;
  old.U16(0x1001);
  old.String("t");
  for (int i = 0; i < 4; ++i) old.F64(2.0);
  old.String("_StringArrayCookie_0_1 0");
  old.String("_StringArrayCookie_0_");
  old.String("_StringArrayCookie_0_1|!|1");
  const GroupBDlg loaded = testing::ExpectReloads<GroupBDlg>(old.bytes(), 0);
  EXPECT_EQ(loaded.surface_units, "m");
  EXPECT_EQ(loaded.pore_units, "m");
  EXPECT_EQ(loaded.SurfaceFunctionCount(), 1);
  EXPECT_EQ(loaded.bypass.size(), 2u);
}

// An empty surface field is still written once pore water has functions.
TEST(GroupBTest, FieldCount) {
  GroupBDlg group;
  EXPECT_EQ(group.NRFLD(), 0);
  group.surface_functions.GetList() = {"0 0"};
  EXPECT_EQ(group.NRFLD(), 1);
  group.pore_functions.GetList() = {"0 0", "1 1"};
  group.surface_functions.RemoveAll();
  EXPECT_EQ(group.NRFLD(), 2);
  EXPECT_EQ(group.PoreFunctionCount(), 2);
}

}  // namespace
}  // namespace orvo
