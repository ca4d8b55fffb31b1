#include "orvo_output_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string_view>
#include <utility>

#include "line_reader.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/platform.h"
#include "model/text_trim.h"
#include "real_scan.h"

namespace orvo {

namespace {

// The model programs write lines of at most 511 characters; a longer one means the file is
// not what it claims to be.
constexpr std::size_t kMaxOutputLine = 511;
// Deck lines are read only for the header; titles may be long, but not without bound.
constexpr std::size_t kMaxDeckLine = 64 * 1024;
// Values sized beyond twice what the file holds (plus this much) mean an absurd segment or
// variable count rather than a file cut short in its last time step.
constexpr unsigned long long kSlackValues = 1ULL << 16;
// Time steps gathered before they are moved into the series: each move then writes a run of
// 32 values (four cache lines) into a series.
constexpr std::size_t kBlockSteps = 32;
// Records read between two progress reports: a few milliseconds of reading.
constexpr unsigned long long kProgressRecords = 16384;

std::string UnitsOf(std::string_view name) {
  const std::size_t blank = name.rfind(' ');
  std::string units(blank == std::string_view::npos ? name : name.substr(blank));
  std::replace(units.begin(), units.end(), '{', ' ');
  std::replace(units.begin(), units.end(), ')', ' ');
  return std::string(Trim(units));
}

// A line from which "%d %lf" reads two values starts the data.
bool IsDataLine(std::string_view line) {
  const char* p = line.data();
  const char* end = p + line.size();
  long long segment = 0;
  double time = 0;
  return ScanInt(p, end, segment) && ScanReal(p, end, time);
}

}  // namespace

OrvoOutputData::OrvoOutputData(std::string path)
    : pathname(std::move(path)), basename(StripExtension(pathname)) {}

std::string OrvoOutputData::StripExtension(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= name_start) return path;
  return path.substr(0, dot);
}

std::string OrvoOutputData::ModelExtension(SimulationType type) {
  return type == kFenu5 || type == kVerda5 || type == kKobal5 ? orvo::ModelExtension(type) : "";
}

