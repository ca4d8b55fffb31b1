#include "results/results_colouring.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"
#include "support/results_run.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

OrvoOutputData ReadRun(const std::string& path) {
  ScriptedPlatform platform;
  OrvoOutputData run(path);
  run.basename = path;
  EXPECT_TRUE(run.ReadInputData(platform));
  EXPECT_TRUE(run.ReadOutputData(platform));
  EXPECT_TRUE(platform.messages.empty());
  return run;
}

TEST(ResultsColouringTest, TwoSegmentsOneTwiceTheOtherTakeTheEndsOfTheScale) {
  testing::ScratchDir dir("orvo_colouring");
  testing::WriteResultsRun(dir / "run", 2, {"TOTAL CHEMICAL {mg/L)"}, {0.0},
                           [](int, int s, int) { return s == 0 ? 1.5 : 3.0; });
  const OrvoOutputData run = ReadRun(dir / "run");
  const ResultsColouring colouring = ColourResults(run, OutputTable::kModel, 0, 0);
  ASSERT_EQ(colouring.segment_count(), 2);
  EXPECT_EQ(colouring.minimum, 1.5);
  EXPECT_EQ(colouring.maximum, 3.0);
  EXPECT_EQ(colouring.units, "mg/L");
  const ColourScale& scale = ColourScale::Viridis();
  EXPECT_EQ(colouring.ColourOf(1), scale.stops().front());
  EXPECT_EQ(colouring.ColourOf(2), scale.stops().back());
  EXPECT_EQ(colouring.ColourOf(3), kNoDataColour);  // no such segment
}

TEST(ResultsColouringTest, RangeOfTheWholeRunOrOfOneStepAndMissingValues) {
  testing::ScratchDir dir("orvo_colouring");
  testing::WriteResultsRun(dir / "run", 2, {"A", "B"}, {0.0, 1.0, 2.0},
                           [](int v, int s, int t) { return v * 100 + s * 10 + t; });
  OrvoOutputData run = ReadRun(dir / "run");
  run.model_variables[0].series[1][2] = NAN;
  run.model_variables[0].series[0].resize(1);  // a series cut short

  const ResultsColouring whole = ColourResults(run, OutputTable::kModel, 0, 2);
  EXPECT_EQ(whole.time, 2.0);
  EXPECT_EQ(whole.minimum, 0);
  EXPECT_EQ(whole.maximum, 11);
  EXPECT_EQ(whole.flags, (std::vector<int>{kMissingValueFlag, kMissingValueFlag}));
  EXPECT_EQ(whole.ColourOf(1), kNoDataColour);

  const ResultsColouring step =
      ColourResults(run, OutputTable::kTransport, 1, 1, RangeScope::kTimeStep);
  EXPECT_EQ(step.values, (std::vector<double>{101, 111}));
  EXPECT_EQ(step.minimum, 101);
  EXPECT_EQ(step.maximum, 111);
  EXPECT_DOUBLE_EQ(step.Fraction(106), 0.5);

  // Nothing readable: no range, every segment without data, nothing beyond the files.
  const ResultsColouring beyond =
      ColourResults(run, OutputTable::kModel, 0, 7, RangeScope::kTimeStep, 99);
  EXPECT_FALSE(beyond.has_range);
  EXPECT_EQ(beyond.segment_count(), 2);
}

TEST(ResultsColouringTest, ScaleInterpolatesAndClamps) {
  const ColourScale scale({{0, 0, 0}, {100, 200, 50}, {200, 0, 250}});
  EXPECT_EQ(scale.At(-1), (Rgb{0, 0, 0}));
  EXPECT_EQ(scale.At(NAN), (Rgb{0, 0, 0}));
  EXPECT_EQ(scale.At(0.25), (Rgb{50, 100, 25}));
  EXPECT_EQ(scale.At(0.5), (Rgb{100, 200, 50}));
  EXPECT_EQ(scale.At(2), (Rgb{200, 0, 250}));
  // A single value is drawn in the middle of the scale.
  ResultsColouring same;
  same.values = {4, 4};
  same.flags = {0, 0};
  same.minimum = same.maximum = 4;
  same.has_range = true;
  EXPECT_EQ(same.ColourOf(1), ColourScale::Viridis().At(0.5));
}

TEST(ResultsColouringTest, VariablesByListedNameAndNearestTimes) {
  OrvoOutputData run;
  run.model_variables = {{"TOTAL CHEMICAL {mg/L)", "mg/L", {}}, {"DO", "", {}}};
  run.transport_variables = {{"FLOW", "", {}}, {"DO", "", {}}};
  const auto exact = FindVariable(run, "TOTAL CHEMICAL {mg/L)");
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->table, OutputTable::kModel);
  EXPECT_EQ(exact->variable, 0);
  const auto folded = FindVariable(run, " flow ");
  ASSERT_TRUE(folded);
  EXPECT_EQ(folded->table, OutputTable::kTransport);
  EXPECT_EQ(FindVariable(run, "DO")->table, OutputTable::kModel);  // the model results come first
  EXPECT_FALSE(FindVariable(run, "TOTAL"));

  const std::vector<double> times = {0, 1.5, 3, 4.5};
  EXPECT_EQ(NearestTimeStep(times, -20), 0);
  EXPECT_EQ(NearestTimeStep(times, 2.2), 1);
  EXPECT_EQ(NearestTimeStep(times, 2.25), 1);  // as near to 1.5 as to 3: the earlier
  EXPECT_EQ(NearestTimeStep(times, 2.3), 2);
  EXPECT_EQ(NearestTimeStep(times, 1e9), 3);
  EXPECT_EQ(NearestTimeStep({}, 5), 0);
}

}  // namespace
}  // namespace orvo
