#include "engine/simulation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/number_text.h"

namespace orvo::engine {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// More output than this is not a run anyone can read back.
constexpr size_t kMaxOutputTimes = 1'000'000;
constexpr double kMaxOutputRecords = 50'000'000.0;
constexpr int kMaxLoggedOutputs = 10'000;

size_t Cell(int segment, int systems, int system) {
  return static_cast<size_t>(segment) * static_cast<size_t>(systems) + static_cast<size_t>(system);
}

}  // namespace

Simulation::Simulation(const EngineModel& model) : model_(model), ns_(model.NOSYS) {
  const size_t n = static_cast<size_t>(model.NOSEG);
  const size_t ns = static_cast<size_t>(ns_);
  c_ = model.initial;
  c_.resize(n * ns, 0.0);
  rate_.assign(n * ns, 0.0);
  balance_.assign(ns, MassBalance{});
  active_.assign(ns, 1.0);
  flow_on_.assign(ns, 1.0);
  dispersion_on_.assign(ns, 1.0);
  for (size_t s = 0; s < ns; ++s) {
    if (s < model.bypassed.size() && model.bypassed[s]) active_[s] = 0.0;
    if (s < model.flow_bypassed.size() && model.flow_bypassed[s]) flow_on_[s] = 0.0;
    if (s < model.dispersion_bypassed.size() && model.dispersion_bypassed[s]) {
      dispersion_on_[s] = 0.0;
    }
  }
  // Links with the outside are turned so that `to` is the segment inside and the factor
  // counts inward.
  const auto split = [](const std::vector<Link>& links, std::vector<Link>& inner,
                        std::vector<Link>& outer) {
    for (Link link : links) {
      if (link.from >= 0 && link.to >= 0) {
        inner.push_back(link);
      } else if (link.from < 0) {
        outer.push_back(link);
      } else {
        outer.push_back({-1, link.from, link.function, -link.factor});
      }
    }
  };
  split(model.flows, inner_flows_, outer_flows_);
  split(model.dispersions, inner_dispersions_, outer_dispersions_);
  for (Link& link : outer_dispersions_) link.factor = std::abs(link.factor);
  inner_flow_rate_.assign(inner_flows_.size(), 0.0);
  outer_flow_rate_.assign(outer_flows_.size(), 0.0);
  inner_dispersion_rate_.assign(inner_dispersions_.size(), 0.0);
  outer_dispersion_rate_.assign(outer_dispersions_.size(), 0.0);
  boundary_now_.assign(model.boundary_functions.size(), 0.0);
  load_now_.assign(model.load_functions.size(), 0.0);
  flow_now_.assign(model.flow_functions.size(), 0.0);
  dispersion_now_.assign(model.dispersion_functions.size(), 0.0);
  decayed_.assign(ns, 0.0);
  lifted_.assign(ns, 0.0);
  inflow_.assign(n, 0.0);
  leaving_.assign(n, 0.0);
  max_decay_.assign(n, 0.0);
  for (int i = 0; i < model.NOSEG; ++i) {
    for (int s = 0; s < ns_; ++s) {
      const size_t k = Cell(i, ns_, s);
      if (active_[static_cast<size_t>(s)] > 0 && k < model.decay.size()) {
        max_decay_[static_cast<size_t>(i)] =
            std::max(max_decay_[static_cast<size_t>(i)], model.decay[k]);
      }
    }
  }
  for (int s = 0; s < ns_; ++s) balance_[static_cast<size_t>(s)].initial_mass = Mass(s);
  UpdateCoefficients();
}

double Simulation::Concentration(int segment, int system) const {
  return c_[Cell(segment, ns_, system)];
}

double Simulation::Mass(int system) const {
  double mass = 0;
  for (int i = 0; i < model_.NOSEG; ++i) {
    mass += model_.volume[static_cast<size_t>(i)] * c_[Cell(i, ns_, system)];
  }
  return mass;
}

double Simulation::Boundary(int segment, int system) const {
  const int function = model_.boundary[Cell(segment, ns_, system)];
  return function < 0 ? 0.0 : boundary_now_[static_cast<size_t>(function)];
}

double Simulation::Depth(int segment) const {
  const size_t i = static_cast<size_t>(segment);
  return model_.DMULT[i] * std::pow(inflow_[i], model_.DXP[i]);
}

double Simulation::Velocity(int segment) const {
  const size_t i = static_cast<size_t>(segment);
  return model_.VMULT[i] * std::pow(inflow_[i], model_.VEXP[i]);
}

