#include "groups/time_function_editing.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo::time_function {
namespace {

TEST(TimeFunctionEditingTest, ModesGiveTheirTexts) {
  EXPECT_STREQ(Texts(kTimeSteps).window_title, "Model Time Step Editor");
  EXPECT_STREQ(Texts(kTimeSteps).caption, "Time steps");
  EXPECT_STREQ(Texts(kPrintIntervals).window_title, "Edit Print Intervals");
  EXPECT_STREQ(Texts(kPrintIntervals).time_label,
               "Time up to when print interval will be used (TPRINT(I)):");
  EXPECT_STREQ(Texts(FlowFieldMode(5)).value_label, "Water transport velocity in m/s (QT(6,K)):");
  EXPECT_STREQ(Texts(FlowFieldMode(5)).time_label, "Time in days (TQ(6,K)):");
  EXPECT_STREQ(Texts(kWasteLoads).caption, "Point source time function for Waste Loads");
  EXPECT_STREQ(Texts(kKineticFunction).value_label,
               "Value of time function ISC at time T(K) (VALT(K)):");
  for (int mode = 0; mode < kModeCount; ++mode) {
    EXPECT_EQ(Texts(mode).fixed_rows, mode == kBoundaryConcentrations) << mode;
  }
  EXPECT_STREQ(Texts(14).caption, "Time steps");
  EXPECT_STREQ(Texts(-1).caption, "Time steps");
}

TEST(TimeFunctionEditingTest, EntriesRowsAndBack) {
  const std::vector<Row> rows = RowsFromEntries({"1.5", "0", "2", "10", "7"});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (Row{"2", "10"}));
  EXPECT_EQ(rows[2], (Row{"7", "0"}));  // an unpaired value gets time 0
  EXPECT_EQ(EntriesFromRows({{"1.5", ""}, NewRow()}),
            (std::vector<std::string>{"1.5", "0", "0.0", "0.0"}));
  EXPECT_TRUE(RowsFromEntries({}).empty());
}

TEST(TimeFunctionEditingTest, CellsAndDeletion) {
  EXPECT_EQ(CellText("0.50"), "0.5");
  EXPECT_EQ(CellText("1e-7"), "1e-07");
  EXPECT_EQ(CellText("x"), "0");
  std::vector<Row> rows = {{"1", "0"}, {"2", "1"}, {"3", "2"}, {"4", "3"}};
  DeleteRows(rows, {3, 1, 1, 9, -2});
  EXPECT_EQ(rows, (std::vector<Row>{{"1", "0"}, {"3", "2"}}));
}

TEST(TimeFunctionEditingTest, ClipboardCopyAndPaste) {
  std::vector<Row> rows = {{"1", "0"}, {"2", "5"}};
  EXPECT_EQ(CopyRows(rows, {1, 0, 7}), "1\t0\n2\t5\n");
  PasteText(rows, 1, 1, "6.0\t3\r\n\n7 8\r\n", false);
  EXPECT_EQ(rows, (std::vector<Row>{{"1", "0"}, {"2", "6"}, {"0.0", "7"}}));
  PasteText(rows, 2, 0, "9\t9\n4\t4\n", true);  // fixed rows: the second line is dropped
  EXPECT_EQ(rows, (std::vector<Row>{{"1", "0"}, {"2", "6"}, {"9", "9"}}));
}

}  // namespace
}  // namespace orvo::time_function
