#include "model/group_h.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"

using namespace orvo;

namespace {

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

}  // namespace
