#include "results/run_report.h"

#include <gtest/gtest.h>

#include <string>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "support/golden.h"
#include "support/run_files.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

using testing::RunFiles;
using testing::ScratchDir;
using testing::WriteRun;

constexpr int kFlow = 0;      // the transport variable
constexpr int kChemical = 1;  // model variable 0
constexpr int kSolids = 2;    // model variable 1

// Values of CHEMICAL by segment and time step; the other variables as RunFiles makes them.
using Chemical = std::function<double(int segment, int step)>;

class RunReportTest : public ::testing::Test {
 protected:
  void AddRun(const std::string& name, const Chemical& chemical, RunFiles run = {}) {
    run.title2 = name + " title";
    const auto plain = run.value;
    run.value = [plain, chemical](OutputTable table, int variable, int segment, int step) {
      return table == OutputTable::kModel && variable == 0 ? chemical(segment, step)
                                                           : plain(table, variable, segment, step);
    };
    ASSERT_TRUE(doc_.AddDataset(WriteRun(dir_ / name, run))) << platform_.messages.back();
  }
  ReportGrid Report(const ReportOptions& options = {}) {
    return BuildReport(doc_, {kFlow, kChemical, kSolids}, options);
  }
  // The cell of the row whose "Run" is run, below the variable row of variable.
  static std::string Cell(const ReportGrid& grid, const std::string& variable,
                          const std::string& run, const std::string& title) {
    std::size_t column = 0;
    while (column < grid.rows[0].size() && grid.rows[0][column] != title) ++column;
    bool in_variable = false;
    for (std::size_t r = 1; r < grid.rows.size(); ++r) {
      if (grid.variable_row[r]) in_variable = grid.rows[r][0] == variable;
      if (in_variable && grid.rows[r][0] == run && column < grid.rows[r].size()) {
        return grid.rows[r][column];
      }
    }
    return "<none>";
  }
  static std::vector<std::string> Listed(const ReportGrid& grid) {
    std::vector<std::string> names;
    for (std::size_t r = 1; r < grid.rows.size(); ++r) {
      if (grid.variable_row[r]) names.push_back(grid.rows[r][0]);
    }
    return names;
  }

  ScratchDir dir_{"orvo_run_report"};
  ScriptedPlatform platform_;
  CORVOReportDoc doc_{platform_};
};

TEST_F(RunReportTest, ThresholdZeroListsEveryVariableWithItsStatistics) {
  AddRun("base", [](int segment, int step) { return segment + step; });
  AddRun("high", [](int segment, int step) { return 2.0 * (segment + step); });
  EXPECT_EQ(Listed(Report()).size(), 0u);  // no report column: nothing to list
  doc_.AddReportSegment(2);
  const ReportGrid grid = Report();
  orvo::testing::ExpectText(CsvText(grid.rows));
  // Equal runs show no difference above a threshold.
  ReportOptions options;
  options.threshold = 1;
  EXPECT_EQ(Listed(Report(options)), (std::vector<std::string>{"CHEMICAL"}));
}

TEST_F(RunReportTest, SortModesAndTheirTitles) {
  AddRun("base", [](int, int) { return 10; });
  AddRun("run", [](int, int step) { return 10 + step; });  // CHEMICAL up to 20 %
  doc_.AddReportSegment(1);
  ReportOptions options;
  options.sort_mode = 0;
  const ReportGrid by_selection = BuildReport(doc_, {kSolids, kChemical, kFlow}, options);
  EXPECT_EQ(by_selection.rows[0][3], "% diff");
  EXPECT_EQ(Listed(by_selection), (std::vector<std::string>{"SOLIDS", "CHEMICAL", "FLOW"}));
  options.sort_mode = 2;
  const ReportGrid ascending = BuildReport(doc_, {kChemical, kFlow, kSolids}, options);
  EXPECT_EQ(ascending.rows[0][3], "% diff  ^");
  EXPECT_EQ(Listed(ascending).back(), "CHEMICAL");
  EXPECT_EQ(Cell(ascending, "CHEMICAL", "run", "% diff  ^"), "20");
}

