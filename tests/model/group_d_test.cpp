#include "model/group_d.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

using orvo::ArchiveReader;
using orvo::ArchiveWriter;
using orvo::GroupDDlg;
using orvo::StringArray;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Save(const GroupDDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

GroupDDlg Edited() {
  GroupDDlg group;
  group.hydrodynamic_file = "run.hyd";
  group.flow_option = 2;
  group.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "10 0 20 5"};
  group.fields[2].GetList() = {"0.5", "2", "m/s"};
  group.bypass.GetList() = {"1", "0", "1"};
  return group;
}

}  // namespace

TEST(GroupDTest, DefaultRecordBytes) {
  std::string expected = Bytes({0x03, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  for (int field = 0; field < 6; ++field) expected += Bytes({0x15}) + "_StringArrayCookie_0_";
  expected += Bytes({0x00});
  EXPECT_EQ(Save(GroupDDlg()), expected);
  EXPECT_EQ(GroupDDlg().bypass_text, "1 1 1 1 1 1");
}

TEST(GroupDTest, RoundTripStoresBypassAsBlankSeparatedText) {
  const std::string saved = Save(Edited());
  EXPECT_EQ(saved.substr(saved.size() - 6), Bytes({0x05}) + "1 0 1");
  GroupDDlg loaded;
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(Save(loaded), saved);
  EXPECT_EQ(loaded.fields[0].At(3), "10 0 20 5");
  EXPECT_EQ(loaded.fields[2].size(), 3u);
  EXPECT_EQ(loaded.bypass.size(), 3u);
}

TEST(GroupDTest, VersionZeroInsertsUnitsAfterTheFactors) {
  ArchiveWriter old;
  old.U16(0x1003);
  old.I32(0);
  old.String("");
  old.String("_StringArrayCookie_0_1|!|2|!|3 0");  // SCALQ, CONVQ, one function
  old.String("_StringArrayCookie_0_1|!|2");        // too short to carry a function
  for (int field = 2; field < 6; ++field) old.String("_StringArrayCookie_0_");
  old.String("1 1");
  GroupDDlg loaded;
  ArchiveReader ar(old.bytes());
  ASSERT_TRUE(loaded.Serialize(ar, 0));
  EXPECT_EQ(loaded.fields[0].GetList(), (std::vector<std::string>{"1", "2", "m^3/sec", "3 0"}));
  EXPECT_EQ(loaded.fields[1].GetList(), (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(loaded.fields[2].empty());
}

TEST(GroupDTest, BadCookieAndBadArray) {
  GroupDDlg loaded;
  const std::string wrong = Bytes({0x04, 0x10}) + Save(GroupDDlg()).substr(2);
  ArchiveReader bad_cookie(wrong);
  EXPECT_FALSE(loaded.Serialize(bad_cookie, 1));
  EXPECT_EQ(bad_cookie.error(), "Error reading group D from archive (bad cookie).");
  EXPECT_EQ(bad_cookie.position(), 2u);

  ArchiveWriter damaged;
  damaged.U16(0x1003);
  damaged.I32(0);
  damaged.String("");
  damaged.String("_StringArrayCookie_38_");
  ArchiveReader bad_array(damaged.bytes());
  EXPECT_FALSE(loaded.Serialize(bad_array, 1));
  EXPECT_EQ(bad_array.error(), "[StringArray::FromString] delimiter out of range.");
}

TEST(GroupDTest, EveryTruncationFails) {
  const std::string saved = Save(Edited());
  for (size_t size = 0; size < saved.size(); ++size) {
    GroupDDlg loaded;
    ArchiveReader ar(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(ar, 1)) << "prefix " << size;
  }
}

TEST(GroupDTest, FunctionAndFieldCounts) {
  GroupDDlg group;
  EXPECT_EQ(group.NFIELD(), 0);
  group.fields[1].GetList() = {"1", "1"};  // defined, though too short for any function
  EXPECT_EQ(group.NINQ(1), 0);
  EXPECT_EQ(group.NFIELD(), 2);
  group.fields[4].GetList() = {"1", "1", "m^3/sec", "0 0", "1 1"};
  EXPECT_EQ(group.NINQ(4), 2);
  EXPECT_EQ(group.NFIELD(), 5);
  EXPECT_EQ(group.NINQ(0), 0);
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
  StringArray portions;
  ASSERT_TRUE(record.GetList(portions, 5));
  EXPECT_EQ(portions.GetList(), (std::vector<std::string>{"", ""}));
}
