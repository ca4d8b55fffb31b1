#include "model/group_e.h"

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using orvo::ArchiveReader;
using orvo::ArchiveWriter;
using orvo::GroupEDlg;

namespace {

using List = std::vector<std::string>;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Save(const GroupEDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

}  // namespace

TEST(GroupETest, DefaultRecordBytes) {
  std::string expected = Bytes({0x04, 0x10});
  for (int slot = 0; slot < 8; ++slot) expected += Bytes({0x15}) + "_StringArrayCookie_0_";
  EXPECT_EQ(Save(GroupEDlg()), expected);
}

TEST(GroupETest, RoundTrip) {
  GroupEDlg group;
  group.ApplyDefaults(3);
  group.systems[7].GetList() = {"2", "0.5", "ug/L", "last"};
  const std::string saved = Save(group);
  GroupEDlg loaded;
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(Save(loaded), saved);
  EXPECT_EQ(loaded.systems[2].At(3), "Group E system #3");
  EXPECT_TRUE(loaded.systems[3].empty());
  EXPECT_EQ(loaded.systems[7].At(2), "ug/L");
}

TEST(GroupETest, VersionZeroInsertsUnitsBeforeTheTitle) {
  ArchiveWriter old;
  old.U16(0x1004);
  old.String("_StringArrayCookie_0_1|!|2|!|title");
  old.String("_StringArrayCookie_0_1|!|2");
  for (int slot = 2; slot < 8; ++slot) old.String("_StringArrayCookie_0_");
  GroupEDlg loaded;
  ArchiveReader ar(old.bytes());
  ASSERT_TRUE(loaded.Serialize(ar, 0));
  EXPECT_EQ(loaded.systems[0].GetList(), (List{"1", "2", "mg/L", "title"}));
  EXPECT_EQ(loaded.systems[1].GetList(), (List{"1", "2"}));
}

TEST(GroupETest, BadCookieAndBadArray) {
  GroupEDlg loaded;
  const std::string wrong = Bytes({0x05, 0x10}) + Save(GroupEDlg()).substr(2);
  ArchiveReader bad_cookie(wrong);
  EXPECT_FALSE(loaded.Serialize(bad_cookie, 1));
  EXPECT_EQ(bad_cookie.error(), "Error reading group E from archive (bad cookie).");
  EXPECT_EQ(bad_cookie.position(), 2u);

  ArchiveWriter damaged;
  damaged.U16(0x1004);
  damaged.String("_StringArrayCookie_99_");
  ArchiveReader bad_array(damaged.bytes());
  EXPECT_FALSE(loaded.Serialize(bad_array, 1));
  EXPECT_EQ(bad_array.error(), "[StringArray::FromString] delimiter out of range.");
}

TEST(GroupETest, EveryTruncationFails) {
  GroupEDlg group;
  group.ApplyDefaults(8);
  const std::string saved = Save(group);
  for (size_t size = 0; size < saved.size(); ++size) {
    GroupEDlg loaded;
    ArchiveReader ar(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(ar, 1)) << "prefix " << size;
  }
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
  EXPECT_FALSE(few.systems[1].empty());
  EXPECT_TRUE(few.systems[2].empty());
  few.ApplyDefaults(-1);
  EXPECT_TRUE(few.systems[2].empty());
}
