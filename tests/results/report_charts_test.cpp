#include "results/report_charts.h"

#include <gtest/gtest.h>

#include <string>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "support/run_files.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

using testing::RunFiles;

// Three runs of ten segments; CHEMICAL (variable 1) is 100 * run + segment + step, SOLIDS
// (variable 2) a tenth of that.
class ReportChartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int run = 0; run < 3; ++run) {
      RunFiles files;
      files.segments = 10;
      files.times = {0, 2.5};
      files.model_names = {"CHEMICAL {mg/L)", "SOLIDS"};
      files.value = [run](OutputTable table, int variable, int segment, int step) {
        const double chemical = 100.0 * run + segment + step;
        return table == OutputTable::kTransport ? 1.0 : variable == 0 ? chemical : chemical / 10;
      };
      ASSERT_TRUE(doc_.AddDataset(testing::WriteRun(dir_ / ("run" + std::to_string(run)), files)));
    }
    doc_.AddReportSegment(9);
    doc_.AddReportSegment(5);
    doc_.AddReportGroup({1, 2});
  }

  testing::ScratchDir dir_{"orvo_report_charts"};
  ScriptedPlatform platform_;
  CORVOReportDoc doc_{platform_};
};

TEST_F(ReportChartsTest, OneVariableGivesOneChartWithACurvePerRun) {
  const std::vector<ChartDescription> charts = ReportCharts(doc_, {0, 1, 2}, {1});
  ASSERT_EQ(charts.size(), 1u);
  const ChartDescription& chart = charts[0];
  EXPECT_EQ(chart.frames(), 2);
  EXPECT_EQ(chart.series(), 3);
  EXPECT_EQ(chart.points(), 2);  // the group never appears
  EXPECT_EQ(chart.graph_style, 4);
  EXPECT_EQ(chart.point_labels, (std::vector<std::string>{"5", "9"}));
  EXPECT_EQ(chart.legend_texts[2], dir_ / "run2");
  EXPECT_EQ(chart.frame_texts[1].graph_title, "Time 2.5");
  EXPECT_EQ(chart.frame_texts[1].bottom_title, "Segment #");
  EXPECT_EQ(chart.frame_texts[0].caption, "CHEMICAL {mg/L)");
  EXPECT_EQ(chart.frame_texts[0].left_title, "mg/L");
  EXPECT_EQ(chart.Value(1, 2, 1), 200 + 9 + 1);
  EXPECT_FALSE(chart.IsMissing(1, 2, 1));
  EXPECT_EQ(chart.y_max, ChartDescription::kUnset);  // the chart window sets it from the data
}

TEST_F(ReportChartsTest, SeveralVariablesGiveOneChartPerRunOnOneRange) {
  const std::vector<ChartDescription> charts = ReportCharts(doc_, {0, 1, 2}, {1, 2});
  ASSERT_EQ(charts.size(), 3u);
  for (const ChartDescription& chart : charts) {
    EXPECT_EQ(chart.series(), 2);
    EXPECT_EQ(chart.legend_texts, (std::vector<std::string>{"CHEMICAL {mg/L)", "SOLIDS"}));
    EXPECT_EQ(chart.y_min, 0);
    EXPECT_EQ(chart.y_max, 200 + 9 + 1);  // the largest value of any plotted run
  }
  EXPECT_EQ(charts[1].frame_texts[0].caption, dir_ / "run1");
  EXPECT_EQ(charts[1].Value(0, 1, 0), (100 + 5) / 10.0);
  // A run that lacks a segment's values leaves those points missing.
  doc_.AddReportSegment(12);
  EXPECT_TRUE(ReportCharts(doc_, {0}, {1, 2})[0].IsMissing(0, 0, 2));
  EXPECT_TRUE(ReportCharts(doc_, {}, {1}).empty());
}

}  // namespace
}  // namespace orvo
