// The fixed knowledge of the three simulation programs: system names, segment
// parameters and kinetic time functions per simulation type.
#pragma once

#include <string>

namespace orvo {

// Simulation types as group A stores them (SIMTYP).
enum SimulationType : int { kSimUnset = -1, kFenu5 = 0, kVerda5 = 1, kKobal5 = 2 };

// The simulation program of each type, its model's name, and the extension of the file of the
// model's own results beside the deck ("" for KOBAL5: the deck's name alone).
inline constexpr const char kFenuProgram[] = "fenu5";
inline constexpr const char kVerdaProgram[] = "verda5";
inline constexpr const char kKobalProgram[] = "koba4_ids";
// Any other type is taken as FENU5 by these three.
const char* ProgramName(SimulationType simulation_type);
const char* ModelName(SimulationType simulation_type);
const char* ModelExtension(SimulationType simulation_type);

struct SegmentParameterRow {
  const char* name;         // PNAME, the label written in card G
  const char* number;       // ISC as text
  const char* description;  // shown in the editors
};

struct TimeFunctionRow {
  const char* name;
  const char* number;
  const char* description;
  const char* units;
};

namespace vocabulary {

// System name for system 1..8; empty for positions a type does not use or a bad type.
std::string SystemName(SimulationType simtyp, int system);
// 6 FENU5, 8 VERDA5, 7 KOBAL5, 0 otherwise.
int SystemCount(SimulationType simtyp);

// Segment parameters: 18 FENU5, 15 VERDA5, 32 KOBAL5, 0 otherwise.
int SegmentParameterCount(SimulationType simtyp);
// Row at slot 0..count-1; nullptr outside.
const SegmentParameterRow* SegmentParameter(SimulationType simtyp, int slot);

// Kinetic time functions offered: 17 FENU5, 22 VERDA5, 0 KOBAL5 (its one placeholder row is
// never offered), 0 otherwise.
int TimeFunctionCount(SimulationType simtyp);
const TimeFunctionRow* TimeFunction(SimulationType simtyp, int slot);

}  // namespace vocabulary
}  // namespace orvo
