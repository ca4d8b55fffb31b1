// Card E's segment lists; its variations are cases of tests/data/groups/variations.txt, its
// break counts of tests/data/groups/node_properties.txt, the card as projects hold it
// tests/data/projects/write_e_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

class GroupECardTest : public testing::CardWriterTest {
 protected:
  // Three segments of two systems: segment 2 holds only zeros and negatives for system 1 and
  // no entry for system 2; segment 3 is a boundary of system 1 through a time alone.
  void SetUp() override {
    CardWriterTest::SetUp();
    LoadCase("write_e_boundaries_by_system");
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_e::WriteCard, variation);
  }
};

TEST_F(GroupECardTest, BoundarySegmentsBySystem) {
  EXPECT_EQ(group_e::BoundarySegments(doc, 0),
            (std::vector<const COrvoBuilderCntrItem*>{segments[0], segments[2]}));
  EXPECT_EQ(group_e::BoundarySegments(doc, 1),
            (std::vector<const COrvoBuilderCntrItem*>{segments[2]}));
}

TEST_F(GroupECardTest, SegmentIdBeyondFiveColumnsFails) {
  doc.group_a.NOSEG = 100000;
  segments[2]->SetParameter(2, "100000");
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages, List{"Segment ID 100000 does not fit its 5-column field."});
}

}  // namespace
}  // namespace orvo