TEST_F(RunReportTest, ZeroReferenceValue) {
  AddRun("base", [](int, int) { return 0; });
  AddRun("run", [](int, int) { return 5; });
  doc_.AddReportSegment(1);
  ReportOptions options;
  options.threshold = 1;
  EXPECT_EQ(Cell(Report(options), "CHEMICAL", "run", "% diff  v"), "0");
  // In percent, a zero reference with another value is an infinite difference.
  options.threshold = 50;
  options.percent = true;
  const ReportGrid grid = Report(options);
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: + exceedences"), "3");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "base", "1: + exceedences"), "0");
}

TEST_F(RunReportTest, AShorterRunLowersItsMeansDivisorAndShowAllDataListsReferenceTimes) {
  RunFiles base;
  base.times = {0, 0.5, 2.5};
  AddRun(
      "base", [](int, int step) { return step; }, base);
  RunFiles shorter;
  shorter.times = {0, 0.5};
  AddRun(
      "short", [](int, int step) { return 4 + 2 * step; }, shorter);
  doc_.AddReportSegment(1);
  doc_.AddReportGroup({1, 3});
  const ReportGrid grid = Report();
  EXPECT_EQ(Cell(grid, "CHEMICAL", "short", "Timesteps"), "2");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "base", "Timesteps"), "3");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "short", "1: Mean"), "5");  // (4 + 6) / 2
  EXPECT_EQ(Cell(grid, "CHEMICAL", "short", "1: Max"), "6");

  ReportOptions options;
  options.show_all_data = true;
  const ReportGrid all = Report(options);
  EXPECT_EQ(all.rows[0], (std::vector<std::string>{"Run", "Description", "Timesteps", "% diff  v",
                                                   "1", "1, 3"}));
  // Listed first by its difference, CHEMICAL's rows follow it: per run, the reference times.
  ASSERT_EQ(all.rows[1][0], "CHEMICAL");
  // The sort column repeats the run's largest difference: (6 - 1) / 1 at time 0.5.
  const CellRows expected = {{"base", "base title", "0", "0", "0", "0"},
                             {"base", "base title", "0.5", "0", "1", "1"},
                             {"base", "base title", "2.5", "0", "2", "2"},
                             {"short", "short title", "0", "500", "4", "4"},
                             {"short", "short title", "0.5", "500", "6", "6"},
                             {"short", "short title", "2.5", "500", " - ", " - "}};
  EXPECT_EQ(CellRows(all.rows.begin() + 2, all.rows.begin() + 8), expected);
}

TEST_F(RunReportTest, PercentDifferencesUseTheReferencesMagnitude) {
  AddRun("base", [](int, int) { return -10; });
  AddRun("run", [](int, int) { return 0; });  // far above a negative reference
  doc_.AddReportSegment(1);
  ReportOptions options;
  options.percent = true;
  options.threshold = 50;
  EXPECT_EQ(Cell(Report(options), "CHEMICAL", "run", "1: + exceedences"), "3");
  EXPECT_EQ(VariablesShowingDifferences(doc_, 50, true, platform_), std::vector<int>{kChemical});
}

TEST_F(RunReportTest, ValuesOfMinusTenThousandAndBelowAreRealValues) {
  AddRun("base", [](int, int) { return -10000; });
  AddRun("run", [](int, int step) { return step == 1 ? -20000 : -10000; });
  doc_.AddReportSegment(1);
  ReportOptions options;
  options.threshold = 1;
  const ReportGrid grid = Report(options);
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: Min"), "-2e+04");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: Max"), "-1e+04");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: Mean"), "-1.33e+04");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "% diff  v"), "100");
}

