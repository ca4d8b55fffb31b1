#include "results/output_viewer_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/run_text.h"
#include "support/golden.h"
#include "support/results_run.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

class OutputViewerTextTest : public ::testing::Test {
 protected:
  void SetUp() override { base_ = (dir_ / "BASE").string(); }

  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // A FENU5 run of `steps` time steps 1.5 days apart.
  static void WriteRun(const std::string& run, int segments, const std::vector<std::string>& names,
                       int steps, const testing::RunValues& values) {
    std::vector<double> times;
    for (int t = 0; t < steps; ++t) times.push_back(1.5 * t);
    testing::WriteResultsRun(run, segments, names, times, values);
  }
  static double Base(int v, int s, int t) { return v * 100 + s * 10 + t; }

  testing::ScratchDir scratch_{"orvo_results"};
  const fs::path& dir_ = scratch_.path();
  std::string base_;
  ScriptedPlatform platform_;
};

TEST_F(OutputViewerTextTest, LoadsBaseAndNumberedRunsUpToTheFirstGap) {
  WriteRun(base_, 2, {"A", "B"}, 2, Base);
  WriteRun(base_ + "0", 2, {"A", "B"}, 2, Base);
  WriteRun(base_ + "1", 2, {"A", "B", "C"}, 2, Base);
  WriteRun(base_ + "3", 2, {"A", "B", "C", "D"}, 2, Base);
  OutputViewerText viewer;
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 3u);
  EXPECT_EQ(viewer.labels, (std::vector<std::string>{"Base", "0", "1"}));
  EXPECT_EQ(viewer.current_run, 2);  // most transport variables
  EXPECT_TRUE(platform_.messages.empty());
  EXPECT_EQ(viewer.FileTypeList(),
            (std::vector<std::string>{"Fenu results (.fdf)", "Transport variables (.trn)",
                                      "Mass balance record (.msb)"}));
  EXPECT_EQ(OutputViewerText::EntryExtension("Kobals results ()"), "");
  EXPECT_EQ(OutputViewerText::EntryExtension("Transport variables (.trn)"), ".trn");
  EXPECT_EQ(viewer.SegmentList(kModelResults), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(viewer.VariableList(kTransportVariables), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(viewer.VariableList(kMassBalanceRecord).empty());

  fs::remove(base_ + ".inp");
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 2u);
  EXPECT_EQ(viewer.labels, (std::vector<std::string>{"0", "1"}));

  WriteRun(base_ + "2", 3, {"A"}, 1, Base);
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 2u);
  EXPECT_EQ(platform_.messages.back(),
            "Error: Number of segments do not match between " + base_ + "0 and " + base_ +
                "2.  All datasets must have the same number of segments.");
  WriteFile(base_ + "2.inp", "T1\nT2\nx\n2 8\n");
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 2u);
  EXPECT_EQ(platform_.messages.back(), "Error: Type of simulation does not match between " + base_ +
                                           "0 and " + base_ +
                                           "2.  All datasets must have the same simulation type.");
  EXPECT_EQ(viewer.LoadRuns(dir_.string() + "/NONE", platform_), 0u);
}

// A deck header whose NOSEG the output files cannot back lists only what the files hold.
TEST_F(OutputViewerTextTest, SegmentsAreBoundedByWhatTheFilesHold) {
  WriteRun(base_, 2, {"A", "B"}, 2, Base);
  WriteFile(base_ + ".inp", "T1\nT2\nx\n2147483647 6\n");
  OutputViewerText viewer;
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 1u);
  EXPECT_EQ(viewer.runs[0].number_of_segments, 2147483647);
  EXPECT_TRUE(viewer.SegmentList(kModelResults).empty());
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_EQ(platform_.messages[0],
            "OrvoOutputData::ReadOutputData: The number of segments 2147483647 of " + base_ +
                ".inp is far more than the 4 segment records of file " + base_ +
                ".trn hold; unable to read the file");

  // A model file that is missing leaves the segments of the transport file.
  WriteRun(base_, 2, {"A", "B"}, 2, Base);
  fs::remove(base_ + ".fdf");
  viewer.LoadRuns(base_, platform_);
  EXPECT_EQ(viewer.SegmentList(kModelResults), (std::vector<std::string>{"1", "2"}));
  fs::remove(base_ + ".trn");
  viewer.LoadRuns(base_, platform_);
  EXPECT_TRUE(viewer.SegmentList(kModelResults).empty());
}

// Stopping the read of a run stops the loading: the runs before it stay, it is left out.
TEST_F(OutputViewerTextTest, AStoppedReadStopsTheLoading) {
  class Stopping : public ScriptedPlatform {
   public:
    bool Progress(int done, int total, const std::string& text) override {
      return done >= total || text.find("BASE0.trn") == std::string::npos;
    }
  } stopping;
  const auto big = [&](const std::string& run) { WriteRun(run, 20000, {"A"}, 2, Base); };
  big(base_);
  big(base_ + "0");
  big(base_ + "1");
  OutputViewerText viewer;
  EXPECT_EQ(viewer.LoadRuns(base_, stopping), 1u);
  EXPECT_TRUE(viewer.load_cancelled);
  EXPECT_EQ(viewer.labels, std::vector<std::string>{"Base"});
  EXPECT_EQ(stopping.messages, std::vector<std::string>{});
  EXPECT_EQ(viewer.LoadRuns(base_, platform_), 3u);
  EXPECT_FALSE(viewer.load_cancelled);
}

