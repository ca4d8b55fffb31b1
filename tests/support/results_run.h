// Writes a FENU5 run the way the model programs leave it: the deck header (run + ".inp") and
// the two output files (".trn" and ".fdf") with the same variables and values.
#pragma once

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace orvo::testing {

using RunValues = std::function<double(int variable, int segment, int step)>;

// Time step t is at day times[t]; segments and variables are 0-based in values.
inline void WriteResultsRun(const std::string& run, int segments,
                            const std::vector<std::string>& names, const std::vector<double>& times,
                            const RunValues& values) {
  std::ofstream(run + ".inp", std::ios::binary) << "T1\nT2\nx\n" << segments << " 6\n";
  std::string out = "0\nsteps\nsegments\n";
  for (const std::string& name : names) out += name + '\n';
  char field[64];
  for (std::size_t t = 0; t < times.size(); ++t) {
    for (int s = 0; s < segments; ++s) {
      std::snprintf(field, sizeof field, "%6d%10.3f\n", s + 1, times[t]);
      out += field;
      for (std::size_t v = 0; v < names.size() || v == 0; v += 6) {
        for (std::size_t j = v; j < v + 6; ++j) {
          std::snprintf(field, sizeof field, " %.6g",
                        j < names.size() ? values(int(j), s, int(t)) : 0.0);
          out += field;
        }
        out += '\n';
      }
    }
  }
  std::ofstream(run + ".trn", std::ios::binary) << out;
  std::ofstream(run + ".fdf", std::ios::binary) << out;
}

}  // namespace orvo::testing
