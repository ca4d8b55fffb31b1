// The physics of the engine on models made in code: steady states, conservation, loads,
// decay, bypassed systems, negative solutions and the step and output schedule.
#include "engine/simulation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvo::engine {
namespace {

TimeFunction Constant(double value) {
  return {{0.0}, {value}};
}

// One segment of volume V fed by a constant flow Q (m^3/s) at a boundary concentration,
// draining to the outside, with a first-order decay rate k (1/day) on system 1.
EngineModel Flushed(double volume, double q, double c_in, double k) {
  EngineModel model = EmptyModel(kFenu5, 1, 2);
  model.volume = {volume};
  model.flow_functions = {Constant(q)};
  model.flows = {{-1, 0, 0, 1.0}, {0, -1, 0, 1.0}};
  model.boundary_functions = {Constant(c_in)};
  model.boundary = {0, 0};
  model.decay = {k, 0.0};
  model.T = {100.0};
  model.PRINT = {10.0};
  model.TPRINT = {100.0};
  return model;
}

TEST(Simulation, FlushedSegmentReachesTheAnalyticSteadyState) {
  for (int intyp : {0, 1}) {
    EngineModel model = Flushed(1e6, 1.0, 5.0, 0.1);
    model.INTYP = intyp;
    model.DTS = {0.1};
    Simulation simulation(model);
    const RunOutcome outcome = RunSimulation(simulation, nullptr, nullptr);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    const double q = 86400.0;  // m^3/day
    const double expected = q * 5.0 / (q + 0.1 * 1e6);
    EXPECT_NEAR(simulation.Concentration(0, 0), expected, expected * 1e-3) << intyp;
    // The conservative system of the same segment reaches the inflow concentration.
    EXPECT_NEAR(simulation.Concentration(0, 1), 5.0, 5.0 * 1e-3);
    EXPECT_EQ(outcome.outputs, 11);
    if (intyp == 0) {
      EXPECT_EQ(outcome.steps, 1000);
    }
  }
}

TEST(Simulation, DispersionEqualisesTwoSegmentsAndConservesMass) {
  EngineModel model = EmptyModel(kVerda5, 2, 1);
  model.volume = {1e5, 3e5};
  model.initial = {10.0, 0.0};
  model.dispersion_functions = {Constant(1.0)};   // m^2/s
  model.dispersions = {{0, 1, 0, 100.0 / 10.0}};  // area 100 m^2 over 10 m
  model.INTYP = 1;
  model.T = {30.0};
  model.PRINT = {30.0};
  model.TPRINT = {30.0};
  Simulation simulation(model);
  const double mass = simulation.Mass(0);
  ASSERT_TRUE(RunSimulation(simulation, nullptr, nullptr).ok);
  EXPECT_NEAR(simulation.Mass(0), mass, mass * 1e-9);
  EXPECT_NEAR(simulation.Concentration(0, 0), 2.5, 1e-6);
  EXPECT_NEAR(simulation.Concentration(1, 0), 2.5, 1e-6);
}

TEST(Simulation, MassBalanceOfAConservativeSystemCloses) {
  // A chain with inflow, outflow, a reversing flow, exchange with the outside and a load.
  EngineModel model = EmptyModel(kFenu5, 3, 1);
  model.volume = {2e5, 5e5, 1e5};
  model.initial = {1.0, 2.0, 3.0};
  model.flow_functions = {{{0.0, 5.0, 10.0}, {4.0, 1.0, 6.0}}, {{0.0, 10.0}, {2.0, -2.0}}};
  model.flows = {{-1, 0, 0, 1.0}, {0, 1, 0, 1.0}, {1, -1, 0, 1.0}, {1, 2, 1, 1.0}};
  model.dispersion_functions = {Constant(0.5)};
  model.dispersions = {{2, -1, 0, 40.0}, {0, 1, 0, 20.0}};
  model.boundary_functions = {{{0.0, 10.0}, {7.0, 1.0}}, Constant(0.5)};
  model.boundary = {0, -1, 1};
  model.load_functions = {Constant(3000.0)};
  model.loads = {{1, 0, 0}};
  model.INTYP = 1;
  model.T = {10.0};
  model.PRINT = {1.0};
  model.TPRINT = {10.0};
  Simulation simulation(model);
  ASSERT_TRUE(RunSimulation(simulation, nullptr, nullptr).ok);
  const MassBalance& b = simulation.balance(0);
  const double change = simulation.Mass(0) - b.initial_mass;
  const double scale = b.initial_mass + b.Inputs() + b.Outputs();
  EXPECT_GT(b.advective_in, 0);
  EXPECT_GT(b.advective_out, 0);
  EXPECT_GT(b.dispersive_in + b.dispersive_out, 0);
  EXPECT_NEAR(b.loads, 30000.0, 1e-6);
  EXPECT_EQ(b.decay, 0.0);
  EXPECT_NEAR(change, b.Inputs() - b.Outputs(), scale * 1e-9);
}

TEST(Simulation, LoadIntoAClosedSegmentAddsLoadTimesTime) {
  EngineModel model = EmptyModel(kFenu5, 1, 1);
  model.volume = {5e4};
  model.initial = {2.0};
  model.load_functions = {Constant(2000.0)};  // g/day
  model.loads = {{0, 0, 0}};
  model.T = {10.0};
  model.DTS = {0.25};
  model.PRINT = {5.0};
  model.TPRINT = {10.0};
  Simulation simulation(model);
  const double before = simulation.Mass(0);
  ASSERT_TRUE(RunSimulation(simulation, nullptr, nullptr).ok);
  EXPECT_NEAR(simulation.Mass(0) - before, 20000.0, 20000.0 * 1e-12);
}

TEST(Simulation, BypassedSystemsKeepTheirValuesAndNegativeSolutionsAreLifted) {
  EngineModel model = EmptyModel(kFenu5, 1, 3);
  model.volume = {1000.0};
  model.initial = {1.0, 1.0, 1.0};
  model.decay = {0.5, 0.5, 0.0};
  model.load_functions = {Constant(-5000.0)};  // a withdrawal larger than the stock
  model.loads = {{0, 2, 0}};
  model.bypassed = {0, 1, 0};
  model.T = {4.0};
  Simulation simulation(model);
  ASSERT_TRUE(RunSimulation(simulation, nullptr, nullptr).ok);
  EXPECT_LT(simulation.Concentration(0, 0), 1.0);
  EXPECT_EQ(simulation.Concentration(0, 1), 1.0);
  EXPECT_EQ(simulation.balance(1).decay, 0.0);
  EXPECT_EQ(simulation.Concentration(0, 2), 0.0);
  const MassBalance& b = simulation.balance(2);
  EXPECT_GT(b.negative_fix, 0.0);
  EXPECT_NEAR(simulation.Mass(2) - b.initial_mass, b.Inputs() - b.Outputs(), 1e-6);

  model.NEGSLN = 1;
  Simulation negative(model);
  ASSERT_TRUE(RunSimulation(negative, nullptr, nullptr).ok);
  EXPECT_LT(negative.Concentration(0, 2), 0.0);
}

TEST(Simulation, UnstableFixedStepIsRefusedAndAbsurdHistoriesAreBounded) {
  EngineModel model = Flushed(1000.0, 1.0, 5.0, 0.0);  // 86.4 volumes a day
  model.DTS = {0.1};
  Simulation unstable(model);
  RunOutcome outcome = RunSimulation(unstable, nullptr, nullptr);
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.error.find("unstable"), std::string::npos) << outcome.error;
  EXPECT_EQ(outcome.steps, 0);

