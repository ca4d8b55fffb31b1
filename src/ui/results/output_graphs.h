// Opening the charts of the output viewer's selection.
#pragma once

#include "results/output_charts.h"

class QWidget;

namespace orvo::ui {

class GraphControl;

// The two "Graph Types" of the output viewer.
using GraphType = orvo::OutputGraphType;

// "Graph": opens one GraphView per chart of the selection with their "Graph Control" dialog;
// modeless. A selection of very many charts is confirmed first. Null when nothing opened.
GraphControl* OpenOutputGraphs(QWidget* parent, const orvo::OutputViewerText& viewer,
                               const orvo::OutputSelection& selection, GraphType type);

}  // namespace orvo::ui
