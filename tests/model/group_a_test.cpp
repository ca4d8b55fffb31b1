#include "model/group_a.h"

#include <gtest/gtest.h>

#include <string>

#include "support/group_records.h"

namespace orvo {
namespace {

using testing::Bytes;
using testing::SaveRecord;

GroupADlg Edited() {
  GroupADlg group;
  group.SIMTYP = kVerda5;
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

// Lists are stored as blank-separated text at the record's end.
TEST(GroupATest, RoundTripKeepsEveryField) {
  const std::string saved = SaveRecord(Edited());
  EXPECT_EQ(saved.substr(saved.size() - 16), Bytes({0x0F}) + "1 0 1 1 1 1 0 1");
  const GroupADlg loaded = testing::ExpectReloads<GroupADlg>(saved);
  EXPECT_EQ(loaded.TITLE1, "Lake run");
  EXPECT_EQ(loaded.ZMIN, 30.0);
  EXPECT_EQ(loaded.ISEGOUT[5], 12);
  EXPECT_EQ(loaded.SYSBY.GetList(),
            (std::vector<std::string>{"1", "0", "1", "1", "1", "1", "0", "1"}));
  EXPECT_EQ(loaded.time_steps.GetList(), (std::vector<std::string>{"0.1", "10", "0.2", "20"}));
}

TEST(GroupATest, DamagedRecordsFailAndChangeNothing) {
  const std::string saved = SaveRecord(Edited());
  testing::ExpectDamagedRecordsFail<GroupADlg>(saved, 'A');
  GroupADlg loaded;
  loaded.TITLE1 = "kept";
  const std::string wrong = Bytes({0x01, 0x10}) + saved.substr(2);
  ArchiveReader ar(wrong);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(loaded.TITLE1, "kept");
}

}  // namespace
}  // namespace orvo
