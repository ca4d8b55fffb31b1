// The network view on projects of 1,000, 10,000 and 100,000 segments (rows of 100, each
// segment with its ID label, neighbours joined by exchanges): opening, repainting the same
// visible area, repainting the whole network zoomed to fit, scrolling, a moved node with its
// undo, and the picture export.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <stdexcept>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "ui/network/network_picture.h"
#include "ui/network/network_view.h"

using namespace orvo;

namespace {

constexpr int kPerRow = 100;

std::string BuildProjectBytes(int segments) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  COrvoBuilderCntrItem* previous = nullptr;
  for (int i = 0; i < segments; ++i) {
    COrvoBuilderCntrItem* segment =
        testing::AddSegmentWithLabel(doc, 40 + (i % kPerRow) * 80, 60 + (i / kPerRow) * 100, i % 4);
    if (previous != nullptr && i % kPerRow != 0) doc.AddExchange(previous, segment, kInterface);
    previous = segment;
  }
  return doc.SaveToBytes();
}

const std::string& ProjectBytes(int segments) {
  static std::map<int, std::string> bytes;
  auto found = bytes.find(segments);
  if (found == bytes.end()) found = bytes.emplace(segments, BuildProjectBytes(segments)).first;
  return found->second;
}

struct OpenView {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  std::unique_ptr<ui::COrvoBuilderView> view;
  explicit OpenView(int segments) {
    std::string error;
    if (!doc.LoadFromBytes(ProjectBytes(segments), error)) throw std::runtime_error(error);
    view = std::make_unique<ui::COrvoBuilderView>(doc);
    view->resize(1280, 900);
    view->show();
    QApplication::processEvents();
  }
  // Paints the whole viewport through the view's own paint handler.
  void Repaint(QImage& image) { view->viewport()->render(&image); }
};

int Segments(const benchmark::State& state) {
  return static_cast<int>(state.range(0));
}

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void BM_OpenProject(benchmark::State& state) {
  ProjectBytes(Segments(state));
  for (auto _ : state) {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    std::string error;
    benchmark::DoNotOptimize(doc.LoadFromBytes(ProjectBytes(Segments(state)), error));
  }
}

// The top-left 1280 x 900 at 100 %: the same nodes whatever the network's size.
void BM_RepaintVisibleArea(benchmark::State& state) {
  OpenView open(Segments(state));
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  open.Repaint(image);  // the first paint after opening may prepare what later ones reuse
  for (auto _ : state) open.Repaint(image);
}

// Every node on screen at once.
void BM_RepaintZoomedToFit(benchmark::State& state) {
  OpenView open(Segments(state));
  open.view->ZoomFit();
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  open.Repaint(image);
  for (auto _ : state) open.Repaint(image);
}

void BM_ScrollAndRepaint(benchmark::State& state) {
  OpenView open(Segments(state));
  QScrollBar* bar = open.view->verticalScrollBar();
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  int step = 120;
  for (auto _ : state) {
    if (bar->value() + step > bar->maximum() || bar->value() + step < 0) step = -step;
    bar->setValue(bar->value() + step);
    open.Repaint(image);
  }
}

// One segment dragged 15 units with the mouse (one undo step), its undo and the repaint
// after each.
void BM_MoveUndoRepaint(benchmark::State& state) {
  OpenView open(Segments(state));
  QWidget* port = open.view->viewport();
  QImage image(port->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Mouse(port, QEvent::MouseButtonPress, QPoint(50, 70), Qt::LeftButton);
    Mouse(port, QEvent::MouseMove, QPoint(50, 85), Qt::LeftButton);
    Mouse(port, QEvent::MouseButtonRelease, QPoint(50, 85), Qt::NoButton);
    open.Repaint(image);
    if (!open.doc.Undo()) state.SkipWithError("the move made no step");
    open.Repaint(image);
  }
}

long PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// The picture export; the file's size and the process's peak memory so far go with it (run
// one size per process for the peak of that size alone).
void BM_ExportPicture(benchmark::State& state, const char* suffix) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  std::string error;
  if (!doc.LoadFromBytes(ProjectBytes(Segments(state)), error)) throw std::runtime_error(error);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("network.") + QLatin1String(suffix));
  for (auto _ : state) {
    QString problem;
    if (!ui::ExportNetworkPicture(doc, path, problem)) state.SkipWithError("export failed");
  }
  state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
  state.counters["peak_MiB"] = static_cast<double>(PeakMiB());
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_OpenProject)->Apply(Sizes);
BENCHMARK(BM_RepaintVisibleArea)->Apply(Sizes);
BENCHMARK(BM_RepaintZoomedToFit)->Apply(Sizes);
BENCHMARK(BM_ScrollAndRepaint)->Apply(Sizes);
BENCHMARK(BM_MoveUndoRepaint)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ExportPicture, svg, "svg")->Apply(Sizes)->Iterations(1);
BENCHMARK_CAPTURE(BM_ExportPicture, png, "png")->Apply(Sizes)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
