// "Graph" for 10 segments of the output benchmark's run (1,000 segments x 20 variables x 1,000
// time steps of transport variables), once the runs are loaded (QApplication from ui_view_bench):
// building the "Segment vs. Time" description, and building it and drawing it in a GraphView into
// an 800 x 600 picture.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include "model/scripted_platform.h"
#include "output_bench_file.h"
#include "results/output_charts.h"
#include "ui/results/graph_view.h"

namespace orvo {
namespace {

const OutputViewerText& LoadedRuns() {
  static const OutputViewerText viewer = [] {
    OutputViewerText loaded;
    ScriptedPlatform platform;
    loaded.LoadRuns(bench::RunPath(), platform);
    return loaded;
  }();
  return viewer;
}

OutputSelection TenSegments() {
  OutputSelection selection{kTransportVariables, {0}, {}, {0}};
  for (int s = 0; s < 1000; s += 100) selection.segments.push_back(s);
  return selection;
}

void BuildSegmentVsTime(benchmark::State& state) {
  const OutputViewerText& viewer = LoadedRuns();
  const OutputSelection selection = TenSegments();
  for (auto _ : state) {
    auto chart = BuildOutputChart(viewer, selection, OutputGraphType::kSegmentVsTime, 0);
    if (!chart || chart->points() != 1000) return state.SkipWithError("no chart of 1,000 points");
    benchmark::DoNotOptimize(chart->values.data());
  }
}
BENCHMARK(BuildSegmentVsTime)->Unit(benchmark::kMillisecond)->UseRealTime();

void BuildAndDrawSegmentVsTime(benchmark::State& state) {
  const OutputViewerText& viewer = LoadedRuns();
  const OutputSelection selection = TenSegments();
  QImage picture(800, 600, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    auto chart = BuildOutputChart(viewer, selection, OutputGraphType::kSegmentVsTime, 0);
    if (!chart) return state.SkipWithError("no chart");
    ui::GraphView view(*std::move(chart));
    view.setAttribute(Qt::WA_DeleteOnClose, false);
    view.show();
    QCoreApplication::sendPostedEvents();
    QPainter painter(&picture);
    view.render(&painter);
  }
}
BENCHMARK(BuildAndDrawSegmentVsTime)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orvo
