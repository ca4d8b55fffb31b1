#include "results/results_colouring.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "model/number_text.h"
#include "results/orvo_output_data.h"

namespace orvo {

namespace {

std::string Folded(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t");
  std::string folded = text.substr(first, last - first + 1);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

unsigned char Mix(unsigned char from, unsigned char to, double share) {
  return static_cast<unsigned char>(std::lround(from + (to - from) * share));
}

}  // namespace

ColourScale::ColourScale(std::vector<Rgb> stops) : stops_(std::move(stops)) {
  if (stops_.empty()) stops_.push_back(Rgb{});
}

const ColourScale& ColourScale::Viridis() {
  // Ten equally spaced samples of the viridis scale.
  static const ColourScale scale({{0x44, 0x01, 0x54},
                                  {0x48, 0x28, 0x78},
                                  {0x3e, 0x4a, 0x89},
                                  {0x31, 0x68, 0x8e},
                                  {0x26, 0x82, 0x8e},
                                  {0x1f, 0x9e, 0x89},
                                  {0x35, 0xb7, 0x79},
                                  {0x6d, 0xcd, 0x59},
                                  {0xb4, 0xde, 0x2c},
                                  {0xfd, 0xe7, 0x25}});
  return scale;
}

Rgb ColourScale::At(double fraction) const {
  if (!(fraction > 0)) return stops_.front();  // NaN too
  if (fraction >= 1) return stops_.back();
  const double position = fraction * static_cast<double>(stops_.size() - 1);
  const auto index = static_cast<std::size_t>(position);
  const double share = position - static_cast<double>(index);
  const Rgb& from = stops_[index];
  const Rgb& to = stops_[std::min(index + 1, stops_.size() - 1)];
  return {Mix(from.red, to.red, share), Mix(from.green, to.green, share),
          Mix(from.blue, to.blue, share)};
}

bool ResultsColouring::ValueOf(int segment_id, double& value) const {
  if (segment_id < 1 || segment_id > segment_count()) return false;
  const auto index = static_cast<std::size_t>(segment_id - 1);
  if (flags[index] == kMissingValueFlag) return false;
  value = values[index];
  return true;
}

double ResultsColouring::Fraction(double value) const {
  if (!has_range || !(maximum > minimum)) return 0.5;
  return std::clamp((value - minimum) / (maximum - minimum), 0.0, 1.0);
}

Rgb ResultsColouring::ColourOf(int segment_id, const ColourScale& scale) const {
  double value = 0;
  if (!ValueOf(segment_id, value)) return kNoDataColour;
  return scale.At(Fraction(value));
}

void ValueRange::Include(double value) {
  if (!valid) {
    minimum = maximum = value;
    valid = true;
  } else {
    minimum = std::min(minimum, value);
    maximum = std::max(maximum, value);
  }
}

namespace {

// A deck's NOSEG alone could ask for billions of entries; the files bound it.
int SegmentsToColour(const OrvoOutputData& run, int segments) {
  const int held = run.HeldSegments();
  return std::max(segments < 0 ? held : std::min(segments, held), 0);
}

}  // namespace

ValueRange WholeRunRange(const OrvoOutputData& run, OutputTable table, int variable, int segments) {
  ValueRange range;
  if (variable < 0 || variable >= run.GetNumVariables(table)) return range;
  const int count = SegmentsToColour(run, segments);
  const auto& tables = run.Variables(table);
  const auto& series = tables[static_cast<std::size_t>(variable)].series;
  for (int s = 0; s < count && static_cast<std::size_t>(s) < series.size(); ++s) {
    for (double value : series[static_cast<std::size_t>(s)]) {
      if (std::isfinite(value)) range.Include(value);
    }
  }
  return range;
}

ResultsColouring ColourResults(const OrvoOutputData& run, OutputTable table, int variable,
                               int time_step, RangeScope scope, int segments) {
  return ColourResults(
      run, table, variable, time_step,
      scope == RangeScope::kWholeRun ? WholeRunRange(run, table, variable, segments) : ValueRange(),
      segments);
}

ResultsColouring ColourResults(const OrvoOutputData& run, OutputTable table, int variable,
                               int time_step, const ValueRange& range, int segments) {
  ResultsColouring colouring;
  colouring.table = table;
  colouring.variable = variable;
  colouring.time_step = time_step;
  colouring.time = run.GetTime(table, time_step);
  colouring.variable_name = run.GetName(table, variable);
  colouring.units = run.GetUnits(table, variable);
  const int count = SegmentsToColour(run, segments);
  colouring.values.assign(static_cast<std::size_t>(count), 0.0);
  colouring.flags.assign(colouring.values.size(), kMissingValueFlag);
  ValueRange step_range;
  for (int s = 0; s < count; ++s) {
    double value = 0;
    if (!run.GetValue(table, variable, s, time_step, value) || !std::isfinite(value)) continue;
    colouring.values[static_cast<std::size_t>(s)] = value;
    colouring.flags[static_cast<std::size_t>(s)] = 0;
    step_range.Include(value);
  }
  const ValueRange& used = range.valid ? range : step_range;
  colouring.minimum = used.minimum;
  colouring.maximum = used.maximum;
  colouring.has_range = used.valid;
  return colouring;
}

std::optional<VariableRef> FindVariable(const OrvoOutputData& run, const std::string& name) {
  for (bool folded : {false, true}) {
    const std::string wanted = folded ? Folded(name) : name;
    for (OutputTable table : {OutputTable::kModel, OutputTable::kTransport}) {
      for (int v = 0; v < run.GetNumVariables(table); ++v) {
        const std::string listed = run.GetName(table, v);
        if ((folded ? Folded(listed) : listed) == wanted) return VariableRef{table, v};
      }
    }
  }
  return std::nullopt;
}

int NearestTimeStep(const std::vector<double>& times, double time) {
  int nearest = 0;
  double distance = 0;
  for (std::size_t t = 0; t < times.size(); ++t) {
    const double d = std::fabs(times[t] - time);
    if (t == 0 || d < distance) {
      nearest = static_cast<int>(t);
      distance = d;
    }
  }
  return nearest;
}

std::string ValueText(double value) {
  return RealText(value);
}

}  // namespace orvo
