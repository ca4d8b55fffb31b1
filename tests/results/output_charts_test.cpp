#include "results/output_charts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/number_text.h"
#include "support/card_cases.h"
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

// Charts of the cases of tests/data/results/output_charts/charts.txt: a selection a line,
//   <file type> <graph type> runs <runs> segments <segments> variables <variables>
// and what "Graph" makes of it: the count of charts, then each chart as its description.
std::vector<int> Numbers(std::istringstream& in) {
  std::vector<int> numbers;
  for (int n; in >> n;) numbers.push_back(n);
  in.clear();
  return numbers;
}

std::string Charts(const std::string& line) {
  std::istringstream in(line);
  std::string file, graph, word;
  in >> file >> graph >> word;
  OutputSelection selection{file == "model"       ? kModelResults
                            : file == "transport" ? kTransportVariables
                                                  : kMassBalanceRecord,
                            Numbers(in),
                            {},
                            {}};
  in >> word;
  selection.segments = Numbers(in);
  in >> word;
  selection.variables = Numbers(in);
  const OutputViewerText viewer = Viewer();
  const OutputGraphType type =
      graph == "param_vs_seg" ? OutputGraphType::kParamVsSeg : OutputGraphType::kSegmentVsTime;
  const long long count = OutputChartCount(viewer, selection, type);
  std::string text = "count " + std::to_string(count) + "\n";
  for (long long index = 0; index <= count; ++index) {
    const auto chart = BuildOutputChart(viewer, selection, type, index);
    if (!chart) {
      text += "chart " + std::to_string(index) + ": none\n";
      continue;
    }
    int missing = 0;
    for (std::uint8_t flag : chart->flags) missing += flag == ChartDescription::kMissing;
    text += "chart " + std::to_string(index) + ": graph type " + std::to_string(chart->graph_type) +
            ", " + std::to_string(chart->frames()) + " frames, " + std::to_string(chart->series()) +
            " series, " + std::to_string(chart->points()) + " points, " + std::to_string(missing) +
            " missing\nx " + CFormat("%g", chart->x_min) + " to " + CFormat("%g", chart->x_max) +
            ", y " + CFormat("%g", chart->y_min) + " to " + CFormat("%g", chart->y_max) +
            "\nlegends";
    for (const std::string& legend : chart->legend_texts) text += " | " + legend;
    text += "\n";
    for (int frame = 0; frame < chart->frames(); ++frame) {
      const ChartFrameTexts& texts = chart->frame_texts[frame];
      text += "frame " + texts.graph_title + " | " + texts.bottom_title + " | " + texts.left_title +
              "\n" + chart->Csv(frame);
    }
  }
  return text;
}

TEST(OutputChartsTest, BuildsEachGraphTypeAsTheViewerDraws) {
  testing::CheckCases(testing::DataPath("results/output_charts/charts.txt"),
                      [](const testing::CardCase& c) { return Charts(c.text); });
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

// Legends that need quotes get them (the cases of charts.txt show the plain ones).
TEST(ChartDescriptionTest, CsvQuotesLegends) {
  const OutputViewerText viewer = Viewer();
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
