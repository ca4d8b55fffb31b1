// The simulation engine's own form of a deck: every number multiplied by its card's scale
// and conversion factors (units given per field), segments and systems counted from 0, and
// only what the simulation uses.
#pragma once

#include <string>
#include <vector>

#include "deck/deck_record.h"
#include "model/model_vocabulary.h"

namespace orvo::engine {

// Piecewise-linear in elapsed days, held at its end values outside its breakpoints; no
// breakpoints at all reads as 0.
struct TimeFunction {
  std::vector<double> times;
  std::vector<double> values;
  double At(double t) const;
};

// One exchange taking part in a flow or dispersion function. Segment -1 is the outside.
// factor: the exchange's portion of the flow, or for dispersion its area over its mixing
// length (m).
struct Link {
  int from = -1;
  int to = -1;
  int function = 0;
  double factor = 0;
};

struct Load {
  int segment = 0;
  int system = 0;
  int function = 0;  // into load_functions
};

struct EngineModel {
  SimulationType simulation_type = kFenu5;  // the program's
  std::string TITLE1, TITLE2;
  int NOSEG = 0;
  int NOSYS = 0;
  std::vector<std::string> system_names;  // NOSYS
  std::vector<char> bypassed;             // SYSBY: the system keeps its initial values
  std::vector<char> flow_bypassed;        // card D: the system is not carried by flows
  std::vector<char> dispersion_bypassed;  // card B: the system does not disperse

  std::vector<double> volume;  // m^3, NOSEG
  std::vector<double> VMULT, VEXP, DMULT, DXP;

  std::vector<TimeFunction> flow_functions;        // m^3/s
  std::vector<Link> flows;                         // portions of flow_functions
  std::vector<TimeFunction> dispersion_functions;  // m^2/s, never below 0
  std::vector<Link> dispersions;                   // area / length of dispersion_functions
  std::vector<TimeFunction> boundary_functions;    // mg/L
  std::vector<int> boundary;                       // [segment * NOSYS + system]: function or -1
  std::vector<TimeFunction> load_functions;        // g/day
  std::vector<Load> loads;
  std::vector<double> decay;    // 1/day, [segment * NOSYS + system]
  std::vector<double> initial;  // mg/L, [segment * NOSYS + system]

  int INTYP = 0;
  int NEGSLN = 0;
  int JMASS = 0;
  double start_day = 0;               // ZDAY + ZHR / 24 + ZMIN / 1440: the time of elapsed day 0
  std::vector<double> DTS, T;         // step history, T strictly increasing
  std::vector<double> PRINT, TPRINT;  // print history, TPRINT strictly increasing

  double EndTime() const { return T.empty() ? 0.0 : T.back(); }
};

// An empty model of the given size: unit volumes, no transport, nothing bypassed, a one-day
// run printed daily. Tests and benchmarks start here.
EngineModel EmptyModel(SimulationType simulation_type, int segments, int systems);

// The model of a parsed deck for the program of simulation_type. Problems that the run can
// live with are appended to warnings; a deck that cannot be simulated gives false and the
// reason in error.
bool BuildModel(const DeckRecord& deck, SimulationType simulation_type, EngineModel& model,
                std::vector<std::string>& warnings, std::string& error);

}  // namespace orvo::engine
