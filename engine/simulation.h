// Completely mixed segments stepped explicitly in time: upwind advection, dispersive
// exchange, point loads and first-order decay, with the mass balance of every system.
#pragma once

#include <string>
#include <vector>

#include "engine/engine_model.h"

namespace orvo::engine {

// Grams since the start of the run, for one system.
struct MassBalance {
  double initial_mass = 0;
  double advective_in = 0;    // carried in from the outside at boundary concentrations
  double advective_out = 0;   // carried out of the network
  double dispersive_in = 0;   // net exchange with the outside, per step, when inward
  double dispersive_out = 0;  // ... when outward
  double loads = 0;
  double decay = 0;
  double negative_fix = 0;  // added back when NEGSLN 0 lifted a concentration to 0

  double Inputs() const { return advective_in + dispersive_in + loads + negative_fix; }
  double Outputs() const { return advective_out + dispersive_out + decay; }
};

class Simulation {
 public:
  explicit Simulation(const EngineModel& model);

  const EngineModel& model() const { return model_; }
  double elapsed() const { return elapsed_; }
  // mg/L, [segment * NOSYS + system].
  const std::vector<double>& concentrations() const { return c_; }
  double Concentration(int segment, int system) const;
  double Mass(int system) const;  // g
  const MassBalance& balance(int system) const { return balance_[static_cast<size_t>(system)]; }

  // Takes the time functions' values at the current elapsed time. Advance and the
  // transport figures below use the values taken last.
  void UpdateCoefficients();
  // The largest step (days) that keeps every concentration a weighted mean of its
  // neighbours; infinite when nothing moves or decays.
  double StableStep() const;
  // Steps to new_elapsed (days) with the coefficients taken last.
  void Advance(double new_elapsed);

  // Water entering each segment, m^3/s, and the depth and velocity it gives.
  double Inflow(int segment) const { return inflow_[static_cast<size_t>(segment)]; }
  double Depth(int segment) const;
  double Velocity(int segment) const;

 private:
  const EngineModel& model_;
  int ns_ = 0;
  double elapsed_ = 0;
  std::vector<double> c_;
  std::vector<double> rate_;  // g/day, [segment * NOSYS + system]
  std::vector<MassBalance> balance_;
  std::vector<double> active_;  // 1 simulated, 0 bypassed
  std::vector<double> flow_on_, dispersion_on_;
  // Links with both ends inside and those with the outside, each with its current rate
  // (m^3/day: flow signed along from -> to, dispersion never negative).
  std::vector<Link> inner_flows_, outer_flows_, inner_dispersions_, outer_dispersions_;
  std::vector<double> inner_flow_rate_, outer_flow_rate_;
  std::vector<double> inner_dispersion_rate_, outer_dispersion_rate_;
  std::vector<double> flow_now_, dispersion_now_;  // m^3/day per unit factor
  std::vector<double> decayed_, lifted_;           // g per system, one step
  std::vector<double> boundary_now_;               // mg/L per boundary function
  std::vector<double> load_now_;                   // g/day per load function
  std::vector<double> inflow_;                     // m^3/s per segment
  std::vector<double> leaving_;    // 1/day per segment: flow out, exchange, fastest decay
  std::vector<double> max_decay_;  // 1/day per segment, over the simulated systems

  double Boundary(int segment, int system) const;
  // The steps of Advance.
  void AddInnerTransport();
  void AddOuterExchanges(double dt);
  void AddLoads(double dt);
  void ApplyRates(double dt);
};

// What a run hands on at each output time.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // time: the output time in days (start day + elapsed). False stops the run with error set.
  virtual bool Write(const Simulation& simulation, double time, std::string& error) = 0;
  // Asked before every step: true stops the run (the program was asked to end).
  virtual bool StopRequested() const { return false; }
};

// Receives the progress lines of a run (the run log).
using RunLog = std::vector<std::string>;

struct RunOutcome {
  bool ok = false;
  std::string error;
  long long steps = 0;
  int outputs = 0;
};

// The output times of a model in elapsed days: 0, then every print interval up to its
// TPRINT (each TPRINT itself included), continued with the last interval, up to and
// including the end of the step history. False (with error) beyond the output bounds.
bool OutputTimes(const EngineModel& model, std::vector<double>& times, std::string& error);

// Runs the model from its initial conditions to the end of its step history, writing to
// sink (may be null) at every output time. Bounded: a history or a stable step that would
// take more than max_steps steps is refused.
RunOutcome RunSimulation(Simulation& simulation, OutputSink* sink, RunLog* log,
                         long long max_steps = 20'000'000);

}  // namespace orvo::engine