  model.DTS = {1e-9};
  Simulation tiny(model);
  outcome = RunSimulation(tiny, nullptr, nullptr);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.steps, 0);

  model.INTYP = 1;
  model.volume = {1e-6};
  Simulation stiff(model);
  outcome = RunSimulation(stiff, nullptr, nullptr, 1000);
  EXPECT_FALSE(outcome.ok);
  EXPECT_LE(outcome.steps, 1000);
}

TEST(Simulation, OutputTimesFollowThePrintHistoryToTheEnd) {
  EngineModel model = EmptyModel(kFenu5, 1, 1);
  model.T = {2.0, 3.2};
  model.PRINT = {0.5, 1.0};
  model.TPRINT = {1.2, 2.0};
  std::vector<double> times;
  std::string error;
  ASSERT_TRUE(OutputTimes(model, times, error));
  // 0.5 up to TPRINT 1.2 (kept), then 1.0 from there, the last interval going on past its
  // TPRINT to the end of the step history.
  const std::vector<double> expected = {0.0, 0.5, 1.0, 1.2, 2.0, 3.0, 3.2};
  ASSERT_EQ(times.size(), expected.size());
  for (size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], expected[i], 1e-12) << i;

  model.PRINT = {1e-9};
  model.TPRINT = {3.2};
  EXPECT_FALSE(OutputTimes(model, times, error));
  EXPECT_NE(error.find("print intervals"), std::string::npos);
}

}  // namespace
}  // namespace orvo::engine
