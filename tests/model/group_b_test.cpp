#include "model/group_b.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

using orvo::ArchiveReader;
using orvo::ArchiveWriter;
using orvo::GroupBDlg;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Save(const GroupBDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

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

}  // namespace

TEST(GroupBTest, DefaultRecordBytes) {
  const std::string one = Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
  const std::string empty_array = Bytes({0x15}) + "_StringArrayCookie_0_";
  const std::string expected = Bytes({0x01, 0x10, 0x00}) + one + one + one + one + Bytes({0x01}) +
                               "m" + Bytes({0x01}) + "m" + empty_array + empty_array + empty_array;
  EXPECT_EQ(Save(GroupBDlg()), expected);
}

TEST(GroupBTest, FactorsAreStoredScaleFactorsFirst) {
  const std::string saved = Save(Edited());
  ArchiveReader ar(std::string_view(saved).substr(3 + 9));  // cookie, title "exchanges"
  EXPECT_EQ(ar.F64(), 2.0);                                 // surface SCALR
  EXPECT_EQ(ar.F64(), 3.0);                                 // pore SCALR
  EXPECT_EQ(ar.F64(), 4.0);                                 // surface CONVR
  EXPECT_EQ(ar.F64(), 5.0);                                 // pore CONVR
}

TEST(GroupBTest, RoundTrip) {
  const std::string saved = Save(Edited());
  GroupBDlg loaded;
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(Save(loaded), saved);
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
  GroupBDlg loaded;
  ArchiveReader ar(old.bytes());
  ASSERT_TRUE(loaded.Serialize(ar, 0));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(loaded.surface_units, "m");
  EXPECT_EQ(loaded.pore_units, "m");
  EXPECT_EQ(loaded.SurfaceFunctionCount(), 1);
  EXPECT_EQ(loaded.bypass.size(), 2u);
}

TEST(GroupBTest, BadCookie) {
  const std::string saved = Bytes({0x00, 0x10}) + Save(GroupBDlg()).substr(2);
  GroupBDlg loaded;
  ArchiveReader ar(saved);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(), "Error reading group B from archive (bad cookie).");
  EXPECT_EQ(ar.position(), 2u);
}

TEST(GroupBTest, BadArrayTextFails) {
  GroupBDlg group;
  std::string saved = Save(group);
  const std::string good = Bytes({0x15}) + "_StringArrayCookie_0_";
  saved.replace(saved.find(good), good.size(), Bytes({0x18}) + "_StringArrayCookie_40_x|");
  GroupBDlg loaded;
  ArchiveReader ar(saved);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(), "[StringArray::FromString] delimiter out of range.");
}

TEST(GroupBTest, EveryTruncationFails) {
  const std::string saved = Save(Edited());
  for (size_t size = 0; size < saved.size(); ++size) {
    GroupBDlg loaded;
    ArchiveReader ar(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(ar, 1)) << "prefix " << size;
  }
}

TEST(GroupBTest, FieldCount) {
  GroupBDlg group;
  EXPECT_EQ(group.NRFLD(), 0);
  group.surface_functions.GetList() = {"0 0"};
  EXPECT_EQ(group.NRFLD(), 1);
  group.pore_functions.GetList() = {"0 0", "1 1"};
  EXPECT_EQ(group.NRFLD(), 2);
  group.surface_functions.RemoveAll();
  EXPECT_EQ(group.NRFLD(), 2);  // an empty surface field is still written
  EXPECT_EQ(group.SurfaceFunctionCount(), 0);
  EXPECT_EQ(group.PoreFunctionCount(), 2);
}
