#include "model/group_b.h"

#include <gtest/gtest.h>

#include <string>

#include "support/group_records.h"

namespace orvo {
namespace {

using testing::Bytes;
using testing::SaveRecord;

GroupBDlg Edited() {
  GroupBDlg group;
  group.title = "exchanges";
  group.surface_SCALR = 2.0;
  group.pore_SCALR = 3.0;
  group.surface_CONVR = 4.0;
  group.pore_CONVR = 5.0;
  group.surface_units = "cm";
  group.pore_units = "mm";
  group.surface_functions.GetList() = {"0.5 0 0.7 10", "1 0"};
  group.pore_functions.GetList() = {"0.1 0"};
  group.bypass.GetList() = {"1", "0"};
  return group;
}

TEST(GroupBTest, RoundTripStoresScaleFactorsFirst) {
  const std::string saved = SaveRecord(Edited());
  ArchiveReader factors(std::string_view(saved).substr(3 + 9));  // cookie, title "exchanges"
  EXPECT_EQ(factors.F64(), 2.0);                                 // surface SCALR
  EXPECT_EQ(factors.F64(), 3.0);                                 // pore SCALR
  EXPECT_EQ(factors.F64(), 4.0);                                 // surface CONVR
  EXPECT_EQ(factors.F64(), 5.0);                                 // pore CONVR
  const GroupBDlg loaded = testing::ExpectReloads<GroupBDlg>(saved);
  EXPECT_EQ(loaded.pore_units, "mm");
  EXPECT_EQ(loaded.surface_functions.At(0), "0.5 0 0.7 10");
  EXPECT_EQ(loaded.bypass.size(), 2u);
}

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

TEST(GroupBTest, DamagedRecordsFail) {
  testing::ExpectDamagedRecordsFail<GroupBDlg>(SaveRecord(Edited()), 'B');
  std::string saved = SaveRecord(GroupBDlg());
  const std::string& good = testing::kEmptyArrayRecord;
  saved.replace(saved.find(good), good.size(), Bytes({0x18}) + "_StringArrayCookie_40_x|");
  testing::ExpectLoadFails<GroupBDlg>(saved, "[StringArray::FromString] delimiter out of range.");
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
