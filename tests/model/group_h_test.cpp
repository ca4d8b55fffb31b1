#include "model/group_h.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "support/group_records.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

using orvo::testing::SaveRecord;

TEST(GroupHTest, ApplyNames) {
  GroupHDlg group;
  group.blocks[1] = StringArray(std::vector<std::string>{"old", "fields"});
  group.ApplyNames(2, kVerda5);
  EXPECT_EQ(StringArray(group.blocks[0]).ToString(),
            "_StringArrayCookie_1_Globals|@|_StringArrayCookie_0_");
  EXPECT_EQ(group.blocks[1].GetList(), (std::vector<std::string>{"NH3", "fields"}));
  EXPECT_EQ(group.blocks[2].At(0), "NO3");
  EXPECT_TRUE(group.blocks[3].empty());
  group.ApplyNames(20, kKobal5);  // never past block 8
  EXPECT_EQ(group.blocks[8].At(0), "");
  EXPECT_EQ(group.blocks[8].size(), 2u);
}

TEST(GroupHTest, RoundTripAndDamage) {
  GroupHDlg group;
  group.title = "constants";
  group.ApplyNames(1, kFenu5);
  StringArray constants(std::vector<std::string>{"K1", "12", "0.5"});
  StringArray fields(std::vector<std::string>{"rates"});
  fields.SetList(constants, 1);
  group.blocks[0].SetList(fields, 1);
  const std::string bytes = SaveRecord(group);
  EXPECT_EQ(orvo::testing::ExpectReloads<GroupHDlg>(bytes).blocks[0].level(), 2);
  orvo::testing::ExpectDamagedRecordsFail<GroupHDlg>(bytes, 'H');
  orvo::testing::ExpectLoadFails<GroupHDlg>("\x07\x10\x00\x16_StringArrayCookie_38_"s,
                                            "[StringArray::FromString] delimiter out of range.");
}

}  // namespace
