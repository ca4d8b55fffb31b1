// The network view on a 10,000-segment project: opening it, a full repaint, a scroll, one
// moved node as an undoable step and its undo.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <memory>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "ui/network/network_view.h"

using namespace orvo;

namespace {

constexpr int kSegments = 10000;
constexpr int kPerRow = 100;

// Rows of segments with their ID labels, each joined to the next by an exchange.
std::string BuildProjectBytes() {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  COrvoBuilderCntrItem* previous = nullptr;
  for (int i = 0; i < kSegments; ++i) {
    COrvoBuilderCntrItem* segment =
        testing::AddSegmentWithLabel(doc, 40 + (i % kPerRow) * 80, 60 + (i / kPerRow) * 100, i % 4);
    if (previous != nullptr && i % kPerRow != 0) doc.AddExchange(previous, segment, kInterface);
    previous = segment;
  }
  return doc.SaveToBytes();
}

const std::string& ProjectBytes() {
  static const std::string bytes = BuildProjectBytes();
  return bytes;
}

struct OpenView {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  std::unique_ptr<ui::COrvoBuilderView> view;
  OpenView() {
    std::string error;
    if (!doc.LoadFromBytes(ProjectBytes(), error)) throw std::runtime_error(error);
    view = std::make_unique<ui::COrvoBuilderView>(doc);
    view->resize(1280, 900);
    view->show();
    QApplication::processEvents();
  }
  // Paints the whole viewport through the view's own paint handler.
  void Repaint(QImage& image) { view->viewport()->render(&image); }
};

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void BM_OpenProject(benchmark::State& state) {
  ProjectBytes();
  for (auto _ : state) {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    std::string error;
    benchmark::DoNotOptimize(doc.LoadFromBytes(ProjectBytes(), error));
  }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state) {
  OpenView open;
  if (state.range(0) != 0) open.view->ZoomFit();  // every node on screen at once
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) open.Repaint(image);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScrollAndRepaint(benchmark::State& state) {
  OpenView open;
  QScrollBar* bar = open.view->verticalScrollBar();
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  int step = 120;
  for (auto _ : state) {
    if (bar->value() + step > bar->maximum() || bar->value() + step < 0) step = -step;
    bar->setValue(bar->value() + step);
    open.Repaint(image);
  }
}
BENCHMARK(BM_ScrollAndRepaint)->Unit(benchmark::kMillisecond);

// One segment dragged 30 units with the mouse: one undo step.
void BM_MoveStep(benchmark::State& state) {
  OpenView open;
  QWidget* port = open.view->viewport();
  for (auto _ : state) {
    Mouse(port, QEvent::MouseButtonPress, QPoint(50, 70), Qt::LeftButton);
    Mouse(port, QEvent::MouseMove, QPoint(50, 85), Qt::LeftButton);
    Mouse(port, QEvent::MouseButtonRelease, QPoint(50, 85), Qt::NoButton);
    state.PauseTiming();
    open.doc.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MoveStep)->Unit(benchmark::kMillisecond);

void BM_UndoMove(benchmark::State& state) {
  OpenView open;
  QWidget* port = open.view->viewport();
  for (auto _ : state) {
    state.PauseTiming();
    Mouse(port, QEvent::MouseButtonPress, QPoint(50, 70), Qt::LeftButton);
    Mouse(port, QEvent::MouseMove, QPoint(50, 85), Qt::LeftButton);
    Mouse(port, QEvent::MouseButtonRelease, QPoint(50, 85), Qt::NoButton);
    state.ResumeTiming();
    open.doc.Undo();
  }
}
BENCHMARK(BM_UndoMove)->Unit(benchmark::kMillisecond);

// The same move made directly on the document: the share of the step that the view adds.
void BM_MoveStepWithoutView(benchmark::State& state) {
  OpenView open;
  COrvoBuilderCntrItem* segment = open.doc.nodes()[0].get();
  for (auto _ : state) {
    {
      ScopedStep step(open.doc, "Move");
      segment->SetRect(segment->left(), segment->top() + 15, segment->left() + 32,
                       segment->top() + 47);
    }
    state.PauseTiming();
    open.doc.Undo();
    segment = open.doc.nodes()[0].get();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MoveStepWithoutView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
