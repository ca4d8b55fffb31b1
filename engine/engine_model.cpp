#include "engine/engine_model.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo::engine {
namespace {

// A deck's segment count is bounded by its own lines (card C has one per segment); this
// only keeps an absurd card A from sizing arrays before that is known.
constexpr int kMaxSegments = 10'000'000;

bool Finite(const Breaks& breaks) {
  return std::all_of(breaks.begin(), breaks.end(), [](double x) { return std::isfinite(x); });
}

// Breakpoints in time order; equal times keep their deck order, so a jump can be written
// as two breakpoints at one time.
TimeFunction MakeFunction(const Breaks& breaks, double scale) {
  std::vector<std::pair<double, double>> points;
  for (size_t i = 0; i + 1 < breaks.size(); i += 2) {
    points.emplace_back(breaks[i + 1], breaks[i] * scale);
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  TimeFunction function;
  for (const auto& [time, value] : points) {
    function.times.push_back(time);
    function.values.push_back(value);
  }
  return function;
}

bool Sorted(const Breaks& breaks) {
  for (size_t i = 3; i < breaks.size(); i += 2) {
    if (breaks[i] < breaks[i - 2]) return false;
  }
  return true;
}

std::vector<char> Flags(const std::vector<int>& flags, int systems) {
  std::vector<char> result(static_cast<size_t>(systems), 0);
  for (int s = 0; s < systems && s < static_cast<int>(flags.size()); ++s) {
    result[static_cast<size_t>(s)] = flags[static_cast<size_t>(s)] == 1 ? 1 : 0;
  }
  return result;
}

// Segment ID of a deck (0 the outside) to the engine's index, or false when the ID is not in
// the network.
bool SegmentIndex(int id, int segments, int& index) {
  if (id < 0 || id > segments) return false;
  index = id - 1;
  return true;
}

// The per-segment first-order rate of each system: segment-parameter name, system.
struct DecayParameter {
  const char* name;
  int system;
};
constexpr DecayParameter kFenuDecay[] = {{"TOTKG 1", 0}, {"TOTKG 2", 4}, {"TOTKG 3", 5}};
constexpr DecayParameter kKobalDecay[] = {{"TTKG1", 0}, {"TTKG2", 1}, {"TTKG3", 2}, {"TTKG4", 3}};

// ISC number of the decay parameter of each system (0: the system is conservative).
std::vector<int> DecayNumbers(SimulationType simulation_type, int systems) {
  std::vector<int> numbers(static_cast<size_t>(systems), 0);
  const DecayParameter* first = nullptr;
  size_t count = 0;
  if (simulation_type == kFenu5) {
    first = kFenuDecay;
    count = std::size(kFenuDecay);
  } else if (simulation_type == kKobal5) {
    first = kKobalDecay;
    count = std::size(kKobalDecay);
  }
  for (size_t i = 0; i < count; ++i) {
    if (first[i].system >= systems) continue;
    for (int slot = 0; slot < vocabulary::SegmentParameterCount(simulation_type); ++slot) {
      const SegmentParameterRow* row = vocabulary::SegmentParameter(simulation_type, slot);
      if (std::string(row->name) == first[i].name) {
        numbers[static_cast<size_t>(first[i].system)] = AtoI(row->number);
      }
    }
  }
  return numbers;
}

// Value/time pairs of a history (DTS, T or PRINT, TPRINT), keeping only entries whose time
// goes past the previous one.
bool History(const Breaks& pairs, const char* what, std::vector<double>& values,
             std::vector<double>& times, std::vector<std::string>& warnings, std::string& error) {
  values.clear();
  times.clear();
  if (!Finite(pairs)) {
    error = std::string("The ") + what + " history holds a number that is not finite.";
    return false;
  }
  for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
    const double time = pairs[i + 1];
    if (time <= (times.empty() ? 0.0 : times.back())) {
      warnings.push_back(std::string("The ") + what + " entry " + RealText(pairs[i]) +
                         " up to day " + RealText(time) +
                         " does not go past the previous one and is ignored.");
      continue;
    }
    values.push_back(pairs[i]);
    times.push_back(time);
  }
  return true;
}

}  // namespace

double TimeFunction::At(double t) const {
  if (times.empty()) return 0.0;
  if (t <= times.front()) return values.front();
  if (t >= times.back()) return values.back();
  const size_t upper =
      static_cast<size_t>(std::upper_bound(times.begin(), times.end(), t) - times.begin());
  const size_t lower = upper - 1;
  const double span = times[upper] - times[lower];
  if (span <= 0) return values[upper];
  return values[lower] + (values[upper] - values[lower]) * (t - times[lower]) / span;
}

