// The simulation engine on a synthetic river: N segments in a chain, each joined to the next
// by an advective flow and by a dispersive exchange (2N exchanges), 8 systems with decay on
// half of them, a boundary inflow and a load. Reports segment-system updates per second and
// the rate at which the output files are produced.
#include <benchmark/benchmark.h>

#include "engine/output_files.h"
#include "engine/simulation.h"

namespace orvo::engine {
namespace {

EngineModel SyntheticRiver(int segments, int steps) {
  constexpr int kSystems = 8;
  EngineModel model = EmptyModel(kVerda5, segments, kSystems);
  model.volume.assign(static_cast<size_t>(segments), 1e6);
  model.flow_functions = {{{0.0, 50.0, 100.0}, {10.0, 14.0, 8.0}}};
  model.dispersion_functions = {{{0.0, 100.0}, {5.0, 8.0}}};
  model.flows.push_back({-1, 0, 0, 1.0});
  for (int i = 0; i + 1 < segments; ++i) {
    model.flows.push_back({i, i + 1, 0, 1.0});
    model.dispersions.push_back({i, i + 1, 0, 200.0 / 1000.0});
  }
  model.flows.push_back({segments - 1, -1, 0, 1.0});
  model.dispersions.push_back({segments - 1, -1, 0, 200.0 / 1000.0});
  model.boundary_functions = {{{0.0}, {3.0}}};
  for (int s = 0; s < kSystems; ++s) {
    model.boundary[static_cast<size_t>(s)] = 0;
    model.load_functions.push_back({{0.0}, {1000.0 * (s + 1)}});
    model.loads.push_back({segments / 2, s, s});
  }
  for (size_t k = 0; k < model.decay.size(); k += 2) model.decay[k] = 0.05;
  model.INTYP = 0;
  model.T = {100.0};
  model.DTS = {100.0 / steps};
  model.PRINT = {100.0};
  model.TPRINT = {100.0};
  return model;
}

void BM_EngineSteps(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  const int steps = static_cast<int>(state.range(1));
  const EngineModel model = SyntheticRiver(segments, steps);
  for (auto _ : state) {
    Simulation simulation(model);
    const RunOutcome outcome = RunSimulation(simulation, nullptr, nullptr);
    if (!outcome.ok) state.SkipWithError(outcome.error.c_str());
    benchmark::DoNotOptimize(simulation.concentrations().data());
  }
  const double updates = static_cast<double>(segments) * model.NOSYS * steps;
  state.counters["updates_per_s"] =
      benchmark::Counter(updates, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EngineSteps)
    ->Args({1000, 10000})
    ->Args({2000, 10000})
    ->Args({1000, 20000})
    ->Unit(benchmark::kMillisecond);

// One output time of all segments into the ".trn", model and ".msb" texts.
void BM_EngineOutput(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  EngineModel model = SyntheticRiver(segments, 100);
  model.JMASS = 1;
  const Simulation simulation(model);
  RunFiles files(model, "verda5", 1);
  size_t bytes = 0;
  for (auto _ : state) {
    std::string error;
    files.Write(simulation, 1.0, error);
    bytes += files.TakeTransport().size() + files.TakeModel().size() + files.TakeBalance().size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(segments) * 2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EngineOutput)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvo::engine