void Simulation::UpdateCoefficients() {
  const double t = elapsed_;
  std::fill(inflow_.begin(), inflow_.end(), 0.0);
  std::fill(leaving_.begin(), leaving_.end(), 0.0);
  std::vector<double>& flow = flow_now_;
  for (size_t f = 0; f < flow.size(); ++f) {
    flow[f] = model_.flow_functions[f].At(t) * kSecondsPerDay;
  }
  std::vector<double>& dispersion = dispersion_now_;
  for (size_t f = 0; f < dispersion.size(); ++f) {
    dispersion[f] = std::max(0.0, model_.dispersion_functions[f].At(t)) * kSecondsPerDay;
  }
  for (size_t l = 0; l < inner_flows_.size(); ++l) {
    const Link& link = inner_flows_[l];
    const double q = link.factor * flow[static_cast<size_t>(link.function)];
    inner_flow_rate_[l] = q;
    const size_t up = static_cast<size_t>(q >= 0 ? link.from : link.to);
    const size_t down = static_cast<size_t>(q >= 0 ? link.to : link.from);
    inflow_[down] += std::abs(q);
    leaving_[up] += std::abs(q);
  }
  for (size_t l = 0; l < outer_flows_.size(); ++l) {
    const Link& link = outer_flows_[l];
    const double q = link.factor * flow[static_cast<size_t>(link.function)];
    outer_flow_rate_[l] = q;
    const size_t inside = static_cast<size_t>(link.to);
    if (q >= 0) {
      inflow_[inside] += q;
    } else {
      leaving_[inside] -= q;
    }
  }
  for (size_t l = 0; l < inner_dispersions_.size(); ++l) {
    const Link& link = inner_dispersions_[l];
    const double e = link.factor * dispersion[static_cast<size_t>(link.function)];
    inner_dispersion_rate_[l] = e;
    leaving_[static_cast<size_t>(link.from)] += e;
    leaving_[static_cast<size_t>(link.to)] += e;
  }
  for (size_t l = 0; l < outer_dispersions_.size(); ++l) {
    const Link& link = outer_dispersions_[l];
    const double e = link.factor * dispersion[static_cast<size_t>(link.function)];
    outer_dispersion_rate_[l] = e;
    leaving_[static_cast<size_t>(link.to)] += e;
  }
  for (size_t i = 0; i < inflow_.size(); ++i) {
    inflow_[i] /= kSecondsPerDay;
    leaving_[i] = leaving_[i] / model_.volume[i] + max_decay_[i];
  }
  for (size_t f = 0; f < boundary_now_.size(); ++f) {
    boundary_now_[f] = model_.boundary_functions[f].At(t);
  }
  for (size_t f = 0; f < load_now_.size(); ++f) load_now_[f] = model_.load_functions[f].At(t);
}

double Simulation::StableStep() const {
  double fastest = 0;
  for (double rate : leaving_) fastest = std::max(fastest, rate);
  return fastest > 0 ? 1.0 / fastest : std::numeric_limits<double>::infinity();
}

void Simulation::Advance(double new_elapsed) {
  const double dt = new_elapsed - elapsed_;
  std::fill(rate_.begin(), rate_.end(), 0.0);
  AddInnerTransport();
  AddOuterExchanges(dt);
  AddLoads(dt);
  ApplyRates(dt);
  elapsed_ = new_elapsed;
}

// Flows and dispersion between two segments move mass within the network.
void Simulation::AddInnerTransport() {
  const int ns = ns_;
  const double* flow_on = flow_on_.data();
  const double* dispersion_on = dispersion_on_.data();
  const double* c = c_.data();
  double* rate = rate_.data();
  for (size_t l = 0; l < inner_flows_.size(); ++l) {
    const Link& link = inner_flows_[l];
    double q = inner_flow_rate_[l];
    int up = link.from;
    int down = link.to;
    if (q < 0) {
      q = -q;
      std::swap(up, down);
    }
    const double* cu = c + Cell(up, ns, 0);
    double* ru = rate + Cell(up, ns, 0);
    double* rd = rate + Cell(down, ns, 0);
    for (int s = 0; s < ns; ++s) {
      const double f = q * cu[s] * flow_on[s];
      ru[s] -= f;
      rd[s] += f;
    }
  }
  for (size_t l = 0; l < inner_dispersions_.size(); ++l) {
    const Link& link = inner_dispersions_[l];
    const double e = inner_dispersion_rate_[l];
    const double* ca = c + Cell(link.from, ns, 0);
    const double* cb = c + Cell(link.to, ns, 0);
    double* ra = rate + Cell(link.from, ns, 0);
    double* rb = rate + Cell(link.to, ns, 0);
    for (int s = 0; s < ns; ++s) {
      const double f = e * (ca[s] - cb[s]) * dispersion_on[s];
      ra[s] -= f;
      rb[s] += f;
    }
  }
}

