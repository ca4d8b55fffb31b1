#include "orvo_output_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string_view>
#include <utility>

#include "line_reader.h"
#include "model/number_text.h"
#include "model/platform.h"
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

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimRight(text);
  while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
  return text;
}

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

std::string OrvoOutputData::ModelExtension(int type) {
  switch (type) {
    case 0:
      return ".fdf";
    case 1:
      return ".vdf";
    default:
      return "";
  }
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
  simulation_type = systems == 7 ? 2 : systems == 8 ? 1 : 0;
  return true;
}

bool OrvoOutputData::ReadOutputData(Platform& platform) {
  if (!ReadOutputFile(platform, ".trn", transport_variables, transport_times)) return false;
  return ReadOutputFile(platform, ModelExtension(simulation_type), model_variables, model_times);
}

bool OrvoOutputData::ReadOutputFile(Platform& platform, const std::string& extension,
                                    std::vector<OutputVariable>& variables,
                                    std::vector<double>& times) {
  const std::string file = basename + extension;
  LineReader reader(file, kMaxOutputLine);
  if (!reader.IsOpen()) {
    platform.ShowMessage("OrvoOutputData::ReadOutputData: Unable to open output file " + file);
    return false;
  }
  variables.clear();
  times.clear();
  read_cancelled = false;
  const auto fail = [&](const std::string& text) {
    platform.ShowMessage("OrvoOutputData::ReadOutputData: " + text);
    return false;
  };
  const std::string out_file = basename + ".out";
  // Progress per file: the first pass takes 0 to 500, the second 500 to 1000.
  std::error_code size_error;
  const auto file_size = static_cast<long long>(std::filesystem::file_size(file, size_error));
  const std::string progress_text = "Reading " + file;
  bool progress_shown = false;
  const auto keep_going = [&](int pass) {
    if (size_error || file_size <= 0) return true;
    progress_shown = true;
    const long long done = std::min(reader.Offset(), file_size) * 500 / file_size;
    if (platform.Progress(static_cast<int>(pass * 500 + done), 1000, progress_text)) return true;
    read_cancelled = true;
    return false;
  };
  // A progress window, once shown, closes whichever way the read ends.
  struct EndProgress {
    Platform& platform;
    const bool& shown;
    const std::string& text;
    ~EndProgress() {
      if (shown) platform.Progress(1000, 1000, text);
    }
  } end_progress{platform, progress_shown, progress_text};
  if (number_of_segments < 1) {
    return fail("Number of segments " + IntText(number_of_segments) + " in " + basename +
                ".inp is not positive; unable to read file " + file);
  }
  const std::string too_long =
      "Line longer than " + IntText(kMaxOutputLine) + " characters in file " + file;
  std::string_view line;
  // Reads one line; false (after the message) at the end of the file or on a runaway line.
  // The message is put together only when it is needed: this runs for every line.
  const auto next = [&](const char* eof_text) {
    const LineReader::Status status = reader.Next(line);
    if (status == LineReader::Status::kLine) return true;
    return fail(status == LineReader::Status::kTooLong ? too_long
                                                       : eof_text + (" in file " + out_file));
  };

  if (const LineReader::Status status = reader.Next(line); status != LineReader::Status::kLine) {
    return fail(status == LineReader::Status::kTooLong
                    ? too_long
                    : "Unexpected EOF at line 1 in file " + pathname + ".out");
  }
  const long long header_lines = AtoI(line);
  for (long long i = 0; i < header_lines; ++i) {
    if (!next("Unexpected EOF while skipping header lines")) return false;
  }
  if (!next("Unexpected EOF while reading timestep data")) return false;
  if (!next("Unexpected EOF while reading number of segments")) return false;
  long long first_data = 0;
  for (;;) {
    first_data = reader.Offset();
    if (!next("Unexpected EOF while reading parameter names")) return false;
    if (IsDataLine(line)) break;
    const std::string_view name = TrimRight(line);
    variables.push_back({std::string(name), UnitsOf(name), {}});
  }

  const std::size_t segments = static_cast<std::size_t>(number_of_segments);
  const std::size_t variable_count = variables.size();
  const std::size_t value_lines = (variable_count + 5) / 6;
  const auto read_time = [&](double& time) {
    // The time field is columns 7 to 16 of a record's header line.
    const std::string_view field = line.size() > 6 ? line.substr(6, 10) : std::string_view();
    const char* p = field.data();
    if (ScanReal(p, p + field.size(), time)) return true;
    return fail("Parse error reading the time (expected a number in columns 7 to 16 and got \"" +
                std::string(line) + "\") in file " + file);
  };

  // First pass: count the time steps; a time step cut short still counts.
  unsigned long long records = 0;
  bool more = true;
  while (more) {
    for (std::size_t s = 0; s < segments && more; ++s) {
      if (s == 0) {
        double time = 0;
        if (!read_time(time)) return false;
        times.push_back(time);
      }
      for (std::size_t i = 0; i < value_lines; ++i) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::kTooLong) return fail(too_long);
        if (status == LineReader::Status::kEnd) {
          platform.ShowMessage(
              "OutputDlg::UpdateOutputView: Unexpected EOF while reading data values in file " +
              out_file);
          return false;
        }
      }
      ++records;
      if (records % kProgressRecords == 0 && !keep_going(0)) return false;
      const LineReader::Status status = reader.Next(line);
      if (status == LineReader::Status::kTooLong) return fail(too_long);
      more = status == LineReader::Status::kLine;
    }
  }

  const std::size_t steps = times.size();
  unsigned long long sized = 0;
  if (__builtin_mul_overflow(static_cast<unsigned long long>(steps),
                             static_cast<unsigned long long>(segments), &sized) ||
      __builtin_mul_overflow(sized, static_cast<unsigned long long>(variable_count), &sized) ||
      sized > 2 * records * variable_count + kSlackValues) {
    // Far more segments than the file holds records: the deck's count is not this file's.
    return fail("The number of segments " + IntText(number_of_segments) + " of " + basename +
                ".inp is far more than the " + IntText(static_cast<long long>(records)) +
                " segment records of file " + file + " hold; unable to read the file");
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

  if (!reader.Seek(first_data)) {
    return fail("Unexpected EOF while reading segment & timestep in file " + out_file);
  }

  // Second pass: the values. They arrive time step by time step but are kept series by
  // series; storing each straight into its series would touch another page for every value.
  // A block of time steps is gathered series by series instead, and each series then receives
  // a run of consecutive values.
  const std::size_t values_per_step = segments * variable_count;
  const std::size_t block_steps = std::min(kBlockSteps, steps);
  std::vector<double> block(values_per_step * block_steps);  // [segment][variable][step]
  // Moves whole_steps gathered steps into the series, and of the step after them the first
  // `partial` values in file order: what was read before a failure stays.
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
      if (++records_read % kProgressRecords == 0 && !keep_going(1)) {
        move_block(step_in_block, first_value);
        return false;
      }
      if (!next("Unexpected EOF while reading segment & timestep")) {
        move_block(step_in_block, first_value);
        return false;
      }
      // An index, not a pointer: the block is empty when the file names no variables.
      const std::size_t record = first_value * block_steps + step_in_block;
      for (std::size_t v = 0; v < variable_count; v += 6) {
        if (!next("Unexpected EOF while reading data values")) {
          move_block(step_in_block, first_value + v);
          return false;
        }
        double values[6];
        if (!ScanSixReals(line, values)) {
          move_block(step_in_block, first_value + v);
          return fail("Parse error reading data values (expected 6 floats and got \"" +
                      std::string(line) + "\") in file " + out_file);
        }
        const std::size_t count = std::min<std::size_t>(6, variable_count - v);
        for (std::size_t k = 0; k < count; ++k) block[record + (v + k) * block_steps] = values[k];
      }
    }
    if (step_in_block + 1 == block_steps || t + 1 == steps) {
      move_block(step_in_block + 1, 0);
    }
  }
  return true;
}

