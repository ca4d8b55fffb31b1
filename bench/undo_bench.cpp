// Undoable steps on a river of N segments (each with its tethered ID label, exchanges
// between neighbours): the step and its undo together, as one user gesture and its
// Ctrl+Z. A step should cost what it changed, so the figures should hardly grow with N.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "groups/group_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

struct River {
  explicit River(int segments) {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    document.group_a.SIMTYP = kFenu5;
    document.group_a.NOSYS = vocabulary::SystemCount(kFenu5);
    COrvoBuilderCntrItem* previous = nullptr;
    for (int i = 0; i < segments; ++i) {
      COrvoBuilderCntrItem* segment =
          testing::AddSegmentWithLabel(document, 100 + 80 * (i % 100), 100 + 120 * (i / 100));
      document.AddExchange(previous, segment, previous ? kInterface : kInflow);
      previous = segment;
    }
    document.AddExchange(previous, nullptr, kOutflow);
    document.SetModifiedFlag(false);
  }
  ScriptedPlatform platform;
  COrvoBuilderDoc document{platform};
};

void Undo(benchmark::State& state, COrvoBuilderDoc& document) {
  if (!document.Undo()) state.SkipWithError("nothing to undo");
}

// A segment dragged with its label, as the drawing view moves a tethered group.
void BM_MoveAndUndo(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  River river(segments);
  COrvoBuilderDoc& document = river.document;
  // The builder puts each label right after its segment; positions survive an undo,
  // node pointers need not.
  const auto& nodes = document.nodes();
  size_t at = 0;
  while (nodes[at].get() != document.GetSegmentNode(segments / 2)) ++at;
  for (auto _ : state) {
    {
      ScopedStep step(document, "Move", kNoGroups);
      for (size_t k = at; k <= at + 1; ++k) {
        COrvoBuilderCntrItem& node = *nodes[k];
        node.SetRect(node.left() + 5, node.top(), node.left() + 37, node.top() + 32);
      }
      document.SetModifiedFlag();
    }
    Undo(state, document);
  }
}

// A segment's dialog accepted with a new volume.
void BM_EditPropertiesAndUndo(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  River river(segments);
  COrvoBuilderDoc& document = river.document;
  int round = 0;
  for (auto _ : state) {
    COrvoBuilderCntrItem* segment = document.GetSegmentNode(segments / 2);
    {
      ScopedStep step(document, "Edit Properties", kNoGroups);
      document.EditProperties(*segment, [&](COrvoBuilderCntrItem& node) {
        node.SetParameter(9, RealText(2000.0 + ++round));
        return true;
      });
    }
    Undo(state, document);
  }
}

// Group A's dialog accepted with a new title.
void BM_GroupEditAndUndo(benchmark::State& state) {
  const int segments = static_cast<int>(state.range(0));
  River river(segments);
  COrvoBuilderDoc& document = river.document;
  editing::GroupAForm form = editing::OpenGroupA(document);
  int round = 0;
  for (auto _ : state) {
    form.values.TITLE1 = "River " + std::to_string(++round);
    editing::AcceptGroupA(document, form);
    Undo(state, document);
  }
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_MoveAndUndo)->Apply(Sizes);
BENCHMARK(BM_EditPropertiesAndUndo)->Apply(Sizes);
BENCHMARK(BM_GroupEditAndUndo)->Apply(Sizes);

}  // namespace
}  // namespace orvo
