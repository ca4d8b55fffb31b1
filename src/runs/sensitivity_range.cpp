#include "runs/sensitivity_range.h"

#include <charconv>
#include <cmath>

#include "model/number_text.h"

namespace orvo {
namespace {

// The increment that lists `runs` values from minimum to maximum.
double IncrementForRuns(double range, int runs) {
  return runs > 1 ? range / (runs - 1) : 0.0;
}

bool Acceptable(const RangeFields& fields) {
  return fields.runs <= kMaxSensitivityRuns && std::isfinite(fields.increment) &&
         std::isfinite(fields.minimum) && std::isfinite(fields.maximum);
}

// A number filling the whole token, whatever the process locale ("1,5" is two values).
bool ReadNumber(std::string_view token, double& value) {
  if (token.size() > 1 && token[0] == '+' && token[1] != '-') token.remove_prefix(1);
  const char* end = token.data() + token.size();
  const auto [stop, error] = std::from_chars(token.data(), end, value);
  return error == std::errc() && stop == end && std::isfinite(value);
}

}  // namespace

std::string TooManyRunsMessage() {
  return "At most " + IntText(kMaxSensitivityRuns) +
         " runs can be generated at once.  Please choose a larger increment or fewer runs.";
}

bool IncrementChanged(RangeFields& fields) {
  RangeFields changed = fields;
  const double range = changed.maximum - changed.minimum;
  if (changed.increment > range || changed.increment <= 0) changed.increment = range;
  if (changed.increment != 0) {
    const double steps = std::floor(range / changed.increment + 0.5);
    if (!(steps < kMaxSensitivityRuns)) return false;
    const int n = static_cast<int>(steps);
    changed.runs = n + 1;
    changed.increment = range / n;
  }
  if (!Acceptable(changed)) return false;
  fields = changed;
  return true;
}

bool RunsChanged(RangeFields& fields, RangeRules rules) {
  RangeFields changed = fields;
  const double range = changed.maximum - changed.minimum;
  if (rules == RangeRules::kGroupsBToG) {
    if (changed.runs < 1) changed.runs = 0;
    changed.increment = IncrementForRuns(range, changed.runs);
  } else {
    const int n = changed.runs - 1 < 1 ? 1 : changed.runs - 1;
    changed.runs = n + 1;
    changed.increment = range / n;
  }
  if (!Acceptable(changed)) return false;
  fields = changed;
  return true;
}

bool BoundChanged(RangeFields& fields, RangeRules rules) {
  return RunsChanged(fields, rules);
}

std::string IntervalsText(const RangeFields& fields) {
  std::string text = RealText(fields.minimum);
  double value = fields.minimum;
  const int runs = fields.runs < kMaxSensitivityRuns ? fields.runs : kMaxSensitivityRuns;
  for (int i = 1; i < runs; ++i) {
    value += fields.increment;  // accumulated, as the values were always listed
    text += ' ';
    text += RealText(value);
  }
  return text;
}

bool ParseIntervals(std::string_view text, std::vector<double>& values, std::string& error) {
  values.clear();
  error.clear();
  std::vector<double> read;
  std::string token;
  const auto take = [&]() {
    if (token.empty()) return true;
    if (read.size() == static_cast<size_t>(kMaxSensitivityRuns)) {
      error = "The intervals hold more than " + IntText(kMaxSensitivityRuns) +
              " values.  At most " + IntText(kMaxSensitivityRuns) +
              " runs can be generated at once.";
      return false;
    }
    double value = 0;
    if (!ReadNumber(token, value)) {
      // Cut, so that a pasted page does not become the message.
      const std::string shown = token.size() > 40 ? token.substr(0, 40) + "..." : token;
      error = "The value \"" + shown + "\" in the intervals is not a number.";
      return false;
    }
    read.push_back(value);
    token.clear();
    return true;
  };
  for (const char c : text) {
    if (c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r') {
      if (!take()) return false;
    } else {
      token += c;
    }
  }
  if (!take()) return false;
  values = std::move(read);
  return true;
}

}  // namespace orvo
