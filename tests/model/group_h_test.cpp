#include "model/group_h.h"

#include <string>

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"

using namespace orvo;
using namespace std::string_literals;

namespace {

const std::string kEmpty = "\x15_StringArrayCookie_0_"s;

std::string Save(const GroupHDlg& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

TEST(GroupHTest, FreshRecordBytes) {
  std::string expected = "\x07\x10\x00"s;
  for (int i = 0; i < 9; ++i) expected += kEmpty;
  EXPECT_EQ(Save(GroupHDlg()), expected);
}

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

TEST(GroupHTest, RoundTripKeepsBytes) {
  GroupHDlg group;
  group.title = "constants";
  group.ApplyNames(1, kFenu5);
  StringArray constants(std::vector<std::string>{"K1", "12", "0.5"});
  StringArray fields(std::vector<std::string>{"rates"});
  fields.SetList(constants, 1);
  group.blocks[0].SetList(fields, 1);
  const std::string bytes = Save(group);
  GroupHDlg loaded;
  ArchiveReader reader(bytes);
  ASSERT_TRUE(loaded.Serialize(reader, 1));
  EXPECT_EQ(reader.remaining(), 0u);
  EXPECT_EQ(Save(loaded), bytes);
  EXPECT_EQ(loaded.blocks[0].level(), 2);
}

TEST(GroupHTest, BadCookieAndBadLevelFail) {
  GroupHDlg group;
  const std::string wrong = "\x08\x10\x00"s;
  ArchiveReader reader(wrong);
  EXPECT_FALSE(group.Serialize(reader, 1));
  EXPECT_EQ(reader.error(), "Error reading group H from archive (bad cookie).");
  const std::string deep = "\x07\x10\x00\x16_StringArrayCookie_38_"s;
  ArchiveReader level(deep);
  EXPECT_FALSE(group.Serialize(level, 1));
  EXPECT_EQ(level.error(), "[StringArray::FromString] delimiter out of range.");
}

TEST(GroupHTest, TruncatedInputFails) {
  GroupHDlg group;
  group.ApplyNames(1, kVerda5);
  const std::string bytes = Save(group);
  for (size_t size = 0; size < bytes.size(); ++size) {
    GroupHDlg loaded;
    ArchiveReader reader(std::string_view(bytes).substr(0, size));
    EXPECT_FALSE(loaded.Serialize(reader, 1)) << size;
  }
}

}  // namespace