TEST_F(OutputViewerTextTest, TextTablesForOneAndForSeveralRuns) {
  WriteRun(base_, 2, {"A (mg/L)", "B"}, 2, Base);
  WriteRun(base_ + "0", 2, {"A (mg/L)", "B"}, 2,
           [](int v, int s, int t) { return v == 1 && s == 1 && t == 1 ? 7.25 : Base(v, s, t); });
  WriteRun(base_ + "1", 2, {"A (mg/L)", "B"}, 1, Base);
  OutputViewerText viewer;
  ASSERT_EQ(viewer.LoadRuns(base_, platform_), 3u);

  OutputSelection one{kModelResults, {0}, {0, 1}, {0}};
  orvo::testing::ExpectText(viewer.TableText(one));

  OutputSelection several{kTransportVariables, {0, 1, 2}, {1}, {1}};
  std::string text = "old";
  viewer.BuildText(several, platform_, text);
  orvo::testing::ExpectText(text, "2");
  several.variables.clear();
  EXPECT_EQ(viewer.TableText(several), "");

  EXPECT_EQ(viewer.ShowDifferences({kModelResults, {0, 1}, {1}, {}}, platform_),
            std::vector<int>{1});
  EXPECT_EQ(viewer.ShowDifferences({kModelResults, {0, 1}, {0}, {}}, platform_),
            std::vector<int>{});
  EXPECT_EQ(viewer.ShowDifferences({kModelResults, {}, {0}, {}}, platform_), std::nullopt);
  EXPECT_EQ(platform_.messages.back(), "Please select at least two runs to compare.");
  EXPECT_EQ(viewer.ShowDifferences({kModelResults, {0, 1}, {0, 1}, {}}, platform_), std::nullopt);
  EXPECT_EQ(platform_.messages.back(),
            "Please select a single segment that will be used to generate the list of "
            "variables that will show the differences between the runs.");

  const std::string written = (dir_ / "table.txt").string();
  ASSERT_TRUE(OutputViewerText::WriteText(written, text, platform_));
  std::ifstream in(written, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
  EXPECT_FALSE(OutputViewerText::WriteText((dir_ / "no" / "t.txt").string(), text, platform_));
}

TEST_F(OutputViewerTextTest, MassBalanceRecordKeepsOldTextWhenAFileIsMissing) {
  WriteRun(base_, 1, {"A"}, 1, Base);
  WriteRun(base_ + "0", 1, {"A"}, 1, Base);
  WriteRun(base_ + "1", 1, {"A"}, 1, Base);
  WriteFile(base_ + ".msb", "LINE 1\nLINE 2");
  WriteFile(base_ + "0.msb", "X\r\n");
  OutputViewerText viewer;
  ASSERT_EQ(viewer.LoadRuns(base_, platform_), 3u);
  std::string text;
  viewer.BuildText({kMassBalanceRecord, {0, 1}, {}, {}}, platform_, text);
  EXPECT_EQ(text, "\r\n=================================\r\nMass Balance for " + base_ +
                      ":\r\n\r\nLINE 1\r\nLINE 2\r\n"
                      "\r\n=================================\r\nMass Balance for " +
                      base_ + "0:\r\n\r\nX\r\n");
  const std::string before = text;
  viewer.BuildText({kMassBalanceRecord, {0, 2}, {}, {}}, platform_, text);
  EXPECT_EQ(text, before);
  EXPECT_EQ(platform_.messages.back(),
            "OutputDlg::InitializeSegAndVarList: Unable to open output file " + base_ + ".msb");
}

TEST_F(OutputViewerTextTest, BaseRunModelTextShowsEverySegmentAndVariable) {
  WriteRun(base_, 2, {"A", "B"}, 1, Base);
  WriteRun(base_ + "0", 2, {"A", "B"}, 1, Base);  // numbered runs are not part of it
  std::string text;
  ASSERT_TRUE(BaseRunModelText(base_, platform_, text));
  orvo::testing::ExpectText(text);
  EXPECT_FALSE(BaseRunModelText(base_ + "9", platform_, text));
}

TEST(OutputViewerTextPaths, SelectedOutputFileGivesTheBasePath) {
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/runs/v1.2/River.out"), "/runs/v1.2/River");
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/runs/v1.2/River"), "/runs/v1.2/River");
  // The chosen path keeps its case; the extension counts in either case.
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/Runs/RIVER.OUT"), "/Runs/RIVER");
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/Runs/a.Out.b"), "/Runs/a.Out.b");
  EXPECT_EQ(OutputViewerText::FileTypeOfEntry(1), kTransportVariables);
}

}  // namespace
}  // namespace orvo
