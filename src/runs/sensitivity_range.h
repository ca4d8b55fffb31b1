// The range fields of the sensitivity dialogs ("Minimum:", "Maximum:", "Increment:", "No. of
// runs:") and the values to run ("Intervals:"). The dialogs of groups B to G and those of
// groups H and J keep two slightly different rules for a changed number of runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// More values than this are refused: each one is a deck and a model run.
inline constexpr int kMaxSensitivityRuns = 1000;

enum class RangeRules { kGroupsBToG, kGroupsHAndJ };

struct RangeFields {
  double minimum = 0;
  double maximum = 0;
  double increment = 0;
  int runs = 0;
};

// The field that lost the focus with a changed value. Each recomputes the others as the
// dialogs do; false (the fields left as they were) when the result would list more than
// kMaxSensitivityRuns values or is no finite number.
bool IncrementChanged(RangeFields& fields);
bool RunsChanged(RangeFields& fields, RangeRules rules);
bool BoundChanged(RangeFields& fields, RangeRules rules);  // "Minimum:" or "Maximum:"

// "Minimum", then each previous value plus Increment, until No. of runs values ("%g",
// separated by one blank); at least the first value.
std::string IntervalsText(const RangeFields& fields);

// The values of an intervals text: blanks, commas, tabs and line ends separate them. false
// with a message for a value that is not a number, and for more than kMaxSensitivityRuns
// values.
bool ParseIntervals(std::string_view text, std::vector<double>& values, std::string& error);

// The message for a change the range fields refused.
std::string TooManyRunsMessage();

}  // namespace orvo
