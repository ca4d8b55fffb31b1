// Results drawn on the network: the values of one output variable of one run at one time step,
// one per segment ID, their range and the colour scale that turns them into fill colours.
// Plain data for the desktop view, the picture export and the benchmarks alike.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "results/output_table.h"

namespace orvo {

class OrvoOutputData;

// The flag of a value that could not be read (the charts' missing point).
inline constexpr int kMissingValueFlag = 128;

struct Rgb {
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour of a segment whose value is missing: a neutral grey, outside every scale used.
inline constexpr Rgb kNoDataColour{190, 190, 190};

// A colour scale as a table of equally spaced stops, interpolated linearly in between.
class ColourScale {
 public:
  explicit ColourScale(std::vector<Rgb> stops);
  // A perceptually uniform scale from dark blue-violet through green to yellow: equal steps
  // of value look like equal steps of colour, and it stays readable in grey and to most
  // colour-blind readers.
  static const ColourScale& Viridis();

  // fraction 0 is the first stop, 1 the last; outside (and NaN) is clamped.
  Rgb At(double fraction) const;
  const std::vector<Rgb>& stops() const { return stops_; }

 private:
  std::vector<Rgb> stops_;
};

// Whether the range of the values is taken over the whole run or over the shown time step.
enum class RangeScope { kWholeRun, kTimeStep };

// The smallest and largest of some values; valid once one value is included.
struct ValueRange {
  double minimum = 0;
  double maximum = 0;
  bool valid = false;
  void Include(double value);
};

// The range of a variable over every time step of segments 1..segments (see ColourResults),
// finite values only. Worth keeping while the time step changes: it reads every value.
ValueRange WholeRunRange(const OrvoOutputData& run, OutputTable table, int variable,
                         int segments = -1);

// One variable of one run at one time step, by segment.
struct ResultsColouring {
  std::string variable_name;
  std::string units;
  OutputTable table = OutputTable::kModel;
  int variable = 0;
  int time_step = 0;
  double time = 0;
  std::vector<double> values;  // [segment ID - 1]
  std::vector<int> flags;      // [segment ID - 1]: 0, or kMissingValueFlag
  // The range the colours are spread over; has_range is false when no value could be read.
  double minimum = 0;
  double maximum = 0;
  bool has_range = false;

  int segment_count() const { return static_cast<int>(values.size()); }
  // false for an ID outside 1..segment_count() or a missing value.
  bool ValueOf(int segment_id, double& value) const;
  // Where a value lies in the range, 0 to 1; 0.5 when the range is a single value.
  double Fraction(double value) const;
  // The segment's colour, kNoDataColour when its value is missing.
  Rgb ColourOf(int segment_id, const ColourScale& scale = ColourScale::Viridis()) const;
};

// The values of variable (transport or model table) at time_step for segments 1..segments
// (the deck's NOSEG when segments < 0, bounded by what the files hold). A value that cannot be
// read or is not finite is missing. The range is over every time step of the variable for
// kWholeRun, so that the colours keep their meaning while the time step changes.
ResultsColouring ColourResults(const OrvoOutputData& run, OutputTable table, int variable,
                               int time_step, RangeScope scope = RangeScope::kWholeRun,
                               int segments = -1);
// The same with a range found before (WholeRunRange); an invalid range takes the time step's.
ResultsColouring ColourResults(const OrvoOutputData& run, OutputTable table, int variable,
                               int time_step, const ValueRange& range, int segments = -1);

// A variable named as the output viewer lists it: the model results first, then the transport
// variables; an exact name first, else the same name ignoring case and surrounding blanks.
struct VariableRef {
  OutputTable table = OutputTable::kModel;
  int variable = 0;
};
std::optional<VariableRef> FindVariable(const OrvoOutputData& run, const std::string& name);

// The time step whose time is nearest to time (the earlier one of two as near); 0 for a file
// with no time steps. A time before the first or after the last output time gives the first
// or the last.
int NearestTimeStep(const std::vector<double>& times, double time);

// Value text for legends and tool tips: "%g", locale-independent.
std::string ValueText(double value);

}  // namespace orvo
