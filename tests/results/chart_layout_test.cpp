#include "results/chart_layout.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace orvo {
namespace {

const std::string kData = std::string(ORVO_SOURCE_DIR) + "/tests/data/chart_layout/";

TEST(ChartLayoutTest, FilesRoundTripByteForByte) {
  for (const char* name : {"full.gsp", "colours_only.gsp"}) {
    SCOPED_TRACE(name);
    const std::string bytes = orvo::testing::ReadFile(kData + name);
    std::string error;
    const auto layout = ChartLayout::Load(kData + name, error);
    ASSERT_TRUE(layout) << error;
    EXPECT_EQ(layout->Text(), bytes);
  }
}

TEST(ChartLayoutTest, AppliesWhatItHoldsAndSkipsUnknownKeys) {
  std::string error;
  const auto layout = ChartLayout::Load(kData + "crlf_and_unknown_key.gsp", error);
  ASSERT_TRUE(layout) << error;
  ChartDescription chart;
  chart.Resize(2, 2, 3, false);
  chart.frame_texts[1].left_title = "Variable Q";
  chart.frame_texts[1].graph_title = "run 2";
  chart.x_min = 1;
  layout->ApplyTo(chart);
  EXPECT_EQ(chart.frame_texts[1].left_title, "Flow");
  EXPECT_EQ(chart.frame_texts[1].graph_title, "run 2");
  EXPECT_EQ(chart.x_min, 1);
  EXPECT_EQ(chart.x_max, 10);

  const auto colours = ChartLayout::Load(kData + "colours_only.gsp", error);
  ASSERT_TRUE(colours) << error;
  colours->ApplyTo(chart);  // series 10 does not exist here
  EXPECT_EQ(chart.series_colors, (std::vector<std::string>{"", "#000000"}));
  EXPECT_FALSE(chart.y_axis_ticks_on);
}

TEST(ChartLayoutTest, AChartSavedAndLoadedKeepsItsLook) {
  const orvo::testing::ScratchDir dir("orvo_chart_layout");
  ChartDescription chart;
  chart.Resize(1, 2, 2, false);
  chart.frame_texts[0] = {"title", "bottom\nline", "left", ""};
  chart.y_max = 7.25;
  chart.horizontal_grid = false;
  chart.series_colors = {"#102030", "not a colour"};
  std::string error;
  ASSERT_TRUE(ChartLayout::Of(chart, 0).Save(dir / "a.gsp", error)) << error;
  const auto loaded = ChartLayout::Load(dir / "a.gsp", error);
  ASSERT_TRUE(loaded) << error;
  ChartDescription other;
  other.Resize(1, 2, 2, false);
  loaded->ApplyTo(other);
  EXPECT_EQ(other.frame_texts[0].bottom_title, "bottom line");
  EXPECT_EQ(other.y_max, 7.25);
  EXPECT_EQ(other.y_min, ChartDescription::kUnset);
  EXPECT_FALSE(other.horizontal_grid);
  EXPECT_EQ(other.series_colors, (std::vector<std::string>{"#102030", ""}));
  EXPECT_FALSE(ChartLayout::Of(chart, 0).Save(dir / "no/such/dir.gsp", error));
}

TEST(ChartLayoutTest, RefusesWhatIsNoLayout) {
  const char* bad[] = {"",
                       "something else\n",
                       "ORVO chart layout 1\nx_min ten\n",
                       "ORVO chart layout 1\nx_min 1e999\n",
                       "ORVO chart layout 1\ny_ticks -1\n",
                       "ORVO chart layout 1\nvertical_grid yes\n",
                       "ORVO chart layout 1\nseries_color 1 red\n",
                       "ORVO chart layout 1\nx_ticks 99999999999\n"};
  for (const char* text : bad) {
    std::string error;
    EXPECT_FALSE(ChartLayout::Parse(text, error)) << text;
    EXPECT_FALSE(error.empty());
  }
  const orvo::testing::ScratchDir dir("orvo_chart_layout_big");
  std::string error;
  EXPECT_FALSE(ChartLayout::Load(dir.Write("big.gsp", std::string(1 << 20, 'x')), error));
  EXPECT_FALSE(ChartLayout::Load(dir / "missing.gsp", error));
}

}  // namespace
}  // namespace orvo