// Exchanges with the outside: the only transport that changes the network's mass.
void Simulation::AddOuterExchanges(double dt) {
  const int ns = ns_;
  const double* flow_on = flow_on_.data();
  const double* dispersion_on = dispersion_on_.data();
  const double* active = active_.data();
  const double* c = c_.data();
  double* rate = rate_.data();
  for (size_t l = 0; l < outer_flows_.size(); ++l) {
    const int inside = outer_flows_[l].to;
    const double q = outer_flow_rate_[l];
    for (int s = 0; s < ns; ++s) {
      MassBalance& balance = balance_[static_cast<size_t>(s)];
      const size_t k = Cell(inside, ns, s);
      if (q >= 0) {
        const double f = q * Boundary(inside, s) * flow_on[s];
        rate[k] += f;
        balance.advective_in += f * dt * active[s];
      } else {
        const double f = -q * c[k] * flow_on[s];
        rate[k] -= f;
        balance.advective_out += f * dt * active[s];
      }
    }
  }
  for (size_t l = 0; l < outer_dispersions_.size(); ++l) {
    const int inside = outer_dispersions_[l].to;
    const double e = outer_dispersion_rate_[l];
    for (int s = 0; s < ns; ++s) {
      MassBalance& balance = balance_[static_cast<size_t>(s)];
      const size_t k = Cell(inside, ns, s);
      const double f = e * (Boundary(inside, s) - c[k]) * dispersion_on[s];
      rate[k] += f;
      if (f >= 0) {
        balance.dispersive_in += f * dt * active[s];
      } else {
        balance.dispersive_out -= f * dt * active[s];
      }
    }
  }
}

void Simulation::AddLoads(double dt) {
  for (const Load& load : model_.loads) {
    const double w = load_now_[static_cast<size_t>(load.function)];
    rate_[Cell(load.segment, ns_, load.system)] += w;
    balance_[static_cast<size_t>(load.system)].loads +=
        w * dt * active_[static_cast<size_t>(load.system)];
  }
}

// Mass rates become concentrations over the step, first-order decay comes off, and a
// negative concentration is lifted to 0 unless the model allows negative solutions.
void Simulation::ApplyRates(double dt) {
  const int ns = ns_;
  const double* active = active_.data();
  const double* rate = rate_.data();
  double* c = c_.data();
  std::fill(decayed_.begin(), decayed_.end(), 0.0);
  std::fill(lifted_.begin(), lifted_.end(), 0.0);
  double* decayed = decayed_.data();
  double* lifted = lifted_.data();
  const bool keep_positive = model_.NEGSLN == 0;
  const double* decay = model_.decay.data();
  for (int i = 0; i < model_.NOSEG; ++i) {
    const double volume = model_.volume[static_cast<size_t>(i)];
    const double step_per_volume = dt / volume;
    const size_t base = Cell(i, ns, 0);
    for (int s = 0; s < ns; ++s) {
      const size_t k = base + static_cast<size_t>(s);
      const double lost = decay[k] * c[k] * dt;  // mg/L over the step
      decayed[s] += lost * volume * active[s];
      c[k] += active[s] * (rate[k] * step_per_volume - lost);
    }
    if (keep_positive) {
      for (int s = 0; s < ns; ++s) {
        const size_t k = base + static_cast<size_t>(s);
        if (c[k] < 0) {
          lifted[s] -= c[k] * volume;
          c[k] = 0;
        }
      }
    }
  }
  for (int s = 0; s < ns; ++s) {
    balance_[static_cast<size_t>(s)].decay += decayed[s];
    balance_[static_cast<size_t>(s)].negative_fix += lifted[s];
  }
}

bool OutputTimes(const EngineModel& model, std::vector<double>& times, std::string& error) {
  times.assign(1, 0.0);
  const double end = model.EndTime();
  const double tolerance = 1e-9 * std::max(1.0, end);
  const auto push = [&](double time) {
    times.push_back(time);
    if (times.size() > kMaxOutputTimes ||
        static_cast<double>(times.size()) * model.NOSEG > kMaxOutputRecords) {
      error = "The print intervals ask for more output than this engine writes (" +
              IntText(static_cast<long long>(kMaxOutputTimes)) + " times, " +
              IntText(static_cast<long long>(kMaxOutputRecords)) +
              " segment records): choose longer print intervals.";
      return false;
    }
    return true;
  };
  if (model.PRINT.empty()) return end <= tolerance || push(end);
  size_t interval = 0;
  double base = 0;  // where the current interval began, so that times stay multiples
  long long count = 0;
  double t = 0;
  while (t < end - tolerance) {
    while (interval + 1 < model.PRINT.size() && t >= model.TPRINT[interval] - tolerance) {
      ++interval;
      base = t;
      count = 0;
    }
    const double bound = t < model.TPRINT[interval] - tolerance
                             ? model.TPRINT[interval]
                             : std::numeric_limits<double>::infinity();
    double next = base + static_cast<double>(count + 1) * model.PRINT[interval];
    ++count;
    if (next >= bound - tolerance) {
      // Counting starts again at every TPRINT reached.
      next = bound;
      base = bound;
      count = 0;
    }
    if (next >= end - tolerance) next = end;
    if (!push(next)) return false;
    t = next;
  }
  return true;
}

