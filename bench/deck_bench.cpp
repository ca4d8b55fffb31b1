// Writing and reading input decks of a synthetic network (see synthetic_deck.h).
//
// The pipeline benchmarks (floor, parse, build, read and build, write, project save and load)
// all work on the deck of one such network, so that their MB/s compare: each against the
// floor, which only splits the same text into lines and converts every number in it.
#include <benchmark/benchmark.h>

#include <cctype>
#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <unistd.h>

#include "deck/deck_reader.h"
#include "deck/deck_writer.h"
#include "model/file_replace.h"
#include "synthetic_deck.h"

namespace orvo {
namespace {

using bench::Project;
using bench::SyntheticProject;

void BM_WriteDeck(benchmark::State& state) {
  auto project = SyntheticProject(static_cast<int>(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    bool ok = false;
    const std::string text = DeckText(project->document, ok);
    if (!ok) state.SkipWithError("the deck could not be written");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["deck_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_ReadDeckAndBuildNetwork(benchmark::State& state) {
  std::string text;
  {
    auto project = SyntheticProject(static_cast<int>(state.range(0)));
    bool ok = false;
    text = DeckText(project->document, ok);
  }
  for (auto _ : state) {
    state.PauseTiming();
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    auto target = std::make_unique<Project>();
    state.ResumeTiming();
    auto reader = std::make_shared<OrvoClass>(text, "/nonexistent", target->platform);
    if (reader->record() == nullptr) state.SkipWithError("the deck could not be read");
    target->document.dataset_reader = reader;
    BuildNetwork(target->document, reader.get());
    benchmark::DoNotOptimize(target->document.nodes().size());
    state.PauseTiming();
    target.reset();
    reader.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}

// The deck text of a synthetic network, made once per size.
const std::string& DeckOf(int segments) {
  static std::map<int, std::string> decks;
  std::string& text = decks[segments];
  if (text.empty()) {
    auto project = SyntheticProject(segments);
    bool ok = false;
    text = DeckText(project->document, ok);
  }
  return text;
}

// A project read from the deck of a synthetic network, as `orvo read` builds it.
std::unique_ptr<Project> ReadProject(const std::string& text) {
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  auto project = std::make_unique<Project>();
  project->document.dataset_reader =
      std::make_shared<OrvoClass>(text, "/nonexistent", project->platform);
  BuildNetwork(project->document);
  return project;
}

void Throughput(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The least any reader of the deck must do: find the lines and convert every number.
void BM_Floor(benchmark::State& state) {
  const std::string& text = DeckOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::istringstream in(text);
    std::string line;
    double sum = 0;
    size_t numbers = 0;
    while (std::getline(in, line)) {
      const char* at = line.data();
      const char* end = at + line.size();
      while (at < end) {
        while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
        const char* token = at;
        while (at < end && !std::isspace(static_cast<unsigned char>(*at))) ++at;
        double value;
        if (std::from_chars(token, at, value).ec == std::errc()) {
          sum += value;
          ++numbers;
        }
      }
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(numbers);
  }
  Throughput(state, text.size());
}

void BM_ParseDeck(benchmark::State& state) {
  const std::string& text = DeckOf(static_cast<int>(state.range(0)));
  ScriptedPlatform platform;
  for (auto _ : state) {
    OrvoClass reader(text, "/nonexistent", platform);
    if (reader.record() == nullptr) state.SkipWithError("the deck could not be read");
    benchmark::DoNotOptimize(reader.record());
  }
  Throughput(state, text.size());
}

// Building the network from a deck parsed once; the deck's bytes give the rate.
void BM_BuildFromDeck(benchmark::State& state) {
  const std::string& text = DeckOf(static_cast<int>(state.range(0)));
  ScriptedPlatform platform;
  const auto reader = std::make_shared<const OrvoClass>(text, "/nonexistent", platform);
  for (auto _ : state) {
    state.PauseTiming();
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    auto target = std::make_unique<Project>();
    target->document.dataset_reader = reader;
    state.ResumeTiming();
    BuildNetwork(target->document);
    benchmark::DoNotOptimize(target->document.nodes().size());
    state.PauseTiming();
    target.reset();
    state.ResumeTiming();
  }
  Throughput(state, text.size());
}

void BM_ReadAndBuild(benchmark::State& state) {
  const std::string& text = DeckOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    auto target = std::make_unique<Project>();
    state.ResumeTiming();
    auto reader = std::make_shared<OrvoClass>(text, "/nonexistent", target->platform);
    if (reader->record() == nullptr) state.SkipWithError("the deck could not be read");
    target->document.dataset_reader = reader;
    BuildNetwork(target->document, reader.get());
    benchmark::DoNotOptimize(target->document.nodes().size());
    state.PauseTiming();
    target.reset();
    reader.reset();
    state.ResumeTiming();
  }
  Throughput(state, text.size());
}

// Writing the deck of the network read from it (the same bytes come out).
void BM_WriteReadDeck(benchmark::State& state) {
  const std::string& deck = DeckOf(static_cast<int>(state.range(0)));
  const auto project = ReadProject(deck);
  size_t bytes = 0;
  for (auto _ : state) {
    bool ok = false;
    const std::string text = DeckText(project->document, ok);
    if (!ok) state.SkipWithError("the deck could not be written");
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  Throughput(state, bytes);
}

// Writing the project read from the synthetic deck into a scratch file with `write`, once per
// iteration; the file's size gives the throughput.
template <class Write>
void FileWriteBenchmark(benchmark::State& state, const char* extension, Write&& write) {
  const auto project = ReadProject(DeckOf(static_cast<int>(state.range(0))));
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("orvo_bench_" + std::to_string(::getpid()) + extension);
  for (auto _ : state) {
    if (!write(project->document, path.string())) state.SkipWithError("nothing was written");
  }
  std::error_code error;
  const auto bytes = std::filesystem::file_size(path, error);
  std::filesystem::remove(path, error);
  Throughput(state, error ? 0 : static_cast<size_t>(bytes));
}

// The deck as the write command writes it: a chunk at a time into the file (no flush to the
// disk).
void BM_OrvoWriteReadDeck(benchmark::State& state) {
  FileWriteBenchmark(state, ".inp", [](const COrvoBuilderDoc& doc, const std::string& path) {
    return OrvoWrite(doc, path);
  });
}

void BM_SaveReadProject(benchmark::State& state) {
  const auto project = ReadProject(DeckOf(static_cast<int>(state.range(0))));
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string saved = project->document.SaveToBytes();
    bytes = saved.size();
    benchmark::DoNotOptimize(saved.data());
  }
  Throughput(state, bytes);
}

// The project saved as "Save" writes its file: handed on a megabyte at a time, then flushed
// to the disk (whose speed is part of the figure).
void BM_SaveReadProjectFile(benchmark::State& state) {
  FileWriteBenchmark(state, ".orb",
                     [](COrvoBuilderDoc& doc, const std::string& path) { return doc.Save(path); });
}

// The disk's part of a save: the same bytes, already made, written a megabyte at a time and
// flushed as a save writes them. BM_SaveReadProjectFile's time beyond this is the making.
void BM_FloorSaveFile(benchmark::State& state) {
  std::string bytes;
  FileWriteBenchmark(state, ".orb", [&](COrvoBuilderDoc& doc, const std::string& path) {
    if (bytes.empty()) {
      state.PauseTiming();
      bytes = doc.SaveToBytes();
      state.ResumeTiming();
    }
    return ReplaceFile(path,
                       [&bytes](const ByteSink& sink) {
                         constexpr size_t kPiece = 1 << 20;
                         for (size_t at = 0; at < bytes.size(); at += kPiece) {
                           if (!sink(std::string_view(bytes).substr(at, kPiece))) return false;
                         }
                         return true;
                       })
        .ok;
  });
}

void BM_LoadReadProject(benchmark::State& state) {
  const std::string saved =
      ReadProject(DeckOf(static_cast<int>(state.range(0))))->document.SaveToBytes();
  for (auto _ : state) {
    state.PauseTiming();
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    auto target = std::make_unique<Project>();
    state.ResumeTiming();
    std::string error;
    if (!target->document.LoadFromBytes(saved, error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(target->document.nodes().size());
    state.PauseTiming();
    target.reset();
    state.ResumeTiming();
  }
  Throughput(state, saved.size());
}

#define ORVO_PIPELINE_BENCHMARK(name) \
  BENCHMARK(name)->Arg(10000)->Arg(99999)->Unit(benchmark::kMillisecond)->UseRealTime()
ORVO_PIPELINE_BENCHMARK(BM_Floor);
ORVO_PIPELINE_BENCHMARK(BM_ParseDeck);
ORVO_PIPELINE_BENCHMARK(BM_BuildFromDeck);
ORVO_PIPELINE_BENCHMARK(BM_ReadAndBuild);
ORVO_PIPELINE_BENCHMARK(BM_WriteReadDeck);
ORVO_PIPELINE_BENCHMARK(BM_OrvoWriteReadDeck);
ORVO_PIPELINE_BENCHMARK(BM_SaveReadProject);
ORVO_PIPELINE_BENCHMARK(BM_SaveReadProjectFile);
ORVO_PIPELINE_BENCHMARK(BM_FloorSaveFile);
ORVO_PIPELINE_BENCHMARK(BM_LoadReadProject);

BENCHMARK(BM_WriteDeck)->Arg(1000)->Arg(10000)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDeckAndBuildNetwork)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(99999)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvo
