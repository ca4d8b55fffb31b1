// Results on the network of a 10,000-segment project while the time slider plays: each frame
// is the Results panel's step to the next time (new colours for every segment) and a full
// repaint of the view, at 100 % and with the whole network on screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QSlider>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "support/results_run.h"
#include "ui/network/network_view.h"
#include "ui/results/results_dock.h"

using namespace orvo;

namespace {

constexpr int kSegments = 10000;
constexpr int kPerRow = 100;
constexpr int kSteps = 20;

// The run beside the project: two variables over kSteps output times, a travelling wave.
struct RunFiles {
  QTemporaryDir dir;
  std::string base;
  RunFiles() {
    base = dir.filePath(QStringLiteral("big")).toStdString();
    std::vector<double> times;
    for (int t = 0; t < kSteps; ++t) times.push_back(0.5 * t);
    testing::WriteResultsRun(
        base, kSegments, {"DO {mg/L)", "TEMP"}, times,
        [](int v, int s, int t) { return v == 0 ? ((s + 37 * t) % 1000) * 0.01 : 20.0 + t; });
  }
};

const RunFiles& Run() {
  static const RunFiles files;
  return files;
}

struct ColouredView {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  std::unique_ptr<ui::COrvoBuilderView> view;
  std::unique_ptr<ui::ResultsPanel> panel;
  ColouredView() {
    COrvoBuilderCntrItem* previous = nullptr;
    for (int i = 0; i < kSegments; ++i) {
      COrvoBuilderCntrItem* segment = testing::AddSegmentWithLabel(doc, 40 + (i % kPerRow) * 80,
                                                                   60 + (i / kPerRow) * 100, i % 4);
      if (previous != nullptr && i % kPerRow != 0) doc.AddExchange(previous, segment, kInterface);
      previous = segment;
    }
    doc.run_file_path = Run().base;
    view = std::make_unique<ui::COrvoBuilderView>(doc);
    view->resize(1280, 900);
    view->show();
    panel = std::make_unique<ui::ResultsPanel>(*view, platform);
    panel->SetActive(true);
    QElapsedTimer waited;
    waited.start();
    while (panel->Loading() && waited.elapsed() < 120000) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (panel->colouring() == nullptr || panel->colouring()->segment_count() != kSegments) {
      throw std::runtime_error("the run was not read");
    }
    QApplication::processEvents();
  }
  // The slider's next step, as playing makes it.
  void NextStep() {
    QSlider* slider = panel->time_slider();
    slider->setValue(slider->value() >= slider->maximum() ? 0 : slider->value() + 1);
  }
};

// One played frame: the next time step's colours and the repaint of the whole viewport.
void BM_PlayFrame(benchmark::State& state) {
  ColouredView open;
  if (state.range(0) != 0) open.view->ZoomFit();  // every segment on screen at once
  QImage image(open.view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    open.NextStep();
    open.view->viewport()->render(&image);
  }
}
BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The colours alone, without painting: the share of a frame the results add.
void BM_NextStepColours(benchmark::State& state) {
  ColouredView open;
  for (auto _ : state) open.NextStep();
}
BENCHMARK(BM_NextStepColours)->Unit(benchmark::kMillisecond);

}  // namespace
