// The charts of the output viewer's "Graph": chart descriptions built from the runs and the
// lists' selections. Each chart is built on its own, so a caller that needs only the first
// (the command line) or opens the windows one by one never holds them all.
#pragma once

#include <optional>
#include <string>

#include "results/chart_description.h"
#include "results/output_viewer_text.h"

namespace orvo {

// The two "Graph Types".
enum class OutputGraphType { kSegmentVsTime, kParamVsSeg };

// How many chart windows "Graph" opens for the selection: one per selected variable, and for
// "Segment vs. Time" with several runs one per selected variable and segment. 0 when a run, a
// segment or a variable is missing or the file type is the mass-balance record.
long long OutputChartCount(const OutputViewerText& viewer, const OutputSelection& selection,
                           OutputGraphType type);

// Chart `index` (0-based, variable-major) of the selection, its Y limits applied:
// - "Segment vs. Time", one run: an x-y chart over the current run's model times, one series per
//   selected segment ("Segment " + number), titled with the run's basename / "Period" /
//   "Variable " + name, X axis from 0 to the last model time;
// - "Segment vs. Time", several runs: one series per run (its basename) over the model times as
//   labelled points, titled "Segment # " + number / "Period" / "Variable " + name;
// - "Param vs. Seg": one frame per selected run, one series per time step ("Period " + time),
//   one point per selected segment labelled with its number, titled per frame with the run's
//   basename / "Segment #" / "Variable " + name.
// A value a run does not hold is flagged missing. When the current run's deck gives a start
// date, the "Segment vs. Time" charts carry it. nullopt when index is out of range.
std::optional<ChartDescription> BuildOutputChart(const OutputViewerText& viewer,
                                                 const OutputSelection& selection,
                                                 OutputGraphType type, long long index);

// The start of a run from the options line of its deck (basename + ".inp"): ZDAY, ZHR and ZMIN
// in their fixed columns. nullopt when the deck cannot be read or leaves the start at its
// initial day 1, 00:00 (no date given).
std::optional<std::string> RunStartDate(const std::string& basename);

}  // namespace orvo
