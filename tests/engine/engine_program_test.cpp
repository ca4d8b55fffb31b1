// The simulation programs as the editor starts them: "orvo.ctl" in the deck's directory,
// four files written beside the deck, and bad input refused with a message and an exit
// status. The models the engine builds from decks, with their factors and units.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
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
#include "results/orvo_output_data.h"
#include "support/scratch_dir.h"

namespace orvo::engine {
namespace {

namespace fs = std::filesystem;

// A one-segment, one-system deck fed by a flow from the outside and drained to it, ending
// after card G (which gives the segment a TOTKG 1 decay rate).
struct DeckOptions {
  int iqopt = 1;
  int jmass = 1;
  int intyp = 1;
  std::string dts = "       0.1     100.0";
  std::string volume = "  500000.0";
};

std::string OneSegmentDeck(const DeckOptions& o) {
  std::string deck =
      "One segment\n"
      "flushed and decaying\n"
      " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS\n"
      "    1    1    0    1    " +
      std::to_string(o.jmass) + "    0    " + std::to_string(o.intyp) +
      "  0.5   10  6 0    1\n"
      "    1    0    0    0    0    0\n"
      "    1\n" +
      o.dts +
      "\n"
      "    1\n"
      "      10.0     100.0\n"
      "    0\n"
      "    0 no exchanges\n"
      "    1    0       1.0 volumes\n"
      "       2.0       1.0\n"
      "         1         0         1" +
      o.volume + "       2.0       0.5       3.0       0.5\n";
  if (o.iqopt == 3) {
    deck += "    3    1flows.hyd\n";
  } else {
    deck +=
        "    1    1\n"
        "    1       0.5       4.0\t\t(water column field)\n"
        "    2\n"
        "       1.0    0    1       1.0    1    0\n"
        "    1\n"
        "       0.5       0.0\n";
  }
  deck +=
      "    0\n"
      "         1 boundary\n"
      "       2.0       1.0\n"
      "    1    1\n"
      "       2.5       0.0\n"
      "         0 no loads\n"
      "         0\n"
      "         1 parameters\n"
      "TOTKG   16       0.0\n"
      "         1\n"
      "TOTKG   16       0.1\n";
  return deck;
}

bool BuildFromText(const std::string& text, EngineModel& model, std::string& error) {
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
  ASSERT_TRUE(BuildFromText(OneSegmentDeck({}), model, error)) << error;
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

  DeckOptions zero;
  zero.volume = "       0.0";
  EXPECT_FALSE(BuildFromText(OneSegmentDeck(zero), model, error));
  EXPECT_EQ(error,
            "Segment 1 has the volume 0 m^3 (volume x SCALV x CONVV): every segment needs a "
            "positive volume.");
  DeckOptions hydrodynamic;
  hydrodynamic.iqopt = 3;
  EXPECT_FALSE(BuildFromText(OneSegmentDeck(hydrodynamic), model, error));
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

// A scratch directory per test, removed afterwards.
class EngineProgram : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { scratch_.Write(name, text); }
  std::string Read(const std::string& name) { return testing::ReadFile(dir_ / name); }
  bool Exists(const std::string& name) { return fs::exists(dir_ / name); }

  // Starts the program with the scratch directory as its working directory; its exit
  // status, or -1 when it did not end normally.
  int Run(const std::string& program) {
    const std::string path = std::string(ORVO_BIN_DIR) + "/" + program;
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(dir_.c_str()) != 0) _exit(126);
      char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
      execv(path.c_str(), argv);
      _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  void CopyExample(const std::string& relative) {
    const fs::path source = fs::path(ORVO_SOURCE_DIR) / relative;
    fs::copy_file(source, dir_ / source.filename());
  }

  testing::ScratchDir scratch_{"orvo_engine"};
  const fs::path& dir_ = scratch_.path();
};

TEST_F(EngineProgram, RiverExampleWritesFourFilesThatReadBack) {
  CopyExample("examples/fenu5_river/river.inp");
  Write("orvo.ctl", "C:\\MODELS\\\r\nriver.inp\r\n");
  ASSERT_EQ(Run("fenu5"), 0) << Read("river.out");
  for (const char* name : {"river.out", "river.trn", "river.fdf", "river.msb"}) {
    EXPECT_TRUE(Exists(name)) << name;
  }
  EXPECT_FALSE(Exists("river.trn.part"));
  EXPECT_NE(Read("river.out").find("The run ended normally."), std::string::npos);
  EXPECT_EQ(Read("river.msb").rfind("Mass balance of system 1, Chemical 1\n", 0), 0u);

  ScriptedPlatform platform;
  OrvoOutputData data((dir_ / "river").string());
  ASSERT_TRUE(data.ReadInputData(platform));
  ASSERT_TRUE(data.ReadOutputData(platform)) << ::testing::PrintToString(platform.messages);
  EXPECT_EQ(data.simulation_type, 0);
  EXPECT_EQ(data.number_of_segments, 12);
  ASSERT_EQ(data.GetNumVariables(OutputTable::kTransport), 4);
  EXPECT_EQ(data.GetName(OutputTable::kTransport, 1), "Total inflow {m^3/s)");
  EXPECT_EQ(data.GetUnits(OutputTable::kTransport, 0), "m^3");
  ASSERT_EQ(data.GetNumVariables(OutputTable::kModel), 6);
  EXPECT_EQ(data.GetName(OutputTable::kModel, 5), "Chemical 3 {mg/L)");
  EXPECT_EQ(data.GetUnits(OutputTable::kModel, 5), "mg/L");
  // Every 0.5 day to day 10, then daily to day 30, from day 121.
  ASSERT_EQ(data.GetNumTimeSteps(OutputTable::kTransport), 41);
  ASSERT_EQ(data.GetNumTimeSteps(OutputTable::kModel), 41);
  EXPECT_EQ(data.GetTime(OutputTable::kModel, 0), 121.0);
  EXPECT_EQ(data.GetTime(OutputTable::kModel, 20), 131.0);
  EXPECT_EQ(data.GetTime(OutputTable::kTransport, 40), 151.0);
  double value = 0;
  ASSERT_TRUE(data.GetValue(OutputTable::kTransport, 0, 0, 40, value));
  EXPECT_EQ(value, 171000.0);
  ASSERT_TRUE(
      data.GetValue(OutputTable::kModel, 1, 8, 0, value));  // sand in bed segment 9 at the start
  EXPECT_EQ(value, 640000.0);
  ASSERT_TRUE(
      data.GetValue(OutputTable::kModel, 4, 3, 40, value));  // bypassed chemical 2 stays at 0
  EXPECT_EQ(value, 0.0);
  ASSERT_TRUE(
      data.GetValue(OutputTable::kTransport, 1, 0, 0, value));  // 35 m^3/s into reach 1 on day 0
  EXPECT_EQ(value, 35.0);
}

TEST_F(EngineProgram, PrintsOneProgressLinePerOutputTimeAndStopsOnRequest) {
  CopyExample("examples/fenu5_river/river.inp");
  Write("orvo.ctl", "/opt/orvo/\nriver.inp\n");
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
    EXPECT_FALSE(Exists(name)) << name;
  }
}

TEST_F(EngineProgram, LakeExampleReadsBackAsVerdaResults) {
  CopyExample("examples/verda5_lake/lake.inp");
  Write("orvo.ctl", "/opt/orvo/\nlake.inp");
  ASSERT_EQ(Run("verda5"), 0) << Read("lake.out");
  ScriptedPlatform platform;
  OrvoOutputData data((dir_ / "lake.inp").string());
  ASSERT_TRUE(data.ReadInputData(platform));
  ASSERT_TRUE(data.ReadOutputData(platform)) << ::testing::PrintToString(platform.messages);
  EXPECT_EQ(data.simulation_type, 1);
  ASSERT_EQ(data.GetNumVariables(OutputTable::kModel), 8);
  std::vector<std::string> names;
  for (int v = 0; v < 8; ++v) names.push_back(data.GetName(OutputTable::kModel, v));
  EXPECT_EQ(names,
            (std::vector<std::string>{"NH3 {mg/L)", "NO3 {mg/L)", "PO4 {mg/L)", "CHL {mg/L)",
                                      "CBOD {mg/L)", "DO {mg/L)", "ON {mg/L)", "OP {mg/L)"}));
  EXPECT_EQ(data.GetNumTimeSteps(OutputTable::kModel), 93);
  EXPECT_EQ(data.GetTime(OutputTable::kModel, 92), 244.0);
  EXPECT_EQ(data.model_variables[0].series.size(), 6u);
  EXPECT_EQ(Read("lake.msb").rfind("Mass balance of system 6, DO\n", 0), 0u);
}

TEST_F(EngineProgram, BadInputFailsWithAMessageAndNoResults) {
  // No control file at all.
  EXPECT_EQ(Run("fenu5"), kNoControlFile);

  // A deck that does not exist: the log says so.
  Write("orvo.ctl", "/opt/orvo/\nmissing.inp\n");
  EXPECT_EQ(Run("fenu5"), kRunFailed);
  EXPECT_NE(Read("missing.out").find("cannot be read"), std::string::npos);

  // Flows from a hydrodynamic file, an unstable fixed step, a zero volume.
  DeckOptions hydrodynamic;
  hydrodynamic.iqopt = 3;
  DeckOptions unstable;
  unstable.intyp = 0;
  unstable.dts = "      10.0     100.0";
  DeckOptions zero;
  zero.volume = "       0.0";
  const std::pair<DeckOptions, const char*> cases[] = {
      {hydrodynamic, "Error: Flow option 3"},
      {unstable, "Error: The time step 10 day is unstable at day 10.25"},
      {zero, "Error: Segment 1 has the volume 0 m^3"}};
  for (const auto& [options, message] : cases) {
    // Results of an earlier run must not survive a failed one.
    Write("one.fdf", "stale");
    Write("one.inp", OneSegmentDeck(options));
    Write("orvo.ctl", "/opt/orvo/\none.inp\n");
    EXPECT_EQ(Run("fenu5"), kRunFailed) << message;
    EXPECT_NE(Read("one.out").find(message), std::string::npos) << Read("one.out");
    for (const char* name : {"one.trn", "one.fdf", "one.msb", "one.trn.part", "one.fdf.part"}) {
      EXPECT_FALSE(Exists(name)) << name << " after " << message;
    }
  }
}

TEST_F(EngineProgram, KobalRunNeverWritesOverAnExtensionlessDeck) {
  const std::string deck = OneSegmentDeck({});
  Write("run3", deck);
  Write("orvo.ctl", "/opt/orvo/\nrun3\n");
  EXPECT_EQ(Run("koba4_ids"), kRunFailed);
  EXPECT_EQ(Read("run3"), deck);
  EXPECT_NE(Read("run3.out").find("would replace the deck itself"), std::string::npos);

  // With an extension the KOBAL5 results go to the name without one; JMASS 0 is said.
  DeckOptions no_balance;
  no_balance.jmass = 0;
  Write("run4.inp", OneSegmentDeck(no_balance));
  Write("orvo.ctl", "/opt/orvo/\nrun4.inp\n");
  EXPECT_EQ(Run("koba4_ids"), kRunOk) << Read("run4.out");
  EXPECT_TRUE(Exists("run4"));
  EXPECT_EQ(Read("run4.msb"), "No system was chosen for the mass balance (JMASS 0).\n");
}

}  // namespace
}  // namespace orvo::engine
