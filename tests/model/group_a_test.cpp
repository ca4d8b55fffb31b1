#include "model/group_a.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

using orvo::ArchiveReader;
using orvo::ArchiveWriter;
using orvo::GroupADlg;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string Save(const GroupADlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

GroupADlg Edited() {
  GroupADlg group;
  group.SIMTYP = 1;
  group.TITLE1 = "Lake run";
  group.TITLE2 = "second line";
  group.NOSEG = 12;
  group.NOSYS = 8;
  group.ICFL = 0;
  group.MFLAG = 2;
  group.JMASS = 3;
  group.NEGSLN = 1;
  group.INTYP = 0;
  group.ADFAC = 0.5;
  group.ZDAY = 3.0;
  group.ZHR = 12.0;
  group.ZMIN = 30.0;
  group.TFLG = 1;
  group.ISEGOUT = {1, 2, 3, 4, 5, 12};
  group.time_steps.Parse("0.1 10 0.2 20", false);
  group.print_intervals.Parse("1 20", false);
  group.SYSBY.Parse("1 0 1 1 1 1 0 1", false);
  return group;
}

}  // namespace

TEST(GroupATest, DefaultRecordBytes) {
  const std::string minus_one = Bytes({0xFF, 0xFF, 0xFF, 0xFF});
  const std::string zero32(4, '\0');
  const std::string zero64(8, '\0');
  const std::string expected =
      Bytes({0x00, 0x10}) + minus_one + Bytes({0x00, 0x00, 74}) +
      " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS" + zero32 +
      zero32 + minus_one + minus_one + minus_one + minus_one + minus_one + zero64 +
      Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}) + zero64 + zero64 + minus_one + std::string(24, '\0') +
      Bytes({0x00, 0x00, 0x00});
  EXPECT_EQ(Save(GroupADlg()), expected);
}

TEST(GroupATest, RoundTripKeepsEveryField) {
  const std::string saved = Save(Edited());
  GroupADlg loaded;
  ArchiveReader ar(saved);
  ASSERT_TRUE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.remaining(), 0u);
  EXPECT_EQ(Save(loaded), saved);
  EXPECT_EQ(loaded.TITLE1, "Lake run");
  EXPECT_EQ(loaded.ZMIN, 30.0);
  EXPECT_EQ(loaded.ISEGOUT[5], 12);
  ASSERT_EQ(loaded.SYSBY.size(), 8u);
  EXPECT_EQ(loaded.SYSBY[1], "0");
  ASSERT_EQ(loaded.time_steps.size(), 4u);
  EXPECT_EQ(loaded.time_steps[3], "20");
}

TEST(GroupATest, ListsAreStoredAsBlankSeparatedText) {
  GroupADlg group;
  group.SYSBY.Parse("1 0", false);
  const std::string saved = Save(group);
  EXPECT_EQ(saved.substr(saved.size() - 6), Bytes({0x00, 0x00, 0x03}) + "1 0");
}

TEST(GroupATest, BadCookieFailsWithoutReading) {
  const std::string saved = Bytes({0x01, 0x10}) + Save(GroupADlg()).substr(2);
  GroupADlg loaded;
  loaded.TITLE1 = "kept";
  ArchiveReader ar(saved);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(), "Error reading group A from archive (bad cookie).");
  EXPECT_EQ(ar.position(), 2u);
  EXPECT_EQ(loaded.TITLE1, "kept");
}

TEST(GroupATest, EveryTruncationFails) {
  const std::string saved = Save(Edited());
  for (size_t size = 0; size < saved.size(); ++size) {
    GroupADlg loaded;
    ArchiveReader ar(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(ar, 1)) << "prefix " << size;
    EXPECT_FALSE(ar.ok());
  }
}
