#include "groups/time_function_editing.h"

#include <algorithm>
#include <array>

#include "model/number_text.h"

namespace orvo::time_function {
namespace {

constexpr const char* kEditorTitle = "Model Time Step Editor";
constexpr const char* kVelocity = "Piecewise linear velocity time function";

constexpr std::array<ModeTexts, kModeCount> kModes = {{
    {kEditorTitle, "Time steps",
     "Timestep interval (DTS(I)):", "Time up to when timestep will be used (T(I)):", false},
    {"Edit Print Intervals", "Print intervals", "Print interval (PRINT(I)):",
     "Time up to when print interval will be used (TPRINT(I)):", false},
    {kEditorTitle, "Surface water piecewise linear dispersion time functions",
     "Dispersion coefficient in m^2/sec (RT(K)):", "Time in days (TR(K)):", false},
    {kEditorTitle, "Pore water piecewise linear dispersion time functions",
     "Dispersion coefficient in m^2/sec (RT(K)):", "Time in days (TR(K)):", false},
    {kEditorTitle, "Piecewise linear advective time function",
     "Advective flow in m^3/s (QT(1,K)):", "Time in days (TQ(1,K)):", false},
    {kEditorTitle, kVelocity,
     "Pore water flow in m^3/s (QT(2,K)):", "Time in days (TQ(2,K)):", false},
    {kEditorTitle, kVelocity,
     "Sediment 1 transport velocity in m/s (QT(3,K)):", "Time in days (TQ(3,K)):", false},
    {kEditorTitle, kVelocity,
     "Sediment 2 transport velocity in m/s (QT(4,K)):", "Time in days (TQ(4,K)):", false},
    {kEditorTitle, kVelocity,
     "Sediment 3 transport velocity in m/s (QT(5,K)):", "Time in days (TQ(5,K)):", false},
    {kEditorTitle, kVelocity,
     "Water transport velocity in m/s (QT(6,K)):", "Time in days (TQ(6,K)):", false},
    {kEditorTitle, "Boundary Concentrations",
     "Value of the boundary concentration in mg/L (BCT(K)):", "Time in days (T(K)):", true},
    {kEditorTitle, "Point source time function",
     "Value of the point source in kg/day (WKT(K)):", "Time in days (T(K)):", false},
    {kEditorTitle, "Point source time function for Waste Loads",
     "Value of the point source loading at time T(K) in kg/day (WKT(K)):", "Time in days (T(K)):",
     false},
    {kEditorTitle, "Kinetic time function",
     "Value of time function ISC at time T(K) (VALT(K)):", "Time in days (T(K)):", false},
}};

}  // namespace

const ModeTexts& Texts(int mode) {
  return kModes[mode >= 0 && mode < kModeCount ? static_cast<size_t>(mode) : 0];
}

std::vector<Row> RowsFromEntries(const std::vector<std::string>& entries) {
  std::vector<Row> rows;
  rows.reserve((entries.size() + 1) / 2);
  for (size_t i = 0; i < entries.size(); i += 2) {
    rows.push_back({entries[i], i + 1 < entries.size() ? entries[i + 1] : std::string("0")});
  }
  return rows;
}

std::vector<std::string> EntriesFromRows(const std::vector<Row>& rows) {
  std::vector<std::string> entries;
  entries.reserve(2 * rows.size());
  for (const Row& row : rows) {
    entries.push_back(row.value.empty() ? std::string("0") : row.value);
    entries.push_back(row.time.empty() ? std::string("0") : row.time);
  }
  return entries;
}

Row NewRow() {
  return {"0.0", "0.0"};
}

std::string CellText(std::string_view typed) {
  return RealText(AtoF(typed));
}

void DeleteRows(std::vector<Row>& rows, std::vector<int> positions) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
    if (*it >= 0 && static_cast<size_t>(*it) < rows.size()) rows.erase(rows.begin() + *it);
  }
}

std::string CopyRows(const std::vector<Row>& rows, std::vector<int> positions) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  std::string text;
  for (int at : positions) {
    if (at < 0 || static_cast<size_t>(at) >= rows.size()) continue;
    const Row& row = rows[static_cast<size_t>(at)];
    text += row.value + '\t' + row.time + '\n';
  }
  return text;
}

void PasteText(std::vector<Row>& rows, int row, int column, std::string_view text,
               bool fixed_rows) {
  if (row < 0 || column < 0 || column > 1) return;
  size_t r = static_cast<size_t>(row);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (r >= rows.size()) {
      if (fixed_rows) return;
      rows.resize(r + 1, NewRow());
    }
    size_t c = static_cast<size_t>(column);
    size_t at = 0;
    while (c < 2) {
      at = line.find_first_not_of(" \t", at);
      if (at == std::string_view::npos) break;
      const size_t stop = std::min(line.find_first_of(" \t", at), line.size());
      std::string& cell = c == 0 ? rows[r].value : rows[r].time;
      cell = CellText(line.substr(at, stop - at));
      at = stop;
      ++c;
    }
    ++r;
  }
}

}  // namespace orvo::time_function
