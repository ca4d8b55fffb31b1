// Card F's nonpoint flag and segment lists; its variations are cases of
// tests/data/groups/variations.txt, the card as projects hold it tests/data/projects/write_f_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

class GroupFCardTest : public testing::CardWriterTest {
 protected:
  // Three segments of two systems: segment 1 loaded by a function of zeros in system 1,
  // segment 2 in system 2 only.
  void SetUp() override {
    CardWriterTest::SetUp();
    LoadCase("write_f_load_segments");
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_f::WriteCard, variation);
  }
};

// The nonpoint source file is not kept in the project file: its flag is tested here.
TEST_F(GroupFCardTest, NonpointFlagAndLoadSegments) {
  const std::string without = Write();
  doc.group_f.nonpoint_file = "area.nps";
  EXPECT_EQ(Write(), without.substr(0, without.size() - 2) + "1\n");
  EXPECT_EQ(group_f::LoadSegments(doc, 0), (std::vector<const COrvoBuilderCntrItem*>{segments[0]}));
  EXPECT_EQ(group_f::LoadSegments(doc, 1), (std::vector<const COrvoBuilderCntrItem*>{segments[1]}));
  doc.group_a.NOSYS = 3;
  EXPECT_TRUE(group_f::LoadSegments(doc, 2).empty());
}

TEST_F(GroupFCardTest, SegmentIdBeyondFiveColumnsFails) {
  doc.group_a.NOSEG = 100000;
  segments[0]->SetParameter(2, "100000");
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages, List{"Segment ID 100000 does not fit its 5-column field."});
}

}  // namespace
}  // namespace orvo
