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

}  // namespace
