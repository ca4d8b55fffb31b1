// What a run's reader holds, as text: its deck header, then per table each variable's name,
// units and largest value and its values per time step, a column per segment ("-" for a value
// that cannot be had).
#pragma once

#include <string>

#include "model/number_text.h"
#include "results/orvo_output_data.h"

namespace orvo::testing {

inline std::string ResultsDump(const OrvoOutputData& data) {
  std::string text = "title1 " + data.title1 + "\ntitle2 " + data.title2 + "\nsegments " +
                     IntText(data.number_of_segments) + "\nsimulation type " +
                     IntText(data.simulation_type) + "\n";
  for (const OutputTable table : {OutputTable::kTransport, OutputTable::kModel}) {
    const int steps = data.GetNumTimeSteps(table);
    text += std::string(table == OutputTable::kTransport ? "transport" : "model") +
            " table: " + IntText(data.GetNumVariables(table)) + " variables, " + IntText(steps) +
            " time steps\n";
    for (int v = 0; v < data.GetNumVariables(table); ++v) {
      double value = 0;
      text += "variable " + data.GetName(table, v) + " | units " + data.GetUnits(table, v) +
              " | max " + (data.GetMaximum(table, v, -1, value) ? CFormat("%.10g", value) : "-") +
              "\n";
      for (int t = 0; t < steps; ++t) {
        text += CFormat("%10.4f:", data.GetTime(table, t));
        for (int s = 0; s < data.number_of_segments && s < 100; ++s)
          text += data.GetValue(table, v, s, t, value) ? CFormat(" %.10g", value) : " -";
        text += "\n";
      }
    }
  }
  return text;
}

}  // namespace orvo::testing