TEST_F(RunReportTest, EachExceedenceCountStandsUnderItsOwnTitle) {
  AddRun("base", [](int, int) { return 5; });
  AddRun("run", [](int, int step) { return step == 0 ? 9 : 1; });  // once above, twice below
  doc_.AddReportSegment(1);
  const ReportGrid grid = Report();
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: + exceedences"), "1");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "run", "1: - exceedences"), "2");
  ReportOptions options;
  options.exceedences = options.minimum = false;
  EXPECT_EQ(Report(options).rows[0], (std::vector<std::string>{"Run", "Description", "Timesteps",
                                                               "% diff  v", "1: Max", "1: Mean"}));
}

TEST_F(RunReportTest, MaxAndMinStartFromTheFirstValueThatCanBeRead) {
  AddRun("base", [](int segment, int step) { return segment == 1 ? -5.0 - step : 5.0 + step; });
  // Segment 9 is beyond the runs: the group's first value cannot be read.
  doc_.AddReportGroup({9, 1});
  doc_.AddReportGroup({9, 2});
  const ReportGrid grid = Report();
  EXPECT_EQ(Cell(grid, "CHEMICAL", "base", "9, 1: Max"), "-5");
  EXPECT_EQ(Cell(grid, "CHEMICAL", "base", "9, 2: Min"), "5");
  // A column without one readable value says so.
  doc_.AddReportSegment(7);
  EXPECT_EQ(Cell(Report(), "CHEMICAL", "base", "7: Mean"), " - ");
}

TEST_F(RunReportTest, SelectParametersThatShowDifferences) {
  EXPECT_EQ(VariablesShowingDifferences(doc_, 0, false, platform_), std::nullopt);
  EXPECT_EQ(platform_.messages.back(), "Please select ORVO runs to study.");
  AddRun("base", [](int segment, int) { return segment; });
  AddRun("run", [](int segment, int) { return segment == 3 ? 4.5 : segment; });
  doc_.AddReportGroup({3});
  EXPECT_EQ(VariablesShowingDifferences(doc_, 0, false, platform_), std::nullopt);
  EXPECT_EQ(platform_.messages.back(), "Please select segments to study.");
  doc_.AddReportSegment(1);
  // Groups are not used: segment 1 shows no difference.
  EXPECT_EQ(VariablesShowingDifferences(doc_, 0, false, platform_), std::vector<int>{});
  doc_.AddReportSegment(3);
  EXPECT_EQ(VariablesShowingDifferences(doc_, 0, false, platform_), std::vector<int>{kChemical});
  EXPECT_EQ(VariablesShowingDifferences(doc_, 1.5, false, platform_), std::vector<int>{});
  EXPECT_EQ(VariablesShowingDifferences(doc_, 49, true, platform_), std::vector<int>{kChemical});
}

TEST_F(RunReportTest, InputFilesAndSegmentsGrids) {
  RunFiles run;
  run.times = {0, 1, 7.5};
  AddRun(
      "base", [](int, int) { return 1; }, run);
  doc_.AddReportSegment(3);
  doc_.AddReportGroup({2, 1});
  EXPECT_EQ(InputFileRows(doc_, false),
            (CellRows{{"File Name", "TITLE1", "TITLE2", "Length of Run"},
                      {"base", "RIVER", "base title", "7.5"}}));
  EXPECT_EQ(InputFileRows(doc_, true)[1][0], dir_ / "base.out");
  EXPECT_EQ(SegmentRows(doc_),
            (CellRows{{"Identifier", "Segment(s)"}, {"3", "3"}, {"2, 1", "2, 1"}}));
}

TEST_F(RunReportTest, CsvQuotesCellsThatNeedIt) {
  EXPECT_EQ(CsvText({{"2, 1: Max", "say \"hi\"", "two\nlines", "plain"}, {}}),
            "\"2, 1: Max\",\"say \"\"hi\"\"\",\"two\nlines\",plain\n\n");
}

}  // namespace
}  // namespace orvo
