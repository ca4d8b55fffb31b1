#include "ui/results/output_graphs.h"

#include <QMessageBox>
#include <vector>

#include "ui/results/graph_view.h"

namespace orvo::ui {
namespace {
// More windows than this bury the desktop; the user is asked first.
constexpr long long kAskAbove = 25;
}  // namespace

GraphControl* OpenOutputGraphs(QWidget* parent, const orvo::OutputViewerText& viewer,
                               const orvo::OutputSelection& selection, GraphType type) {
  const long long count = OutputChartCount(viewer, selection, type);
  if (count == 0) return nullptr;
  if (count > kAskAbove &&
      QMessageBox::question(
          parent, QStringLiteral("ORVO Builder"),
          QStringLiteral("The selection makes %1 charts, each in its own window. Open them all?")
              .arg(count)) != QMessageBox::Yes) {
    return nullptr;
  }
  std::vector<ChartDescription> charts;
  charts.reserve(static_cast<std::size_t>(count));
  for (long long i = 0; i < count; ++i) {
    if (auto chart = BuildOutputChart(viewer, selection, type, i))
      charts.push_back(*std::move(chart));
  }
  return OpenGraphs(parent, std::move(charts));
}

}  // namespace orvo::ui
