// Small model runs written for the tests: a deck header and the ".trn" and model output files
// in the layout the model programs write, with values given by a function.
#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/number_text.h"
#include "results/orvo_output_data.h"

namespace orvo::testing {

struct RunFiles {
  std::string title1 = "RIVER";
  std::string title2 = "BASE RUN";
  int segments = 3;
  int systems = 6;  // FENU5; 8 VERDA5, 7 KOBAL5
  std::vector<std::string> transport_names = {"FLOW"};
  std::vector<std::string> model_names = {"CHEMICAL", "SOLIDS"};
  std::vector<double> times = {0, 1, 2};  // of both files
  // The value of a variable (0-based within its file) at a segment (1-based) and time step.
  std::function<double(OutputTable table, int variable, int segment, int step)> value =
      [](OutputTable, int variable, int segment, int step) { return variable + segment + step; };
};

inline std::string OutputFileText(const RunFiles& run, OutputTable table) {
  const std::vector<std::string>& names =
      table == OutputTable::kTransport ? run.transport_names : run.model_names;
  std::string text = "1\nheader line\n" + IntText(static_cast<long long>(run.times.size())) +
                     " time steps\n" + IntText(run.segments) + " segments\n";
  for (const std::string& name : names) text += name + "\n";
  const int variables = static_cast<int>(names.size());
  for (std::size_t t = 0; t < run.times.size(); ++t) {
    for (int s = 1; s <= run.segments; ++s) {
      text += CFormat("%6d%10.3f\n", s, run.times[t]);
      for (int line = 0; line < (variables + 5) / 6; ++line) {
        for (int k = 0; k < 6; ++k) {
          const int v = line * 6 + k;
          const double value = v < variables ? run.value(table, v, s, static_cast<int>(t)) : 0;
          text += CFormat(" %.10g", value);
        }
        text += "\n";
      }
    }
  }
  return text;
}

// Writes base + ".inp", ".trn", the model file and an empty ".out"; gives base + ".out", the
// path a user picks.
inline std::string WriteRun(const std::string& base, const RunFiles& run) {
  std::ofstream(base + ".inp", std::ios::binary)
      << run.title1 << "\n"
      << run.title2 << "\nskipped\n"
      << run.segments << " " << run.systems << " 0 0 0 0 0 1.0 1.0 1.0 1.0 0 0\n";
  std::ofstream(base + ".trn", std::ios::binary) << OutputFileText(run, OutputTable::kTransport);
  const std::string model = run.systems == 7 ? "" : run.systems == 8 ? ".vdf" : ".fdf";
  std::ofstream(base + model, std::ios::binary) << OutputFileText(run, OutputTable::kModel);
  std::ofstream(base + ".out", std::ios::binary) << "";
  return base + ".out";
}

}  // namespace orvo::testing
