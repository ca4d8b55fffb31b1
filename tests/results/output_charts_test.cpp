#include "results/output_charts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;

// A run in memory: 3 segments, variables "DO" and "BOD", value v * 100 + s * 10 + t + offset at
// the model times 0, 1.5, 3 (only the first `steps` of them).
OrvoOutputData Run(const std::string& basename, int steps, double offset) {
  OrvoOutputData run(basename);
  run.number_of_segments = 3;
  for (int t = 0; t < steps; ++t) run.model_times.push_back(1.5 * t);
  for (int v = 0; v < 2; ++v) {
    OutputVariable variable{v == 0 ? "DO" : "BOD", "mg/L", {}};
    for (int s = 0; s < 3; ++s) {
      variable.series.emplace_back();
      for (int t = 0; t < steps; ++t) variable.series[s].push_back(v * 100 + s * 10 + t + offset);
    }
    run.model_variables.push_back(variable);
  }
  return run;
}

OutputViewerText Viewer() {
  OutputViewerText viewer;
  viewer.runs = {Run("/r/A", 3, 1), Run("/r/A0", 2, 5)};  // the second lacks the last step
  viewer.labels = {"Base", "0"};
  return viewer;
}

struct ChartCase {
  const char* name;
  OutputGraphType type;
  std::vector<int> runs, segments, variables;
  long long count, index;
  int graph_type, frames, series, points;
  Strings legends;
  Strings titles;  // graph, bottom, left of the last frame
  double x_min, x_max, y_min, y_max;
  int missing;
  double last_value;  // the last value of the last frame's last series
};

const ChartCase kCases[] = {
    {"segment time, one run",
     OutputGraphType::kSegmentVsTime,
     {0},
     {0, 2},
     {1},
     1,
     0,
     9,
     1,
     2,
     3,
     {"Segment 1", "Segment 3"},
     {"/r/A", "Period", "Variable BOD"},
     0,
     3,
     0,
     123,
     0,
     123},
    // Values 5..25 of run "0": all positive, so the axis starts at 0; step 3 missing.
    {"segment time, one run with a missing step",
     OutputGraphType::kSegmentVsTime,
     {1},
     {0, 2},
     {0},
     1,
     0,
     9,
     1,
     2,
     3,
     {"Segment 1", "Segment 3"},
     {"/r/A0", "Period", "Variable DO"},
     0,
     3,
     0,
     26,
     2,
     0},
    {"segment time, two runs",
     OutputGraphType::kSegmentVsTime,
     {0, 1},
     {0, 1},
     {0, 1},
     4,
     3,
     6,
     1,
     2,
     3,
     {"/r/A", "/r/A0"},
     {"Segment # 2", "Period", "Variable BOD"},
     -10000,
     -10000,
     0,
     116,
     1,
     0},
    {"param seg",
     OutputGraphType::kParamVsSeg,
     {1, 0},
     {1, 2},
     {0},
     1,
     0,
     6,
     2,
     3,
     2,
     {"Period 0", "Period 1.5", "Period 3"},
     {"/r/A", "Segment #", "Variable DO"},
     -10000,
     -10000,
     0,
     26,
     2,
     23},
};

TEST(OutputChartsTest, BuildsEachGraphTypeAsTheViewerDraws) {
  const OutputViewerText viewer = Viewer();
  for (const ChartCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const OutputSelection selection{kModelResults, c.runs, c.segments, c.variables};
    EXPECT_EQ(OutputChartCount(viewer, selection, c.type), c.count);
    const auto chart = BuildOutputChart(viewer, selection, c.type, c.index);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->graph_type, c.graph_type);
    EXPECT_EQ(chart->frames(), c.frames);
    EXPECT_EQ(chart->series(), c.series);
    EXPECT_EQ(chart->points(), c.points);
    EXPECT_EQ(chart->legend_texts, c.legends);
    const ChartFrameTexts& texts = chart->frame_texts.back();
    EXPECT_EQ((Strings{texts.graph_title, texts.bottom_title, texts.left_title}), c.titles);
    EXPECT_EQ(chart->x_min, c.x_min);
    EXPECT_EQ(chart->x_max, c.x_max);
    EXPECT_EQ(chart->y_min, c.y_min);
    EXPECT_EQ(chart->y_max, c.y_max);
    int missing = 0;
    for (std::uint8_t flag : chart->flags) missing += flag == ChartDescription::kMissing;
    EXPECT_EQ(missing, c.missing);
    EXPECT_EQ(chart->values.back(), c.last_value);
    EXPECT_FALSE(BuildOutputChart(viewer, selection, c.type, c.count));
  }
}

