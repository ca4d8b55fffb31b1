#include "model/group_i.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

std::string Save(const GroupIDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

TEST(GroupITest, FreshRecordBytes) {
  EXPECT_EQ(Save(GroupIDlg()), "\x08\x10\x00\x00\x00\x00\x00"s);
}

TEST(GroupITest, RecordBytesLeaveNamesOut) {
  GroupIDlg group;
  group.title = "k";
  group.slot_count = 2;
  group.functions[0] = "20 0";
  group.names[0] = "TEMP1";
  EXPECT_EQ(Save(group), "\x08\x10\x01k\x02\x00\x00\x00\x04\x32\x30 0\x00"s);
}

TEST(GroupITest, SlotCountFromType) {
  GroupIDlg group;
  group.SetSlotCountFromType(kVerda5);
  EXPECT_EQ(group.slot_count, 22);
  group.SetSlotCountFromType(kKobal5);
  EXPECT_EQ(group.slot_count, 0);
  group.RestoreDefaultNames(kFenu5);
  EXPECT_EQ(group.names[0], vocabulary::TimeFunction(kFenu5, 0)->name);
  EXPECT_EQ(group.names[17], "");
}

TEST(GroupITest, RoundTripKeepsBytes) {
  GroupIDlg group;
  group.title = "functions";
  group.SetSlotCountFromType(kFenu5);
  group.functions[0] = "20 0 25 30";
  group.functions[16] = "1";
  const std::string bytes = Save(group);
  GroupIDlg loaded;
  ArchiveReader reader(bytes);
  ASSERT_TRUE(loaded.Serialize(reader, 1));
  EXPECT_EQ(reader.remaining(), 0u);
  EXPECT_EQ(Save(loaded), bytes);
  EXPECT_EQ(loaded.functions[16], "1");
}

TEST(GroupITest, BadCookieAndBadCountFail) {
  GroupIDlg group;
  const std::string wrong = "\x09\x10\x00\x00\x00\x00\x00"s;
  ArchiveReader reader(wrong);
  EXPECT_FALSE(group.Serialize(reader, 1));
  EXPECT_EQ(reader.error(), "Error reading group I from archive (bad cookie).");
  const std::string negative = "\x08\x10\x00\xFF\xFF\xFF\xFF"s;
  ArchiveReader counted(negative);
  EXPECT_FALSE(group.Serialize(counted, 1));
}

TEST(GroupITest, TruncatedInputFails) {
  GroupIDlg group;
  group.slot_count = 2;
  group.functions[1] = "1 2";
  const std::string bytes = Save(group);
  for (size_t size = 0; size < bytes.size(); ++size) {
    GroupIDlg loaded;
    ArchiveReader reader(std::string_view(bytes).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(reader, 1)) << size;
  }
}

}  // namespace