bool OrvoOutputData::GetValue(bool transport, int variable, int segment, int time_step,
                              double& value) const {
  const std::vector<OutputVariable>& variables = Variables(transport);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return false;
  const auto& series = variables[static_cast<std::size_t>(variable)].series;
  if (segment < 0 || static_cast<std::size_t>(segment) >= series.size()) return false;
  const auto& values = series[static_cast<std::size_t>(segment)];
  if (time_step < 0 || static_cast<std::size_t>(time_step) >= values.size()) return false;
  value = values[static_cast<std::size_t>(time_step)];
  return true;
}

bool OrvoOutputData::GetMaximum(bool transport, int variable, int segment, double& value) const {
  const std::vector<OutputVariable>& variables = Variables(transport);
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

std::string OrvoOutputData::GetName(bool transport, int variable) const {
  const std::vector<OutputVariable>& variables = Variables(transport);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return "<error>";
  return variables[static_cast<std::size_t>(variable)].name;
}

std::string OrvoOutputData::GetUnits(bool transport, int variable) const {
  const std::vector<OutputVariable>& variables = Variables(transport);
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

int OrvoOutputData::GetNumVariables(bool transport) const {
  return static_cast<int>(Variables(transport).size());
}

int OrvoOutputData::GetNumTimeSteps(bool transport) const {
  return static_cast<int>((transport ? transport_times : model_times).size());
}

double OrvoOutputData::GetTime(bool transport, int time_step) const {
  const std::vector<double>& times = transport ? transport_times : model_times;
  if (time_step < 0 || static_cast<std::size_t>(time_step) >= times.size()) return 0;
  return times[static_cast<std::size_t>(time_step)];
}

}  // namespace orvo
