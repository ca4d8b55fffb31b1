#include "vcs/revision_number.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(RevisionNumberTest, RevisionsAndBranches) {
  for (const char* revision : {"1.1", "1.10", "2.1", "1.2.1.1", "10.123"}) {
    EXPECT_TRUE(IsRevisionNumber(revision)) << revision;
  }
  for (const char* other :
       {"", "1", "1.2.1", "1.", ".1", "1..2", "1.x", "1.1:1.3", "-1.1", " 1.1", "1.1 ", "1,1"}) {
    EXPECT_FALSE(IsRevisionNumber(other)) << other;
  }
}

TEST(RevisionNumberTest, FieldsCompareAsNumbers) {
  EXPECT_GT(CompareRevisions("1.10", "1.9"), 0);
  EXPECT_NE(CompareRevisions("1.10", "1.1"), 0);
  EXPECT_LT(CompareRevisions("1.2", "1.10"), 0);
  EXPECT_EQ(CompareRevisions("1.02", "1.2"), 0);
  EXPECT_GT(CompareRevisions("2.1", "1.99"), 0);
  EXPECT_LT(CompareRevisions("1.2", "1.2.1.1"), 0);
  EXPECT_GT(CompareRevisions("1.1", "1.0"), 0);
  EXPECT_EQ(CompareRevisions("2", "2"), 0);
  EXPECT_GT(CompareRevisions("2", "1.0"), 0);
  EXPECT_GT(CompareRevisions("123456789012345678901234567890.1", "99999999999999999999.1"), 0);
}

TEST(RevisionNumberTest, NextCheckIn) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, ""},
      {{"1.1"}, "1.2"},
      {{"1.2", "1.1"}, "1.3"},
      {{"1.8"}, "1.9"},
      {{"1.9", "1.8"}, "2"},  // RCS makes it 2.1
      {{"2.9"}, "3"},
      {{"9.9"}, "10"},
      {{"1.10", "1.9"}, "1.11"},
      {{"1.11"}, "1.12"},
      {{"1.19"}, "1.20"},
      {{"1.99"}, "1.100"},
      {{"2.1", "1.9"}, "2.2"},
      {{"1.09"}, "2"},
      // A branch revision listed first: the trunk goes on from its head.
      {{"1.1.1.1", "1.3"}, "1.4"},
      {{"1.1.1.1"}, ""},
  };
  for (const auto& [revisions, next] : cases) {
    EXPECT_EQ(NextRevision(revisions), next) << (revisions.empty() ? "none" : revisions[0]);
  }
}

}  // namespace
}  // namespace orvo
