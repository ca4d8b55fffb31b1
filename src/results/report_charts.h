// The charts of the report's "Plot": chart descriptions (plain data) of the report segments'
// values, one frame per model time step of the reference run.
#pragma once

#include <vector>

#include "chart_description.h"

namespace orvo {

class CORVOReportDoc;

// runs: the plotted runs (indices), variables: the selected variables (indices into
// variable_names). Two or more variables give one chart per plotted run, all on one Y range;
// one variable gives one chart with a curve per run. Report groups never appear. Empty when
// there is no run or no variable.
std::vector<ChartDescription> ReportCharts(const CORVOReportDoc& document,
                                           const std::vector<int>& runs,
                                           const std::vector<int>& variables);

}  // namespace orvo
