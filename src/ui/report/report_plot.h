// The report's "Plot": its charts in GraphView windows, stacked from the top of the screen, and
// the "Graph Control" dialog that drives them.
#pragma once

#include <vector>

#include "results/chart_description.h"

class QWidget;

namespace orvo::ui {

class GraphControl;

// Each chart 800 pixels wide and the screen's available height divided among them; closing
// the control closes the charts. Null when there is no chart.
GraphControl* OpenReportPlot(QWidget* parent, std::vector<ChartDescription> charts);

}  // namespace orvo::ui