EngineModel EmptyModel(SimulationType simulation_type, int segments, int systems) {
  EngineModel model;
  model.simulation_type = simulation_type;
  model.NOSEG = segments;
  model.NOSYS = systems;
  for (int s = 1; s <= systems; ++s) {
    std::string name = vocabulary::SystemName(simulation_type, s);
    model.system_names.push_back(name.empty() ? "System " + IntText(s) : name);
  }
  const size_t n = static_cast<size_t>(segments);
  const size_t cells = n * static_cast<size_t>(systems);
  model.bypassed.assign(static_cast<size_t>(systems), 0);
  model.flow_bypassed = model.bypassed;
  model.dispersion_bypassed = model.bypassed;
  model.volume.assign(n, 1.0);
  model.VMULT.assign(n, 0.0);
  model.VEXP.assign(n, 0.0);
  model.DMULT.assign(n, 0.0);
  model.DXP.assign(n, 0.0);
  model.boundary.assign(cells, -1);
  model.decay.assign(cells, 0.0);
  model.initial.assign(cells, 0.0);
  model.DTS = {0.1};
  model.T = {1.0};
  model.PRINT = {1.0};
  model.TPRINT = {1.0};
  return model;
}

bool BuildModel(const DeckRecord& deck, SimulationType simulation_type, EngineModel& model,
                std::vector<std::string>& warnings, std::string& error) {
  const CardARecord& a = deck.a;
  if (a.NOSEG <= 0) {
    error = "The network has no segments (NOSEG " + IntText(a.NOSEG) + ").";
    return false;
  }
  if (a.NOSEG > kMaxSegments) {
    error = "NOSEG " + IntText(a.NOSEG) + " is more than this engine simulates (" +
            IntText(kMaxSegments) + ").";
    return false;
  }
  if (a.NOSYS <= 0 || a.NOSYS > 8) {
    error = "NOSYS " + IntText(a.NOSYS) + " is outside 1 to 8.";
    return false;
  }
  if (deck.d.IQOPT == 3) {
    error =
        "Flow option 3 (flows read from a hydrodynamic file) is not supported: give the flows "
        "in card D with flow option 1 or 2.";
    return false;
  }
  const int expected = vocabulary::SystemCount(simulation_type);
  if (a.NOSYS != expected) {
    warnings.push_back(std::string("The deck has ") + IntText(a.NOSYS) + " systems; " +
                       ModelName(simulation_type) + " has " + IntText(expected) + ".");
  }

  model = EmptyModel(simulation_type, a.NOSEG, a.NOSYS);
  const int n = a.NOSEG;
  const int ns = a.NOSYS;
  const auto cell = [ns](int segment, int system) {
    return static_cast<size_t>(segment) * static_cast<size_t>(ns) + static_cast<size_t>(system);
  };
  model.TITLE1 = a.TITLE1;
  model.TITLE2 = a.TITLE2;
  model.bypassed = Flags(a.bypass, ns);
  model.dispersion_bypassed = Flags(deck.b.bypass, ns);
  model.flow_bypassed = Flags(deck.d.bypass, ns);
  model.INTYP = a.INTYP;
  model.NEGSLN = a.NEGSLN;
  model.JMASS = a.JMASS;
  model.start_day = a.ZDAY + a.ZHR / 24.0 + a.ZMIN / 1440.0;
  if (a.INTYP != 0 && a.INTYP != 1) {
    warnings.push_back("INTYP " + IntText(a.INTYP) +
                       " is neither 0 nor 1: the time-step history is used (INTYP 0).");
    model.INTYP = 0;
  }
  if (!std::isfinite(model.start_day)) {
    error = "The start time (ZDAY, ZHR, ZMIN) is not a finite number.";
    return false;
  }

  // Card C: volumes with their scale and conversion factors.
  const double volume_factor = deck.c.SCALV * deck.c.CONVV;
  std::vector<char> seen(static_cast<size_t>(n), 0);
  for (const SegmentRecord& segment : deck.c.segments) {
    if (segment.ISEG < 1 || segment.ISEG > n) {
      warnings.push_back("Card C: segment " + IntText(segment.ISEG) +
                         " is not in the network and is ignored.");
      continue;
    }
    const size_t i = static_cast<size_t>(segment.ISEG - 1);
    seen[i] = 1;
    model.volume[i] = segment.VOLUME * volume_factor;
    model.VMULT[i] = segment.VMULT;
    model.VEXP[i] = segment.VEXP;
    model.DMULT[i] = segment.DMULT;
    model.DXP[i] = segment.DXP;
  }
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(i);
    if (!seen[k]) {
      error = "Segment " + IntText(i + 1) + " has no volume in card C.";
      return false;
    }
    if (!std::isfinite(model.volume[k]) || model.volume[k] <= 0) {
      error = "Segment " + IntText(i + 1) + " has the volume " + RealText(model.volume[k]) +
              " m^3 (volume x SCALV x CONVV): every segment needs a positive volume.";
      return false;
    }
  }

  // Card D: field 1, the advective flows.
  const CardDRecord::Field& field1 = deck.d.fields[0];
  if (deck.d.NFIELD >= 1 && field1.read) {
    const double scale = field1.SCALQ * field1.CONVQ;
    for (const PairFunction& function : field1.functions) {
      if (!Finite(function.breaks) || !std::isfinite(scale)) {
        error = "Card D: a flow function holds a number that is not finite.";
        return false;
      }
      if (!Sorted(function.breaks)) {
        warnings.push_back("Card D: a flow function's times are not in order; they are sorted.");
      }
      const int index = static_cast<int>(model.flow_functions.size());
      model.flow_functions.push_back(MakeFunction(function.breaks, scale));
      for (const SegmentPair& pair : function.pairs) {
        Link link{-1, -1, index, pair.first};
        if (!SegmentIndex(pair.from, n, link.from) || !SegmentIndex(pair.to, n, link.to) ||
            link.from == link.to || !std::isfinite(pair.first)) {
          warnings.push_back("Card D: the flow from " + IntText(pair.from) + " to " +
                             IntText(pair.to) + " does not join two places and is ignored.");
          continue;
        }
        if (pair.first != 0) model.flows.push_back(link);
      }
    }
  }
  for (int field = 1; field < 6 && field < deck.d.NFIELD; ++field) {
    if (deck.d.fields[static_cast<size_t>(field)].functions.empty()) continue;
    warnings.push_back("Card D: flow field " + IntText(field + 1) +
                       " is not simulated (only the water-column flows of field 1 are).");
  }

  // Card B: dispersive exchange, every field alike.
  bool negative_dispersion = false;
  for (const CardBRecord::Field& field : deck.b.fields) {
    const double scale = field.SCALR * field.CONVR;
    for (const PairFunction& function : field.functions) {
      if (!Finite(function.breaks) || !std::isfinite(scale)) {
        error = "Card B: a dispersion function holds a number that is not finite.";
        return false;
      }
      TimeFunction made = MakeFunction(function.breaks, scale);
      for (double& value : made.values) {
        if (value < 0) {
          negative_dispersion = true;
          value = 0;
        }
      }
      const int index = static_cast<int>(model.dispersion_functions.size());
      model.dispersion_functions.push_back(std::move(made));
      for (const SegmentPair& pair : function.pairs) {
        Link link{-1, -1, index, 0.0};
        if (!SegmentIndex(pair.from, n, link.from) || !SegmentIndex(pair.to, n, link.to) ||
            link.from == link.to) {
          warnings.push_back("Card B: the exchange between " + IntText(pair.from) + " and " +
                             IntText(pair.to) + " does not join two places and is ignored.");
          continue;
        }
        if (pair.second == 0 || !std::isfinite(pair.first / pair.second) || pair.first < 0 ||
            pair.second < 0) {
          warnings.push_back("Card B: the exchange between " + IntText(pair.from) + " and " +
                             IntText(pair.to) + " has the area " + RealText(pair.first) +
                             " and the length " + RealText(pair.second) + " and is ignored.");
          continue;
        }
        link.factor = pair.first / pair.second;
        if (link.factor > 0) model.dispersions.push_back(link);
      }
    }
  }
  if (negative_dispersion) {
    warnings.push_back("Card B: negative dispersion coefficients are taken as 0.");
  }

  // Card E: boundary concentrations, mg/L.
  for (int s = 0; s < ns && s < static_cast<int>(deck.e.systems.size()); ++s) {
    const CardERecord::System& system = deck.e.systems[static_cast<size_t>(s)];
    for (const SegmentFunction& boundary : system.boundaries) {
      int segment = -1;
      if (!SegmentIndex(boundary.segment, n, segment) || segment < 0) {
        warnings.push_back("Card E: system " + IntText(s + 1) + ": segment " +
                           IntText(boundary.segment) + " is not in the network.");
        continue;
      }
      if (!Finite(boundary.breaks)) {
        error = "Card E: a boundary concentration is not a finite number.";
        return false;
      }
      model.boundary[cell(segment, s)] = static_cast<int>(model.boundary_functions.size());
      model.boundary_functions.push_back(
          MakeFunction(boundary.breaks, system.SCALB * system.CONVB));
    }
  }

  // Card F: point-source loads, kg/day to g/day.
  for (int s = 0; s < ns && s < static_cast<int>(deck.f.systems.size()); ++s) {
    const CardFRecord::System& system = deck.f.systems[static_cast<size_t>(s)];
    for (const SegmentFunction& load : system.loads) {
      int segment = -1;
      if (!SegmentIndex(load.segment, n, segment) || segment < 0) {
        warnings.push_back("Card F: system " + IntText(s + 1) + ": segment " +
                           IntText(load.segment) + " is not in the network.");
        continue;
      }
      if (!Finite(load.breaks)) {
        error = "Card F: a load is not a finite number.";
        return false;
      }
      model.loads.push_back({segment, s, static_cast<int>(model.load_functions.size())});
      model.load_functions.push_back(
          MakeFunction(load.breaks, system.SCALW * system.CONVW * 1000.0));
    }
  }
  if (deck.f.nonpoint_source) {
    warnings.push_back("Card F: the nonpoint-source file is not read by this engine.");
  }

  // Card G: first-order rates of the systems that have one.
  const std::vector<int> decay_numbers = DecayNumbers(simulation_type, ns);
  for (const CardGRecord::Segment& segment : deck.g.segments) {
    int index = -1;
    if (!SegmentIndex(segment.ISEG, n, index) || index < 0) continue;
    for (const ParameterEntry& entry : segment.parameters) {
      for (int s = 0; s < ns; ++s) {
        if (decay_numbers[static_cast<size_t>(s)] == 0 ||
            entry.isc != decay_numbers[static_cast<size_t>(s)]) {
          continue;
        }
        if (!std::isfinite(entry.value) || entry.value < 0) {
          error = "Card G: segment " + IntText(segment.ISEG) + " has the decay rate " +
                  RealText(entry.value) + " /day; rates must be 0 or more.";
          return false;
        }
        model.decay[cell(index, s)] = entry.value;
      }
    }
  }

  // Card J: initial concentrations by segment position.
  if (static_cast<int>(deck.j.systems.size()) < ns) {
    warnings.push_back(
        "Card J is missing or short: systems without initial conditions start at 0.");
  }
  for (int s = 0; s < ns && s < static_cast<int>(deck.j.systems.size()); ++s) {
    const auto& segments = deck.j.systems[static_cast<size_t>(s)].segments;
    for (int i = 0; i < n && i < static_cast<int>(segments.size()); ++i) {
      const double c = segments[static_cast<size_t>(i)].C;
      if (!std::isfinite(c)) {
        error = "Card J: an initial concentration is not a finite number.";
        return false;
      }
      model.initial[cell(i, s)] = c;
    }
  }

  // Card A: the step and print histories.
  if (!History(a.time_steps, "time-step", model.DTS, model.T, warnings, error)) return false;
  if (model.T.empty()) {
    error = "No time steps are given (DTS, T): there is no time to simulate.";
    return false;
  }
  if (model.INTYP == 0) {
    for (double dts : model.DTS) {
      if (dts <= 0) {
        error = "The time step " + RealText(dts) + " day is not positive.";
        return false;
      }
    }
  }
  if (!History(a.print_intervals, "print-interval", model.PRINT, model.TPRINT, warnings, error)) {
    return false;
  }
  for (double print : model.PRINT) {
    if (print <= 0) {
      error = "The print interval " + RealText(print) + " day is not positive.";
      return false;
    }
  }
  if (model.PRINT.empty()) {
    warnings.push_back("No print intervals are given: output at the start and the end only.");
  }
  if (model.JMASS < 0 || model.JMASS > ns) {
    warnings.push_back("JMASS " + IntText(model.JMASS) +
                       " is not a system of this deck: no mass balance is kept.");
    model.JMASS = 0;
  }
  return true;
}

}  // namespace orvo::engine