bool OrvoOutputData::ReadInputData(Platform& platform) {
  LineReader reader(basename + ".inp", kMaxDeckLine);
  if (!reader.IsOpen()) {
    platform.ShowMessage("OrvoOutputData::ReadInputData: Unable to open input file " + pathname);
    return false;
  }
  const auto eof_at = [&](int line) {
    platform.ShowMessage("OrvoOutputData::ReadInputData: Unexpected EOF at line " + IntText(line) +
                         " in file " + pathname);
    return false;
  };
  std::string_view line;
  if (reader.Next(line) != LineReader::Status::kLine) return eof_at(1);
  if (line.find("KOBALS") != std::string_view::npos) {
    if (reader.Next(line) != LineReader::Status::kLine) return eof_at(2);
  }
  std::string first_title(TrimRight(line));
  if (reader.Next(line) != LineReader::Status::kLine) return eof_at(2);
  std::string second_title(TrimRight(line));
  if (reader.Next(line) != LineReader::Status::kLine) return eof_at(3);
  if (reader.Next(line) != LineReader::Status::kLine) return eof_at(4);
  const char* p = line.data();
  const char* end = p + line.size();
  long long segments = 0;
  long long systems = 0;
  if (!ScanInt(p, end, segments) || !ScanInt(p, end, systems)) {
    platform.ShowMessage(
        "OrvoOutputData::ReadInputData: Failure to read no. of segments and no. of systems in "
        "file " +
        pathname);
    return false;
  }
  title1 = std::move(first_title);
  title2 = std::move(second_title);
  number_of_segments = static_cast<int>(std::clamp<long long>(
      segments, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
  simulation_type = systems == 7 ? kKobal5 : systems == 8 ? kVerda5 : kFenu5;
  return true;
}

bool OrvoOutputData::ReadOutputData(Platform& platform) {
  if (!ReadOutputFile(platform, ".trn", transport_variables, transport_times)) return false;
  return ReadOutputFile(platform, ModelExtension(simulation_type), model_variables, model_times);
}

namespace {

// One output file on its way in: its lines, its messages, and its share of the progress bar
// (the first pass 0 to 500, the second 500 to 1000). A progress window, once shown, closes
// whichever way the reading ends.
class OutputFileReading {
 public:
  OutputFileReading(Platform& platform, std::string file, std::string out_file, bool& cancelled)
      : platform_(platform),
        file_(std::move(file)),
        out_file_(std::move(out_file)),
        reader_(file_, kMaxOutputLine),
        cancelled_(cancelled),
        progress_text_("Reading " + file_),
        too_long_("Line longer than " + IntText(kMaxOutputLine) + " characters in file " + file_) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file_, error);
    file_size_ = error ? 0 : static_cast<long long>(size);
  }
  ~OutputFileReading() {
    if (progress_shown_) platform_.Progress(1000, 1000, progress_text_);
  }
  OutputFileReading(const OutputFileReading&) = delete;
  OutputFileReading& operator=(const OutputFileReading&) = delete;

  bool IsOpen() const { return reader_.IsOpen(); }
  const std::string& file() const { return file_; }
  std::string_view line() const { return line_; }
  long long Offset() const { return reader_.Offset(); }
  bool Seek(long long offset) { return reader_.Seek(offset); }

  bool Fail(const std::string& text) {
    platform_.ShowMessage("OrvoOutputData::ReadOutputData: " + text);
    return false;
  }
  // Reads one line; false (after the message) at the end of the file or on a runaway line.
  // The message is put together only when it is needed: this runs for every line.
  bool Next(const char* eof_text) {
    const LineReader::Status status = reader_.Next(line_);
    if (status == LineReader::Status::kLine) return true;
    return Fail(status == LineReader::Status::kTooLong ? too_long_
                                                       : eof_text + (" in file " + out_file_));
  }
  // The first line, whose end has a message of its own.
  bool First(const std::string& eof_text) {
    const LineReader::Status status = reader_.Next(line_);
    if (status == LineReader::Status::kLine) return true;
    return Fail(status == LineReader::Status::kTooLong ? too_long_ : eof_text);
  }
  // A line that may be missing at the end of the file: kEnd then, false after the message
  // for a runaway line.
  bool Optional(LineReader::Status& status) {
    status = reader_.Next(line_);
    return status != LineReader::Status::kTooLong || Fail(too_long_);
  }
  // False when the user asked to stop.
  bool KeepGoing(int pass) {
    if (file_size_ <= 0) return true;
    progress_shown_ = true;
    const long long done = std::min(reader_.Offset(), file_size_) * 500 / file_size_;
    if (platform_.Progress(static_cast<int>(pass * 500 + done), 1000, progress_text_)) return true;
    cancelled_ = true;
    return false;
  }
  // The time field is columns 7 to 16 of a record's header line.
  bool ReadTime(double& time) {
    const std::string_view field = line_.size() > 6 ? line_.substr(6, 10) : std::string_view();
    const char* p = field.data();
    if (ScanReal(p, p + field.size(), time)) return true;
    return Fail("Parse error reading the time (expected a number in columns 7 to 16 and got \"" +
                std::string(line_) + "\") in file " + file_);
  }
  Platform& platform() { return platform_; }
  const std::string& out_file() const { return out_file_; }

 private:
  Platform& platform_;
  const std::string file_;
  const std::string out_file_;
  LineReader reader_;
  bool& cancelled_;
  const std::string progress_text_;
  const std::string too_long_;
  long long file_size_ = 0;
  bool progress_shown_ = false;
  std::string_view line_;
};

// The file's head: the header lines skipped, then the variable names up to the first data
// line, whose offset is kept for the second pass.
bool ReadVariableNames(OutputFileReading& in, const std::string& first_line_eof,
                       std::vector<OutputVariable>& variables, long long& first_data) {
  if (!in.First(first_line_eof)) return false;
  const long long header_lines = AtoI(in.line());
  for (long long i = 0; i < header_lines; ++i) {
    if (!in.Next("Unexpected EOF while skipping header lines")) return false;
  }
  if (!in.Next("Unexpected EOF while reading timestep data")) return false;
  if (!in.Next("Unexpected EOF while reading number of segments")) return false;
  for (;;) {
    first_data = in.Offset();
    if (!in.Next("Unexpected EOF while reading parameter names")) return false;
    if (IsDataLine(in.line())) return true;
    const std::string_view name = TrimRight(in.line());
    variables.push_back({std::string(name), UnitsOf(name), {}});
  }
}

// First pass: the time of every time step, and the segment records the file holds; a time
// step cut short still counts. The first data line has been read.
bool CountTimeSteps(OutputFileReading& in, std::size_t segments, std::size_t value_lines,
                    std::vector<double>& times, unsigned long long& records) {
  records = 0;
  bool more = true;
  while (more) {
    for (std::size_t s = 0; s < segments && more; ++s) {
      if (s == 0) {
        double time = 0;
        if (!in.ReadTime(time)) return false;
        times.push_back(time);
      }
      LineReader::Status status;
      for (std::size_t i = 0; i < value_lines; ++i) {
        if (!in.Optional(status)) return false;
        if (status == LineReader::Status::kEnd) {
          in.platform().ShowMessage(
              "OutputDlg::UpdateOutputView: Unexpected EOF while reading data values in file " +
              in.out_file());
          return false;
        }
      }
      ++records;
      if (records % kProgressRecords == 0 && !in.KeepGoing(0)) return false;
      if (!in.Optional(status)) return false;
      more = status == LineReader::Status::kLine;
    }
  }
  return true;
}

// Second pass: the values. They arrive time step by time step but are kept series by series;
// storing each straight into its series would touch another page for every value. A block of
// time steps is gathered series by series instead, and each series then receives a run of
// consecutive values. What was read before a failure stays in the series.
bool ReadValues(OutputFileReading& in, std::size_t segments, std::size_t variable_count,
                std::size_t steps, const std::vector<std::vector<double>*>& series_of) {
  const std::size_t values_per_step = segments * variable_count;
  const std::size_t block_steps = std::min(kBlockSteps, steps);
  std::vector<double> block(values_per_step * block_steps);  // [segment][variable][step]
  // Moves whole_steps gathered steps into the series, and of the step after them the first
  // `partial` values in file order.
  const auto move_block = [&](std::size_t whole_steps, std::size_t partial) {
    for (std::size_t i = 0; i < values_per_step; ++i) {
      const auto from = block.begin() + static_cast<std::ptrdiff_t>(i * block_steps);
      series_of[i]->insert(series_of[i]->end(), from,
                           from + static_cast<std::ptrdiff_t>(whole_steps + (i < partial ? 1 : 0)));
    }
  };
  unsigned long long records_read = 0;
  for (std::size_t t = 0; t < steps; ++t) {
    const std::size_t step_in_block = t % block_steps;
    for (std::size_t s = 0; s < segments; ++s) {
      const std::size_t first_value = s * variable_count;
      if (++records_read % kProgressRecords == 0 && !in.KeepGoing(1)) {
        move_block(step_in_block, first_value);
        return false;
      }
      if (!in.Next("Unexpected EOF while reading segment & timestep")) {
        move_block(step_in_block, first_value);
        return false;
      }
      // An index, not a pointer: the block is empty when the file names no variables.
      const std::size_t record = first_value * block_steps + step_in_block;
      for (std::size_t v = 0; v < variable_count; v += 6) {
        if (!in.Next("Unexpected EOF while reading data values")) {
          move_block(step_in_block, first_value + v);
          return false;
        }
        double values[6];
        if (!ScanSixReals(in.line(), values)) {
          move_block(step_in_block, first_value + v);
          return in.Fail("Parse error reading data values (expected 6 floats and got \"" +
                         std::string(in.line()) + "\") in file " + in.out_file());
        }
        const std::size_t count = std::min<std::size_t>(6, variable_count - v);
        for (std::size_t k = 0; k < count; ++k) block[record + (v + k) * block_steps] = values[k];
      }
    }
    if (step_in_block + 1 == block_steps || t + 1 == steps) move_block(step_in_block + 1, 0);
  }
  return true;
}

}  // namespace

