// Card E's segment lists and break counts; its variations are cases of
// tests/data/groups/variations.txt, the card as projects hold it tests/data/projects/write_e_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

// The numbers a segment holds for one system.
List Function(const COrvoBuilderCntrItem* node, size_t system) {
  return StringArray(StringArray(node->GetParameter(10)).At(system)).GetList();
}

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

TEST_F(GroupECardTest, BreakCountsComeFromSegmentOne) {
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{2, 1}));
  segments[0]->SetParameter(2, "7");
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{0, 0}));
}

TEST_F(GroupECardTest, ChangeBreakCountAddsAndRemovesAtTheStart) {
  COrvoBuilderCntrItem* fresh = testing::AddSegmentWithLabel(doc, 400, 0);
  doc.SetModifiedFlag(false);
  group_e::ChangeBreakCount(doc, 0, 3);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Function(segments[0], 0), (List{"0", "0", "1.5", "0", "2", "10"}));
  EXPECT_EQ(Function(segments[1], 0), (List{"0", "0", "0", "0", "-3", "-1"}));
  EXPECT_EQ(Function(fresh, 0), (List{"0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Function(segments[0], 1), (List{"0", "0"}));

  group_e::ChangeBreakCount(doc, 0, 1);
  EXPECT_EQ(Function(segments[0], 0), (List{"2", "10"}));
  EXPECT_EQ(Function(segments[2], 0), (List{"0", "4"}));
  EXPECT_EQ(Function(fresh, 0), (List{"0", "0"}));
  EXPECT_EQ(group_e::BreakCounts(doc), (std::vector<int>{1, 1}));

  // A count that already holds changes nothing.
  doc.SetModifiedFlag(false);
  group_e::ChangeBreakCount(doc, 0, 1);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace orvo
