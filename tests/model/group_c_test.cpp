#include "model/group_c.h"

#include <gtest/gtest.h>

#include <string>

#include "support/group_records.h"

namespace orvo {
namespace {

using testing::SaveRecord;

GroupCDlg Edited() {
  GroupCDlg group;
  group.IVOPT = 1;
  group.title = "volumes";
  group.CONVV = 1e6;
  group.IBEDV = 1;
  group.SCALV = 0.5;
  group.TDINTS = 2.5;
  group.units = "km^3";
  return group;
}

TEST(GroupCTest, VersionZeroHasNoUnits) {
  std::string saved = SaveRecord(Edited());
  saved.resize(saved.size() - 5);  // drop the units string "km^3"
  GroupCDlg loaded;
  loaded.units = "kept";
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 0));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(loaded.units, "kept");
  EXPECT_EQ(loaded.TDINTS, 2.5);
  EXPECT_EQ(loaded.CONVV, 1e6);
}

}  // namespace
}  // namespace orvo
