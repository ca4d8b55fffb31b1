// Node editing rules as pure functions; lowering a break count on every segment is a script in
// tests/data/groups/node_properties.txt.
#include "groups/node_editing.h"

#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "support/golden.h"

namespace orvo {
namespace {

namespace ne = node_editing;

TEST(NodeEditingTest, TypedNumbersAreKeptAsPercentG) {
  EXPECT_EQ(ne::NumberText("1.50"), "1.5");
  EXPECT_EQ(ne::NumberText("2e3x"), "2000");
  EXPECT_EQ(ne::NumberText("abc"), "0");
  EXPECT_EQ(ne::JoinBlank(ne::ParseNumbers("1.0, 2\t3.25\r\n4")), "1 2 3.25 4");
}

TEST(NodeEditingTest, SystemRecordsSplitAndJoin) {
  const std::string record =
      "_StringArrayCookie_1__StringArrayCookie_0_1|!|0|@||@|_StringArrayCookie_0_0.5|!|10";
  EXPECT_EQ(ne::SystemFunctionTexts(record, 4),
            (std::vector<std::string>{"1 0", "", "0.5 10", ""}));
  EXPECT_EQ(ne::SystemRecordText({"1.0 0", "", "0.5, 10"}),
            "_StringArrayCookie_1__StringArrayCookie_0_1|!|0|@||@|_StringArrayCookie_0_0.5|!|10");
  EXPECT_EQ(ne::SystemRecordText({"", ""}), "_StringArrayCookie_0_|!||!|");
}

TEST(NodeEditingTest, BoundaryFunctionKeepsTheBreakCount) {
  std::string out;
  ASSERT_TRUE(ne::NormalizeBoundaryFunction("1.0,2  3.0 4", 2, out));
  EXPECT_EQ(out, "1 2 3 4");
  ASSERT_TRUE(ne::NormalizeBoundaryFunction("", 2, out));
  EXPECT_EQ(out, "0 0 0 0");
  out = "kept";
  EXPECT_FALSE(ne::NormalizeBoundaryFunction("1 2", 2, out));
  EXPECT_FALSE(ne::NormalizeBoundaryFunction("1 2 3", 1, out));
  EXPECT_EQ(out, "kept");
  ASSERT_TRUE(ne::NormalizeBoundaryFunction("", 0, out));
  EXPECT_EQ(out, "");
}

TEST(NodeEditingTest, LoadFunctionsTakeAnyNumberOfBreaks) {
  EXPECT_EQ(ne::NormalizeLoadFunction("5,0 7.50 30 8"), "5 0 7.5 30 8");
  EXPECT_EQ(ne::NormalizeLoadFunction(" \t"), "");
}

TEST(NodeEditingTest, GroupGPairs) {
  std::vector<ne::ParameterPair> pairs;
  ASSERT_TRUE(ne::SplitParameterPairs("_StringArrayCookie_0_MYVEL|!|2.5", kVerda5, pairs));
  ASSERT_EQ(pairs.size(), 32u);
  EXPECT_EQ(pairs[0].label, "MYVEL");
  EXPECT_EQ(pairs[0].value, "2.5");
  EXPECT_EQ(pairs[1].label, "SAL");
  EXPECT_EQ(pairs[1].value, "0");
  EXPECT_EQ(pairs[20].label, "");  // past the 15 VERDA5 rows
  ne::UseDefaultLabels(pairs, kVerda5);
  EXPECT_EQ(pairs[0].label, "VELFN");
  EXPECT_EQ(pairs[0].value, "2.5");
  const std::string text = ne::ParameterPairsText(pairs);
  EXPECT_EQ(text.substr(0, 47), "_StringArrayCookie_0_VELFN|!|2.5|!|SAL|!|0|!|TM");

  // Corrupt records leave what the caller holds untouched.
  const std::vector<ne::ParameterPair> before = pairs;
  EXPECT_FALSE(ne::SplitParameterPairs("_StringArrayCookie_0_A|!|1|!|B", kVerda5, pairs));
  EXPECT_FALSE(ne::SplitParameterPairs("_StringArrayCookie_99_A|!|1", kVerda5, pairs));
  EXPECT_FALSE(ne::SplitParameterPairs("VELFN 1", kVerda5, pairs));
  EXPECT_EQ(pairs.size(), before.size());
  EXPECT_EQ(pairs[0].label, "VELFN");
  EXPECT_EQ(ne::kGroupGCorrupt,
            std::string("Unable to set group G parameters; array string is corrupt."));
}

TEST(NodeEditingTest, ExchangeEntriesAreShapedByTheFieldCount) {
  EXPECT_EQ(ne::ExchangeRowCount(0, 3, 1), 3);
  EXPECT_EQ(ne::ExchangeRowCount(1, 3, 1), 1);
  EXPECT_EQ(ne::ExchangeRowCount(2, 3, 1), 0);
  std::vector<std::string> entries =
      ne::SplitExchangeEntries("_StringArrayCookie_1__StringArrayCookie_0_100|!|5");
  ne::EnsureExchangeEntries(entries, 2);
  EXPECT_EQ(ne::ExchangeEntriesText(entries),
            "_StringArrayCookie_1__StringArrayCookie_0_100|!|5|@|_StringArrayCookie_0_0.0|!|0.0");
  EXPECT_EQ(ne::SetExchangeEntryValue(entries, 1, 1, "12.50"), "12.5");
  EXPECT_EQ(ne::ExchangeEntryValue(entries[1], 0), "0.0");
  EXPECT_EQ(ne::ExchangeEntryValue(entries[1], 1), "12.5");
  EXPECT_EQ(ne::ExchangeEntriesText(entries),
            "_StringArrayCookie_1__StringArrayCookie_0_100|!|5|@|_StringArrayCookie_0_0.0|!|12.5");
}

TEST(NodeEditingTest, PortionsRefuseAFunctionTheFieldDoesNotHave) {
  ne::PortionLists portions;
  ASSERT_TRUE(ne::SplitPortions(
      "_StringArrayCookie_1__StringArrayCookie_0_0.5|!||!||@|_StringArrayCookie_0_|@||@||@||@||@|",
      portions));
  ASSERT_EQ(portions[0].size(), 2u);
  EXPECT_EQ(portions[0][1], "");
  EXPECT_EQ(ne::MaxPortionCount(portions), 2u);
  EXPECT_EQ(ne::PortionCell(portions[0][0]), "0.5");
  EXPECT_EQ(ne::PortionCell(portions[0][1]), "0");

  std::string message;
  EXPECT_EQ(ne::EditPortion(portions, 0, 2, "0.250", message), ne::PortionEdit::kStored);
  EXPECT_EQ(portions[0][1], "0.25");
  EXPECT_EQ(ne::EditPortion(portions, 0, 1, "", message), ne::PortionEdit::kIgnored);
  EXPECT_EQ(portions[0][0], "0.5");
  EXPECT_EQ(ne::EditPortion(portions, 2, 1, "1", message), ne::PortionEdit::kRefused);
  EXPECT_EQ(message, "Error: field 3 doesn't have a time function 1");
  EXPECT_TRUE(portions[2].empty());

  orvo::testing::ExpectText(ne::PortionsText(portions));
  ne::PortionLists unchanged = portions;
  EXPECT_FALSE(ne::SplitPortions("_StringArrayCookie_1_x|@|_StringArrayCookie_77_", unchanged));
  EXPECT_EQ(unchanged, portions);
}

TEST(NodeEditingTest, GroupCValues) {
  EXPECT_EQ(ne::AdjustedVolumeText("2.5e3", 2.0), "5000");
  EXPECT_EQ(ne::AdjustedVolumeText("none", 3.0), "0");
  EXPECT_TRUE(ne::ValidSegmentReference(0, 3));
  EXPECT_TRUE(ne::ValidSegmentReference(3, 3));
  EXPECT_FALSE(ne::ValidSegmentReference(4, 3));
  EXPECT_FALSE(ne::ValidSegmentReference(-1, 3));
}

}  // namespace
}  // namespace orvo
