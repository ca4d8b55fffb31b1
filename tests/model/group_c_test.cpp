#include "model/group_c.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

using orvo::ArchiveReader;
using orvo::ArchiveWriter;
using orvo::GroupCDlg;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Save(const GroupCDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

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

}  // namespace

TEST(GroupCTest, DefaultRecordBytes) {
  const std::string one = Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
  const std::string expected = Bytes({0x02, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}) +
                               std::string(8, '\0') + Bytes({0x00}) + one + one + Bytes({0x03}) +
                               "m^3";
  EXPECT_EQ(Save(GroupCDlg()), expected);
}

TEST(GroupCTest, RoundTrip) {
  const std::string saved = Save(Edited());
  GroupCDlg loaded;
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(Save(loaded), saved);
  EXPECT_EQ(loaded.IVOPT, 1);
  EXPECT_EQ(loaded.CONVV, 1e6);
  EXPECT_EQ(loaded.units, "km^3");
}

TEST(GroupCTest, VersionZeroHasNoUnits) {
  std::string saved = Save(Edited());
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

TEST(GroupCTest, BadCookie) {
  const std::string saved = Bytes({0x03, 0x10}) + Save(GroupCDlg()).substr(2);
  GroupCDlg loaded;
  ArchiveReader ar(saved);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(), "Error reading group C from archive (bad cookie).");
  EXPECT_EQ(ar.position(), 2u);
  EXPECT_EQ(loaded.IVOPT, -1);
}

TEST(GroupCTest, EveryTruncationFails) {
  const std::string saved = Save(Edited());
  for (size_t size = 0; size < saved.size(); ++size) {
    GroupCDlg loaded;
    ArchiveReader ar(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(ar, 1)) << "prefix " << size;
  }
}
