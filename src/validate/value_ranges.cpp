#include "validate/value_ranges.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "model/number_text.h"

namespace orvo {
namespace {

// The ranges file was written with fixed-size line buffers; anything past them is not part
// of the line.
constexpr size_t kLineLimit = 511;

bool ReadLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kLineLimit) line.resize(kLineLimit);
  return true;
}

void SkipBlanks(std::string_view text, size_t& i) {
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
}

// One number after optional blanks, read as far as it goes, whatever the process locale is.
bool ReadNumber(std::string_view text, size_t& i, double& value) {
  SkipBlanks(text, i);
  if (i < text.size() && text[i] == '+') {
    ++i;
    if (i < text.size() && text[i] == '-') return false;
  }
  const char* begin = text.data() + i;
  const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
  if (error != std::errc() && error != std::errc::result_out_of_range) return false;
  i += static_cast<size_t>(end - begin);
  return true;
}

// A name and two numbers separated by blanks; what follows the second number is ignored.
bool ParseRange(std::string_view line, std::string& name, double& minimum, double& maximum) {
  size_t i = 0;
  SkipBlanks(line, i);
  const size_t start = i;
  while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  if (i == start) return false;
  name = std::string(line.substr(start, i - start));
  return ReadNumber(line, i, minimum) && ReadNumber(line, i, maximum);
}

// One range line; false (after the message) when it is missing or malformed.
bool ReadRange(std::istream& in, const std::string& path, Platform& platform, std::string& name,
               std::string& minimum, std::string& maximum) {
  std::string line;
  if (!ReadLine(in, line)) {
    platform.ShowMessage("Unexpected EOF in " + path);
    return false;
  }
  std::string read_name;
  double low = 0.0;
  double high = 0.0;
  if (!ParseRange(line, read_name, low, high)) {
    platform.ShowMessage("Parse error in " + path + " at line " + line);
    return false;
  }
  name = read_name;
  minimum = RealText(low);
  maximum = RealText(high);
  return true;
}

}  // namespace

bool ReadTableData(ValueRangeTable& table, const std::string& path, Platform& platform) {
  table.path = path;
  if (path.empty()) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    platform.ShowMessage("Could not read range data from " + path);
    return false;
  }
  std::string line;
  if (!ReadLine(in, line)) {
    platform.ShowMessage("Unexpected EOF in " + path);
    return false;
  }
  if (line.find("Group J") == std::string::npos) {
    platform.ShowMessage("Parse error in " + path + "; expected \"Group J\"");
    return false;
  }
  return ReadRange(in, path, platform, table.c_name, table.c_min, table.c_max) &&
         ReadRange(in, path, platform, table.dissf_name, table.dissf_min, table.dissf_max);
}

std::string RangeFileToRead(const std::string& path, const std::string& application_directory) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (path.empty() || fs::path(path).is_absolute() || fs::is_regular_file(path, error)) {
    return path;
  }
  const fs::path beside = fs::path(application_directory) / fs::path(path).filename();
  return fs::is_regular_file(beside, error) ? beside.string() : path;
}

bool SaveTableData(const ValueRangeTable& table, Platform& platform) {
  if (table.path.empty()) return true;
  std::ofstream out(table.path, std::ios::binary | std::ios::trunc);
  if (out) {
    out << "Group J\n"
        << "C " << table.c_min << ' ' << table.c_max << '\n'
        << "DISSF " << table.dissf_min << ' ' << table.dissf_max << '\n';
    out.close();
  }
  // A write that fails later (a full disk) loses the table just as a failed open does.
  if (!out) {
    platform.ShowMessage("SaveTableData: Unable to open file " + table.path);
    return false;
  }
  return true;
}

bool CheckValue(const std::string& min_text, const std::string& max_text, double value,
                Platform& platform) {
  if (!min_text.empty() && value < AtoF(min_text) &&
      !platform.AskYesNo("The entered value is less than the parameter's minimum.  Are you sure "
                         "you want to keep this value?")) {
    return false;
  }
  if (!max_text.empty() && value > AtoF(max_text) &&
      !platform.AskYesNo("The entered value is greater than the parameter's maximum.  Are you "
                         "sure you want to keep this value?")) {
    return false;
  }
  return true;
}

bool CheckC(const ValueRangeTable& table, double value, Platform& platform) {
  return CheckValue(table.c_min, table.c_max, value, platform);
}

bool CheckDissf(const ValueRangeTable& table, double value, Platform& platform) {
  return CheckValue(table.dissf_min, table.dissf_max, value, platform);
}

}  // namespace orvo
