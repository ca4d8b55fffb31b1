// Reading the log of an archive with many revisions, each named: linear in the log's size.
#include <benchmark/benchmark.h>

#include <string>

#include "vcs/rcs_log.h"

namespace {

std::string SyntheticLog(int revisions) {
  std::string log = "\nRCS file: RCS/river.orb,v\nWorking file: river.orb\nhead: 1." +
                    std::to_string(revisions) + "\nsymbolic names:\n";
  for (int r = revisions; r >= 1; --r)
    log += "\tname" + std::to_string(r) + ": 1." + std::to_string(r) + "\n";
  log += "keyword substitution: b\ntotal revisions: " + std::to_string(revisions) +
         ";\tselected revisions: " + std::to_string(revisions) + "\ndescription:\nRiver study\n";
  for (int r = revisions; r >= 1; --r) {
    log += "----------------------------\nrevision 1." + std::to_string(r) +
           "\ndate: 2024/05/01 12:00:00;  author: modeller;  state: Exp;\nChanged the flows of "
           "card D\nand the volumes of card C\n";
  }
  return log + "=============================================================================\n";
}

void BM_ParseRcsLog(benchmark::State& state) {
  const std::string log = SyntheticLog(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    orvo::RcsLog parsed;
    benchmark::DoNotOptimize(orvo::ParseRcsLog(log, parsed));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * log.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseRcsLog)->RangeMultiplier(8)->Range(64, 32768)->Complexity(benchmark::oN);

}  // namespace
