// The two-column value/time editor of piecewise-linear time functions, without its window:
// the texts of each of its fourteen modes, how a list of entries becomes rows and back, and
// what a typed cell becomes. The window (ui/time_function_editor.h) only shows these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvo::time_function {

inline constexpr int kModeCount = 14;
enum Mode : int {
  kTimeSteps = 0,
  kPrintIntervals = 1,
  kSurfaceDispersion = 2,
  kPoreDispersion = 3,
  kAdvectiveFlow = 4,  // flow field 1; fields 2 to 6 are modes 5 to 9
  kBoundaryConcentrations = 10,
  kPointSource = 11,
  kWasteLoads = 12,
  kKineticFunction = 13,
};

struct ModeTexts {
  const char* window_title;
  const char* caption;
  const char* value_label;
  const char* time_label;
  bool fixed_rows;  // rows can be neither added nor deleted
};

// Texts of a mode; a mode outside 0..13 gives those of mode 0.
const ModeTexts& Texts(int mode);
// The flow mode of flow field 0..5.
inline int FlowFieldMode(int field) {
  return kAdvectiveFlow + field;
}

struct Row {
  std::string value;
  std::string time;
  bool operator==(const Row&) const = default;
};

// Entries alternate value and time, value first. A last value without its time gets time "0".
std::vector<Row> RowsFromEntries(const std::vector<std::string>& entries);
// Cells row by row; an empty cell gives "0", so the result always holds whole pairs.
std::vector<std::string> EntriesFromRows(const std::vector<Row>& rows);
// What "New Interval" appends.
Row NewRow();
// A typed cell as it is kept: "%g" of its leading number, "0" when there is none.
std::string CellText(std::string_view typed);
// Removes the rows at the given positions (any order, duplicates and strays ignored).
void DeleteRows(std::vector<Row>& rows, std::vector<int> positions);

// Clipboard: the given rows as lines of "value<TAB>time".
std::string CopyRows(const std::vector<Row>& rows, std::vector<int> positions);
// Pastes lines of tab- (or blank-) separated cells with the first cell at (row, column),
// column 0 value, 1 time. Cells are kept as number text; rows are appended as needed unless
// fixed_rows, when what falls outside the grid is dropped.
void PasteText(std::vector<Row>& rows, int row, int column, std::string_view text, bool fixed_rows);

}  // namespace orvo::time_function