bool OrvoOutputData::ReadOutputFile(Platform& platform, const std::string& extension,
                                    std::vector<OutputVariable>& variables,
                                    std::vector<double>& times) {
  OutputFileReading in(platform, basename + extension, basename + ".out", read_cancelled);
  if (!in.IsOpen()) {
    platform.ShowMessage("OrvoOutputData::ReadOutputData: Unable to open output file " + in.file());
    return false;
  }
  variables.clear();
  times.clear();
  read_cancelled = false;
  if (number_of_segments < 1) {
    return in.Fail("Number of segments " + IntText(number_of_segments) + " in " + basename +
                   ".inp is not positive; unable to read file " + in.file());
  }
  long long first_data = 0;
  if (!ReadVariableNames(in, "Unexpected EOF at line 1 in file " + pathname + ".out", variables,
                         first_data)) {
    return false;
  }
  const std::size_t segments = static_cast<std::size_t>(number_of_segments);
  const std::size_t variable_count = variables.size();
  unsigned long long records = 0;
  if (!CountTimeSteps(in, segments, (variable_count + 5) / 6, times, records)) return false;

  const std::size_t steps = times.size();
  unsigned long long sized = 0;
  if (__builtin_mul_overflow(static_cast<unsigned long long>(steps),
                             static_cast<unsigned long long>(segments), &sized) ||
      __builtin_mul_overflow(sized, static_cast<unsigned long long>(variable_count), &sized) ||
      sized > 2 * records * variable_count + kSlackValues) {
    // Far more segments than the file holds records: the deck's count is not this file's.
    return in.Fail("The number of segments " + IntText(number_of_segments) + " of " + basename +
                   ".inp is far more than the " + IntText(static_cast<long long>(records)) +
                   " segment records of file " + in.file() + " hold; unable to read the file");
  }
  // Every series gets its memory once and each value is written once: the second pass
  // appends, and whatever a failure leaves unread is then filled with 0, so that every series
  // ends with one value per counted time step.
  std::vector<std::vector<double>*> series_of(segments * variable_count);  // [segment][variable]
  for (std::size_t v = 0; v < variable_count; ++v) {
    std::vector<std::vector<double>>& series = variables[v].series;
    series.resize(segments);
    for (std::size_t s = 0; s < segments; ++s) {
      series[s].reserve(steps);
      series_of[s * variable_count + v] = &series[s];
    }
  }
  struct SizeSeries {
    std::vector<std::vector<double>*>& series_of;
    std::size_t steps;
    ~SizeSeries() {
      for (std::vector<double>* series : series_of) series->resize(steps);
    }
  } size_series{series_of, steps};

  if (!in.Seek(first_data)) {
    return in.Fail("Unexpected EOF while reading segment & timestep in file " + in.out_file());
  }
  return ReadValues(in, segments, variable_count, steps, series_of);
}