TEST(OutputChartsTest, NothingToDrawWithoutAFullSelection) {
  const OutputViewerText viewer = Viewer();
  EXPECT_EQ(OutputChartCount(viewer, {kModelResults, {0}, {}, {0}}, OutputGraphType::kParamVsSeg),
            0);
  EXPECT_EQ(OutputChartCount(viewer, {kMassBalanceRecord, {0}, {0}, {0}},
                             OutputGraphType::kSegmentVsTime),
            0);
  EXPECT_EQ(
      OutputChartCount(viewer, {kModelResults, {7}, {0}, {0}}, OutputGraphType::kSegmentVsTime), 0);
}

TEST(ChartDescriptionTest, YLimits) {
  struct Case {
    std::vector<double> values;
    std::vector<std::uint8_t> flags;
    double y_min, y_max;
  } cases[] = {
      {{2, 4, 3}, {0, 0, 0}, 0, 4},                  // positive, not all equal: from 0
      {{3, 3, 3}, {0, 0, 0}, 3, 3},                  // all equal: that value
      {{-2, 4, 3}, {0, 0, 0}, -2, 4},                // a negative value
      {{-5, 0, -3}, {0, 128, 0}, -5, -3},            // a missing value is no 0
      {{0, 0, 0}, {128, 128, 128}, -10000, -10000},  // nothing to scale by
      {{20000, 30000, 25000}, {0, 0, 0}, 0, 30000},
  };
  for (const Case& c : cases) {
    ChartDescription chart;
    chart.Resize(1, 1, 3, false);
    chart.values = c.values;
    chart.flags = c.flags;
    chart.ApplyYLimits();
    EXPECT_EQ(chart.y_min, c.y_min);
    EXPECT_EQ(chart.y_max, c.y_max);
  }
}

TEST(ChartDescriptionTest, CsvHasTheXColumnFirstAndLeavesMissingValuesEmpty) {
  const OutputViewerText viewer = Viewer();
  const OutputSelection selection{kModelResults, {1}, {0, 2}, {0}};
  auto chart = BuildOutputChart(viewer, selection, OutputGraphType::kSegmentVsTime, 0);
  ASSERT_TRUE(chart);
  EXPECT_EQ(chart->Csv(0), "Period,Segment 1,Segment 3\n0,5,25\n1.5,6,26\n3,,\n");
  auto labelled = BuildOutputChart(viewer, {kModelResults, {0, 1}, {0}, {0}},
                                   OutputGraphType::kSegmentVsTime, 0);
  ASSERT_TRUE(labelled);
  labelled->legend_texts[1] = "run \"2\", wet";
  EXPECT_EQ(labelled->Csv(0), "Period,/r/A,\"run \"\"2\"\", wet\"\n0,1,5\n1.5,2,6\n3,3,\n");
}

TEST(ChartDescriptionTest, StartDates) {
  EXPECT_EQ(StartDateText(1, 0, 0), "0000-01-01 00:00");
  EXPECT_EQ(StartDateText(60, 13, 30), "0000-03-01 13:30");
  EXPECT_EQ(StartDateText(366.5, 0, 0), "0001-01-01 12:00");
  EXPECT_EQ(StartDateText(0, 0, 0), "");
  EXPECT_EQ(StartDateText(1e300, 0, 0), "");

  const orvo::testing::ScratchDir dir("orvo_chart_start");
  // The options line of a deck with its start at day 32, 06:15 (columns 41-45, 46-48, 49-50).
  dir.Write("run.inp",
            "KOBALS\r\nT1\r\nT2\r\nHEADER\r\n    3    7    0    0    0    0    0  1.0 32.0  615   "
            "-1\r\n");
  EXPECT_EQ(RunStartDate(dir / "run"), "0000-02-01 06:15");
  dir.Write("plain.inp",
            "T1\nT2\nHEADER\n    3    6    0    0    0    0    0  1.0  1.0  0 0   -1\n");
  EXPECT_EQ(RunStartDate(dir / "plain"), std::nullopt);  // the initial start gives no date
  dir.Write("short.inp", "T1\nT2\n");
  EXPECT_EQ(RunStartDate(dir / "short"), std::nullopt);
  dir.Write("long.inp", std::string(100000, 'x'));
  EXPECT_EQ(RunStartDate(dir / "long"), std::nullopt);
  EXPECT_EQ(RunStartDate(dir / "missing"), std::nullopt);
}

}  // namespace
}  // namespace orvo
