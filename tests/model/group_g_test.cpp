#include "model/group_g.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

std::string Save(const GroupGDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

TEST(GroupGTest, FreshRecordBytes) {
  EXPECT_EQ(Save(GroupGDlg()), "\x06\x10\x00\x00\x00\x00\x00"s);
}

TEST(GroupGTest, RecordBytesOfOneSlot) {
  GroupGDlg group;
  group.title = "T";
  group.slot_count = 1;
  group.values[0] = 1.0;
  group.names[0] = "VX";
  EXPECT_EQ(Save(group), "\x06\x10\x01T\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\xF0\x3F\x02VX"s);
}

TEST(GroupGTest, SlotCountFromTypeOnlyWhenUnset) {
  GroupGDlg group;
  group.SetSlotCountFromType(kKobal5);
  EXPECT_EQ(group.slot_count, 32);
  group.SetSlotCountFromType(kFenu5);
  EXPECT_EQ(group.slot_count, 32);
  GroupGDlg fenu;
  fenu.SetSlotCountFromType(kFenu5);
  EXPECT_EQ(fenu.slot_count, 18);
}

TEST(GroupGTest, DefaultSegmentRecord) {
  const StringArray kobal = GroupGDlg::DefaultSegmentRecord(kKobal5);
  ASSERT_EQ(kobal.size(), 64u);
  EXPECT_EQ(kobal.At(58), "SO4");
  EXPECT_EQ(kobal.At(59), "0");
  EXPECT_EQ(kobal.level(), 0);
  const StringArray fenu = GroupGDlg::DefaultSegmentRecord(kFenu5);
  EXPECT_EQ(fenu.At(0), vocabulary::SegmentParameter(kFenu5, 0)->name);
  EXPECT_EQ(fenu.At(36), "");  // slot 18 is past the FENU5 table
  EXPECT_EQ(fenu.At(63), "0");
}

TEST(GroupGTest, RoundTripKeepsBytes) {
  GroupGDlg group;
  group.title = "parameters";
  group.SetSlotCountFromType(kVerda5);
  group.RestoreDefaultNames(kVerda5);
  group.values[3] = 2.5;
  group.values[14] = -1e-300;
  const std::string bytes = Save(group);
  GroupGDlg loaded;
  ArchiveReader reader(bytes);
  ASSERT_TRUE(loaded.Serialize(reader, 1));
  EXPECT_EQ(reader.remaining(), 0u);
  EXPECT_EQ(Save(loaded), bytes);
  EXPECT_EQ(loaded.names[0], vocabulary::SegmentParameter(kVerda5, 0)->name);
}

TEST(GroupGTest, BadCookieAndBadCountFail) {
  GroupGDlg group;
  const std::string wrong = "\x07\x10\x00\x00\x00\x00\x00"s;
  ArchiveReader reader(wrong);
  EXPECT_FALSE(group.Serialize(reader, 1));
  EXPECT_EQ(reader.error(), "Error reading group G from archive (bad cookie).");
  const std::string too_many = "\x06\x10\x00\x21\x00\x00\x00"s;
  ArchiveReader counted(too_many);
  EXPECT_FALSE(group.Serialize(counted, 1));
  EXPECT_EQ(group.slot_count, 0);
}

TEST(GroupGTest, TruncatedInputFails) {
  GroupGDlg group;
  group.slot_count = 2;
  group.names = {"A", "B"};
  const std::string bytes = Save(group);
  for (size_t size = 0; size < bytes.size(); ++size) {
    GroupGDlg loaded;
    ArchiveReader reader(std::string_view(bytes).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(reader, 1)) << size;
  }
}

}  // namespace