RunOutcome RunSimulation(Simulation& simulation, OutputSink* sink, RunLog* log,
                         long long max_steps) {
  const EngineModel& model = simulation.model();
  RunOutcome outcome;
  std::vector<double> times;
  if (!OutputTimes(model, times, outcome.error)) return outcome;
  const double end = model.EndTime();
  const double tolerance = 1e-9 * std::max(1.0, end);
  const auto note = [log](std::string line) {
    if (log != nullptr) log->push_back(std::move(line));
  };

  if (model.INTYP == 0) {
    // Counted before the run, so that an absurd history is refused at once.
    double steps = static_cast<double>(times.size());
    double from = 0;
    for (size_t i = 0; i < model.T.size(); ++i) {
      steps += std::ceil((model.T[i] - from) / model.DTS[i]);
      from = model.T[i];
    }
    if (steps > static_cast<double>(max_steps)) {
      outcome.error = "The time-step history needs about " + RealText(steps) +
                      " steps, more than the " + IntText(max_steps) +
                      " this engine takes: choose larger steps.";
      return outcome;
    }
  }

  const auto output = [&](double elapsed) {
    for (double value : simulation.concentrations()) {
      if (!std::isfinite(value)) {
        outcome.error =
            "The solution is no longer finite at day " + RealText(model.start_day + elapsed) + ".";
        return false;
      }
    }
    simulation.UpdateCoefficients();
    if (sink != nullptr && !sink->Write(simulation, model.start_day + elapsed, outcome.error)) {
      return false;
    }
    ++outcome.outputs;
    // The log stays readable (and small) however many output times there are.
    if (outcome.outputs <= kMaxLoggedOutputs) {
      note("Output at day " + RealText(model.start_day + elapsed) + " after " +
           IntText(outcome.steps) + " time steps.");
    } else if (outcome.outputs == kMaxLoggedOutputs + 1) {
      note("Further output times are not listed.");
    }
    return true;
  };

  if (!output(0.0)) return outcome;
  size_t history = 0;
  for (size_t k = 1; k < times.size(); ++k) {
    const double target = times[k];
    while (simulation.elapsed() < target) {
      simulation.UpdateCoefficients();
      const double t = simulation.elapsed();
      while (history + 1 < model.T.size() && t >= model.T[history] - tolerance) ++history;
      double next = 0;
      const double stable = simulation.StableStep();
      if (model.INTYP == 0) {
        next = std::min(t + model.DTS[history], model.T[history]);
      } else {
        next = std::isinf(stable) ? target : t + 0.9 * stable;
        const double remaining = (end - t) / (next - t);
        if (remaining > static_cast<double>(max_steps - outcome.steps)) {
          outcome.error = "The stable time step at day " + RealText(model.start_day + t) + " is " +
                          RealText(0.9 * stable) + " day: the run would take more than " +
                          IntText(max_steps) + " steps.";
          return outcome;
        }
      }
      if (next >= target - tolerance) next = target;
      if (model.INTYP == 0 && next - t > stable * (1 + 1e-9)) {
        outcome.error = "The time step " + RealText(next - t) + " day is unstable at day " +
                        RealText(model.start_day + t) + ": the network needs steps of at most " +
                        RealText(stable) +
                        " day here. Choose smaller steps or let the engine choose (INTYP 1).";
        return outcome;
      }
      if (!(next > t)) {
        outcome.error = "The time step at day " + RealText(model.start_day + t) +
                        " is too small to advance the time.";
        return outcome;
      }
      if (sink != nullptr && sink->StopRequested()) {
        outcome.error =
            "The run was stopped on request at day " + RealText(model.start_day + t) + ".";
        return outcome;
      }
      simulation.Advance(next);
      if (++outcome.steps > max_steps) {
        outcome.error = "The run takes more than " + IntText(max_steps) + " time steps.";
        return outcome;
      }
    }
    if (!output(target)) return outcome;
  }
  outcome.ok = true;
  return outcome;
}

}  // namespace orvo::engine
