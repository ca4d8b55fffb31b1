#include "ui/report/report_plot.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/results/graph_view.h"

namespace orvo::ui {

GraphControl* OpenReportPlot(QWidget* parent, std::vector<ChartDescription> charts) {
  if (charts.empty()) return nullptr;
  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const int count = static_cast<int>(charts.size());
  GraphControl* control = OpenGraphs(parent, std::move(charts));
  const int height = area.height() / count;
  int top = area.top();
  for (GraphView* view : control->Views()) {
    view->setGeometry(area.left(), top, 800, height);
    top += height;
  }
  return control;
}

}  // namespace orvo::ui
