// Opening the charts of the output viewer's selection.
#pragma once

class QWidget;

namespace orvo {
class OutputViewerText;
struct OutputSelection;
}  // namespace orvo

namespace orvo::ui {

// The two "Graph Types" of the output viewer.
enum class GraphType { kSegmentVsTime, kParamVsSeg };

// "Graph": opens the charts of the selection with their "Graph Control" dialog; modeless.
void OpenOutputGraphs(QWidget* parent, const orvo::OutputViewerText& viewer,
                      const orvo::OutputSelection& selection, GraphType type);

}  // namespace orvo::ui
