#include "model/group_i.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "support/group_records.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

using orvo::testing::SaveRecord;

TEST(GroupITest, RecordBytesLeaveNamesOut) {
  GroupIDlg group;
  group.title = "k";
  group.slot_count = 2;
  group.functions[0] = "20 0";
  group.names[0] = "TEMP1";
  EXPECT_EQ(SaveRecord(group), "\x08\x10\x01k\x02\x00\x00\x00\x04\x32\x30 0\x00"s);
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

TEST(GroupITest, RoundTripAndDamage) {
  GroupIDlg group;
  group.title = "functions";
  group.SetSlotCountFromType(kFenu5);
  group.functions[0] = "20 0 25 30";
  group.functions[16] = "1";
  const std::string bytes = SaveRecord(group);
  EXPECT_EQ(orvo::testing::ExpectReloads<GroupIDlg>(bytes).functions[16], "1");
  orvo::testing::ExpectDamagedRecordsFail<GroupIDlg>(bytes, 'I');
  GroupIDlg counted;
  const std::string minus_one = "\x08\x10\x00\xFF\xFF\xFF\xFF"s;
  ArchiveReader negative(minus_one);
  EXPECT_FALSE(counted.Serialize(negative, 1));
}

}  // namespace
