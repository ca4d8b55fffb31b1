// Network editing and the project file on a river of N segments: each segment with its ID
// label tethered to it, an exchange from each segment to the next, and an inflow and an
// outflow at the ends, all built through the document operations the drawing view uses.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

struct Network {
  ScriptedPlatform platform;
  COrvoBuilderDoc document{platform};
};

// A fresh document as a freshly started program has it.
std::unique_ptr<Network> EmptyNetwork() {
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  auto network = std::make_unique<Network>();
  // A typed project, so that every segment carries its type's full parameter record.
  network->document.group_a.SIMTYP = kFenu5;
  network->document.group_a.NOSYS = vocabulary::SystemCount(kFenu5);
  return network;
}

void BuildRiver(COrvoBuilderDoc& document, int segments) {
  COrvoBuilderCntrItem* previous = nullptr;
  for (int i = 0; i < segments; ++i) {
    // Rows of 100 segments, as a long network is laid out on the drawing.
    COrvoBuilderCntrItem* segment =
        testing::AddSegmentWithLabel(document, 100 + 80 * (i % 100), 100 + 120 * (i / 100));
    segment->SetParameter(9, RealText(1000.0 + i));
    document.AddExchange(previous, segment, previous ? kInterface : kInflow);
    previous = segment;
  }
  document.AddExchange(previous, nullptr, kOutflow);
}

std::unique_ptr<Network> River(int segments) {
  auto network = EmptyNetwork();
  BuildRiver(network->document, segments);
  return network;
}

// Destroying a large document takes a while and is not what is measured.
void DestroyUntimed(benchmark::State& state, std::unique_ptr<Network>& network) {
  state.PauseTiming();
  network.reset();
  state.ResumeTiming();
}

void BM_BuildNetwork(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto network = River(segments);
    benchmark::DoNotOptimize(network->document.nodes().data());
    DestroyUntimed(state, network);
  }
  state.SetItemsProcessed(state.iterations() * segments);
}

void BM_SaveProject(benchmark::State& state, bool to_file) {
  const int segments = static_cast<int>(state.range(0));
  auto network = River(segments);
  COrvoBuilderDoc& document = network->document;
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("orvo_bench_" + std::to_string(::getpid()) + ".orb");
  size_t size = 0;
  for (auto _ : state) {
    if (to_file) {
      if (!document.Save(path.string())) {
        state.SkipWithError("saving to the temporary directory failed");
        break;
      }
      size = std::filesystem::file_size(path);
    } else {
      const std::string bytes = document.SaveToBytes();
      size = bytes.size();
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void BM_LoadProject(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  const std::string bytes = River(segments)->document.SaveToBytes();
  for (auto _ : state) {
    state.PauseTiming();
    auto network = EmptyNetwork();
    state.ResumeTiming();
    std::string error;
    if (!network->document.LoadFromBytes(bytes, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    DestroyUntimed(state, network);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void BM_DeleteMiddleSegment(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto network = River(segments);
    COrvoBuilderDoc& document = network->document;
    COrvoBuilderCntrItem* middle = document.GetSegmentNode(segments / 2);
    state.ResumeTiming();
    document.DeleteNode(middle);
    state.PauseTiming();
    if (document.group_a.NOSEG != segments - 1) state.SkipWithError("the segment was not deleted");
    network.reset();
    state.ResumeTiming();
  }
}

// One undoable gesture on a large project: the step around a move, then its undo.
void BM_MoveStepAndUndo(benchmark::State& state, bool undo) {
  const int segments = static_cast<int>(state.range(0));
  auto network = River(segments);
  COrvoBuilderDoc& document = network->document;
  for (auto _ : state) {
    if (undo) {
      state.PauseTiming();
    }
    {
      ScopedStep step(document, "Move");
      COrvoBuilderCntrItem* segment = document.GetSegmentNode(segments / 2);
      segment->SetRect(segment->left() + 5, segment->top(), segment->left() + 37,
                       segment->top() + 32);
    }
    if (undo) {
      state.ResumeTiming();
      if (!document.Undo()) state.SkipWithError("nothing to undo");
    }
  }
}

// Iterations are fixed per size: the untimed network building of the larger sizes would
// otherwise make the run take many minutes.
struct Size {
  int segments;
  int iterations;
};
constexpr Size kSizes[] = {{1000, 30}, {10000, 10}, {100000, 3}};

template <typename Function, typename... Args>
void Register(const char* name, Function function, Args... args) {
  for (const Size& size : kSizes) {
    benchmark::RegisterBenchmark(name, function, args...)
        ->Arg(size.segments)
        ->Iterations(size.iterations)
        // Wall-clock time: a save waits for the disk, and the user waits for all of it.
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
  }
}

const bool kRegistered = [] {
  Register("BM_BuildNetwork", BM_BuildNetwork);
  Register("BM_SaveProject/bytes", BM_SaveProject, false);
  Register("BM_SaveProject/file", BM_SaveProject, true);
  Register("BM_LoadProject", BM_LoadProject);
  Register("BM_DeleteMiddleSegment", BM_DeleteMiddleSegment);
  Register("BM_MoveStep", BM_MoveStepAndUndo, false);
  Register("BM_MoveUndo", BM_MoveStepAndUndo, true);
  return true;
}();

}  // namespace
}  // namespace orvo