bool OrvoOutputData::GetValue(OutputTable table, int variable, int segment, int time_step,
                              double& value) const {
  const std::vector<OutputVariable>& variables = Variables(table);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return false;
  const auto& series = variables[static_cast<std::size_t>(variable)].series;
  if (segment < 0 || static_cast<std::size_t>(segment) >= series.size()) return false;
  const auto& values = series[static_cast<std::size_t>(segment)];
  if (time_step < 0 || static_cast<std::size_t>(time_step) >= values.size()) return false;
  value = values[static_cast<std::size_t>(time_step)];
  return true;
}

bool OrvoOutputData::GetMaximum(OutputTable table, int variable, int segment, double& value) const {
  const std::vector<OutputVariable>& variables = Variables(table);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return false;
  const auto& series = variables[static_cast<std::size_t>(variable)].series;
  if (segment < -1 || (segment >= 0 && static_cast<std::size_t>(segment) >= series.size())) {
    return false;
  }
  value = 0;
  bool started = false;
  const auto scan = [&](const std::vector<double>& values) {
    for (double v : values) {
      if (!started || v > value) value = v;
      started = true;
    }
  };
  if (segment >= 0) {
    scan(series[static_cast<std::size_t>(segment)]);
  } else {
    for (const auto& values : series) scan(values);
  }
  return true;
}

std::string OrvoOutputData::GetName(OutputTable table, int variable) const {
  const std::vector<OutputVariable>& variables = Variables(table);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return "<error>";
  return variables[static_cast<std::size_t>(variable)].name;
}

std::string OrvoOutputData::GetUnits(OutputTable table, int variable) const {
  const std::vector<OutputVariable>& variables = Variables(table);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return "<error>";
  return variables[static_cast<std::size_t>(variable)].units;
}

int OrvoOutputData::HeldSegments() const {
  std::size_t held = 0;
  for (const auto* variables : {&transport_variables, &model_variables}) {
    for (const OutputVariable& variable : *variables) held = std::max(held, variable.series.size());
  }
  return static_cast<int>(
      std::min<std::size_t>(held, static_cast<std::size_t>(std::max(number_of_segments, 0))));
}

int OrvoOutputData::GetNumVariables(OutputTable table) const {
  return static_cast<int>(Variables(table).size());
}

int OrvoOutputData::GetNumTimeSteps(OutputTable table) const {
  return static_cast<int>(Times(table).size());
}

double OrvoOutputData::GetTime(OutputTable table, int time_step) const {
  const std::vector<double>& times = Times(table);
  if (time_step < 0 || static_cast<std::size_t>(time_step) >= times.size()) return 0;
  return times[static_cast<std::size_t>(time_step)];
}

}  // namespace orvo
