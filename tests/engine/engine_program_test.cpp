// The models the engine builds from decks, with their factors and units; the control file; the
// progress and stop hooks of a run. The programs themselves are run by the scripts under
// tests/data/engine/scripts/ (engine_scripts_test.cpp).
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "deck/deck_reader.h"
#include "engine/engine_model.h"
#include "engine/program.h"
#include "engine/simulation.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/golden.h"

namespace orvo::engine {
namespace {

namespace fs = std::filesystem;

// A one-segment, one-system deck of tests/data/engine/files/ fed by a flow from the outside and
// drained to it, ending after card G (which gives the segment a TOTKG 1 decay rate).
bool BuildFromDeck(const std::string& name, EngineModel& model, std::string& error) {
  const std::string text = testing::ReadFile(testing::DataPath("engine/files/" + name + ".inp"));
  ScriptedPlatform platform;
  const OrvoClass reader(std::string_view(text), "", platform);
  if (reader.record() == nullptr) {
    error = "unreadable";
    return false;
  }
  std::vector<std::string> warnings;
  return BuildModel(*reader.record(), kFenu5, model, warnings, error);
}

TEST(EngineModel, DeckFactorsAndUnitsReachTheSimulation) {
  EngineModel model;
  std::string error;
  ASSERT_TRUE(BuildFromDeck("one_segment", model, error)) << error;
  EXPECT_EQ(model.volume, std::vector<double>{1e6});    // VOLUME x SCALV x CONVV
  EXPECT_EQ(model.flow_functions[0].At(50.0), 1.0);     // 0.5 x SCALQ 0.5 x CONVQ 4
  EXPECT_EQ(model.boundary_functions[0].At(0.0), 5.0);  // 2.5 x SCALB 2
  EXPECT_EQ(model.decay, std::vector<double>{0.1});     // TOTKG 1
  EXPECT_DOUBLE_EQ(model.start_day, 10.25);             // day 10, 6 hours
  EXPECT_EQ(model.INTYP, 1);
  EXPECT_EQ(model.system_names, std::vector<std::string>{"Chemical 1"});

  // The steady state of the deck as written: C = Q Cin / (Q + k V).
  Simulation simulation(model);
  ASSERT_TRUE(RunSimulation(simulation, nullptr, nullptr).ok);
  const double expected = 86400.0 * 5.0 / (86400.0 + 0.1 * 1e6);
  EXPECT_NEAR(simulation.Concentration(0, 0), expected, expected * 1e-3);
  EXPECT_NEAR(simulation.Depth(0), 3.0, 1e-12);
  EXPECT_NEAR(simulation.Velocity(0), 2.0, 1e-12);

  EXPECT_FALSE(BuildFromDeck("one_segment_zero_volume", model, error));
  EXPECT_EQ(error,
            "Segment 1 has the volume 0 m^3 (volume x SCALV x CONVV): every segment needs a "
            "positive volume.");
  EXPECT_FALSE(BuildFromDeck("one_segment_hydrodynamic_flows", model, error));
  EXPECT_NE(error.find("Flow option 3"), std::string::npos);
  DeckRecord empty;
  empty.a.NOSYS = 6;
  std::vector<std::string> warnings;
  EXPECT_FALSE(BuildModel(empty, kFenu5, model, warnings, error));
  EXPECT_EQ(error, "The network has no segments (NOSEG 0).");
}

TEST(EngineModel, ControlFileTakesEitherLineEndAndRefusesAbsurdLines) {
  const fs::path path = fs::temp_directory_path() / ("orvo_ctl_" + std::to_string(getpid()));
  ControlFile control;
  std::string error;
  std::ofstream(path, std::ios::binary) << "C:\\ORVO\\\r\nRIVER.INP  \r\n";
  ASSERT_TRUE(ReadControlFile(path, control, error)) << error;
  EXPECT_EQ(control.installation_directory, "C:\\ORVO\\");
  EXPECT_EQ(control.deck, "RIVER.INP");
  std::ofstream(path, std::ios::binary) << "/opt/orvo/\n" << std::string(10000, 'x');
  EXPECT_FALSE(ReadControlFile(path, control, error));
  std::ofstream(path, std::ios::binary) << "/opt/orvo/\n";
  EXPECT_FALSE(ReadControlFile(path, control, error));
  EXPECT_NE(error.find("line 2 does not name a deck"), std::string::npos);
  fs::remove(path);
}

class EngineProgram : public ::testing::Test {
 protected:
  std::string Read(const std::string& name) { return testing::ReadFile(dir_ / name); }
  testing::ScratchDir scratch_{"orvo_engine"};
  const fs::path& dir_ = scratch_.path();
};

TEST_F(EngineProgram, PrintsOneProgressLinePerOutputTimeAndStopsOnRequest) {
  fs::copy_file(fs::path(ORVO_SOURCE_DIR) / "examples/fenu5_river/river.inp", dir_ / "river.inp");
  scratch_.Write("orvo.ctl", "/opt/orvo/\nriver.inp\n");
  std::ostringstream progress, err;
  RunHooks hooks;
  hooks.progress = &progress;
  ASSERT_EQ(RunEngine(kFenu5, dir_, err, hooks), kRunOk) << err.str();
  std::vector<std::string> lines;
  std::istringstream in(progress.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  // Every 0.5 day to day 10, then daily to day 30: days since the start, not model days.
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[0], "t = 0 of 30");
  EXPECT_EQ(lines[1], "t = 0.5 of 30");
  EXPECT_EQ(lines[40], "t = 30 of 30");

  // Asked to end: stopped before its first step, nothing but the log left behind.
  const volatile std::sig_atomic_t stop = 1;
  hooks.stop = &stop;
  EXPECT_EQ(RunEngine(kFenu5, dir_, err, hooks), kRunFailed);
  EXPECT_NE(Read("river.out").find("Error: The run was stopped on request at day 121."),
            std::string::npos)
      << Read("river.out");
  for (const char* name : {"river.trn", "river.fdf", "river.msb", "river.trn.part",
                           "river.fdf.part", "river.msb.part"}) {
    EXPECT_FALSE(fs::exists(dir_ / name)) << name;
  }
}

}  // namespace
}  // namespace orvo::engine
