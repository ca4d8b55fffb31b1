// The text of the run's output files: the two data files (transport variables and model
// results) in the layout the output reader takes, and the mass-balance record.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/simulation.h"

namespace orvo::engine {

// The part of a data file before its first record: a count of header lines, those lines,
// a line on the output times, a line on the segments, then one line per variable. Every
// line is cut to stay readable (under 512 characters) and freed of control characters.
std::string DataFileHead(const std::vector<std::string>& header_lines,
                         const std::string& times_line, const std::string& segments_line,
                         const std::vector<std::string>& variable_names);

// One record: the segment number in columns 1-6 and the time in columns 7-16, then the
// values six to a line (the last line filled up with zeros).
void AppendRecord(std::string& out, int segment, double time, const double* values, int count);

// The time field of a record: ten columns, as many decimals as fit.
std::string TimeField(double time);

// Variable names ("... {units)") of the two data files.
std::vector<std::string> TransportVariableNames();
std::vector<std::string> ModelVariableNames(const EngineModel& model);

// Writes the files of one run into strings as the run goes; the caller puts them on disk.
class RunFiles : public OutputSink {
 public:
  RunFiles(const EngineModel& model, const std::string& program, size_t output_times);

  bool Write(const Simulation& simulation, double time, std::string& error) override;

  // Text produced since the last call (the caller appends it to the file), so that a long
  // run never holds its whole output in memory.
  std::string TakeTransport() { return std::exchange(transport_, {}); }
  std::string TakeModel() { return std::exchange(model_text_, {}); }
  std::string TakeBalance() { return std::exchange(balance_, {}); }

 private:
  const EngineModel& model_;
  std::string transport_, model_text_, balance_;
  std::vector<double> values_;
};

}  // namespace orvo::engine
