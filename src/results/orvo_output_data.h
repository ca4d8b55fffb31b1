// The results of one model run in memory: the deck header of the run and the two tables of
// time series the model programs leave beside the deck (transport variables in ".trn", the
// model's own results in ".fdf", ".vdf" or the file without extension). Read once, then only
// read from; a run that is read again gets a new object.
#pragma once

#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "results/output_table.h"

namespace orvo {

class Platform;

// One output variable: its name line, its units and one series per segment, each holding one
// value per time step of its file, in time order.
struct OutputVariable {
  std::string name;
  std::string units;
  std::vector<std::vector<double>> series;  // [segment][time step]
};

class OrvoOutputData {
 public:
  // path is normally a run file path (the deck's path without its extension). basename is the
  // path with the extension of its file name dropped; directories keep their dots.
  explicit OrvoOutputData(std::string path = {});

  // Reads basename + ".inp": titles, number of segments, simulation type. Failures are shown
  // through platform; false then.
  bool ReadInputData(Platform& platform);
  // Reads basename + ".trn", then basename + the model extension (needs ReadInputData first).
  // Stops at the first failure, which is shown through platform; what was read stays. A long
  // read reports its progress through platform (per file, 0 to 1000); when the user stops it,
  // it ends without a message and read_cancelled is set.
  bool ReadOutputData(Platform& platform);

  // kTransport selects the ".trn" tables. All indices 0-based.
  bool GetValue(OutputTable table, int variable, int segment, int time_step, double& value) const;
  // Largest value of one segment over all time steps, or of all segments when segment is -1.
  // false when the variable (or segment) is beyond its count; 0 when there is nothing to scan.
  bool GetMaximum(OutputTable table, int variable, int segment, double& value) const;
  // "<error>" when the variable is beyond the count.
  std::string GetName(OutputTable table, int variable) const;
  std::string GetUnits(OutputTable table, int variable) const;
  int GetNumVariables(OutputTable table) const;
  int GetNumTimeSteps(OutputTable table) const;
  // 0 when the time step is beyond the count.
  double GetTime(OutputTable table, int time_step) const;
  const std::vector<OutputVariable>& Variables(OutputTable table) const {
    return table == OutputTable::kTransport ? transport_variables : model_variables;
  }
  const std::vector<double>& Times(OutputTable table) const {
    return table == OutputTable::kTransport ? transport_times : model_times;
  }

  // The segments the output files hold values for: NOSEG when a file was read, bounded by
  // what was read otherwise (0 when no file could be read).
  int HeldSegments() const;

  // ".fdf", ".vdf" or "" by simulation type 0, 1, 2 ("" for any other).
  static std::string ModelExtension(SimulationType simulation_type);
  // The path without the extension of its file name ("/data/v1.2/river.inp" ->
  // "/data/v1.2/river"; "/data/v1.2/river" stays).
  static std::string StripExtension(const std::string& path);

  std::string pathname;
  std::string basename;
  SimulationType simulation_type = kFenu5;
  int number_of_segments = 0;
  std::string title1;
  std::string title2;
  std::vector<OutputVariable> transport_variables;
  std::vector<OutputVariable> model_variables;
  std::vector<double> transport_times;
  std::vector<double> model_times;
  bool read_cancelled = false;  // the user stopped ReadOutputData

 private:
  bool ReadOutputFile(Platform& platform, const std::string& extension,
                      std::vector<OutputVariable>& variables, std::vector<double>& times);
};

}  // namespace orvo
