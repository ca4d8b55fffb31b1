#include "results/longitudinal_profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

TEST(LongitudinalProfileTest, DownstreamChainFollowsTheFirstExchangeAndStopsAtLoops) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  std::vector<COrvoBuilderCntrItem*> s;
  for (int i = 0; i < 5; ++i) s.push_back(testing::AddSegmentWithLabel(doc, 40 + 80 * i, 80));
  doc.AddExchange(s[0], s[1], kInterface);
  doc.AddExchange(s[1], s[2], kInterface);
  doc.AddExchange(s[2], s[0], kInterface);  // back upstream: never taken twice
  doc.AddExchange(s[1], s[3], kInterface);  // a branch after the first way down
  doc.AddExchange(s[2], nullptr, kOutflow);
  EXPECT_EQ(DownstreamChain(doc, 1), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(DownstreamChain(doc, 4), (std::vector<int>{4}));
  EXPECT_TRUE(DownstreamChain(doc, 9).empty());
  EXPECT_TRUE(DownstreamChain(doc, 0).empty());
}

TEST(LongitudinalProfileTest, SegmentPathsReadAndWritten) {
  std::vector<int> path;
  std::string error;
  ASSERT_TRUE(ParseSegmentPath(" 3, 5-7 12;9-8 ", 20, path, error));
  EXPECT_EQ(path, (std::vector<int>{3, 5, 6, 7, 12, 9, 8}));
  EXPECT_EQ(SegmentPathText(path), "3, 5-7, 12, 9, 8");
  EXPECT_EQ(SegmentPathText({1, 2, 4}), "1, 2, 4");
  EXPECT_TRUE(ParseSegmentPath("", 20, path, error));
  EXPECT_TRUE(path.empty());

  EXPECT_FALSE(ParseSegmentPath("3, 21", 20, path, error));
  EXPECT_EQ(error, "Segment 21 is not a segment of the run (1 to 20)");
  EXPECT_TRUE(path.empty());
  EXPECT_FALSE(ParseSegmentPath("0", 20, path, error));
  EXPECT_FALSE(ParseSegmentPath("3x", 20, path, error));
  EXPECT_FALSE(ParseSegmentPath("4-", 20, path, error));
  EXPECT_FALSE(ParseSegmentPath("99999999999999999999", 20, path, error));
  // A range may not ask for more than a profile can hold.
  EXPECT_FALSE(ParseSegmentPath("1-2000000000", 2000000000, path, error));
  EXPECT_EQ(error, "A profile holds at most 100000 segments");
}

TEST(LongitudinalProfileTest, ValuesAlongThePathWithMissingOnes) {
  OrvoOutputData run;
  run.model_variables = {{"DO", "mg/L", {{1, 2}, {3, NAN}, {5}}}};
  const auto points = ProfileValues(run, OutputTable::kModel, 0, 1, {3, 1, 2, 7});
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].segment_id, 3);
  EXPECT_TRUE(points[0].missing);  // series cut short
  EXPECT_EQ(points[1].value, 2);
  EXPECT_FALSE(points[1].missing);
  EXPECT_TRUE(points[2].missing);  // not finite
  EXPECT_EQ(points[2].value, 0);
  EXPECT_TRUE(points[3].missing);  // no such segment
}

}  // namespace
}  // namespace orvo
