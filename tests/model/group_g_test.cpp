#include "model/group_g.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "support/group_records.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

using orvo::testing::SaveRecord;

TEST(GroupGTest, RecordBytesOfOneSlot) {
  GroupGDlg group;
  group.title = "T";
  group.slot_count = 1;
  group.values[0] = 1.0;
  group.names[0] = "VX";
  EXPECT_EQ(SaveRecord(group),
            "\x06\x10\x01T\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\xF0\x3F\x02VX"s);
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

}  // namespace
