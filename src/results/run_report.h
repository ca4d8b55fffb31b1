// The run comparison report of a CORVOReportDoc as rows of cell texts: the report grid (title
// row first), the input files grid and the report segments grid. The window, the file writer,
// the clipboard and the command line all show these same cells.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvo {

class CORVOReportDoc;
class OrvoOutputData;
class Platform;

using CellRows = std::vector<std::vector<std::string>>;

// The report options of the window (not kept in the report file).
struct ReportOptions {
  double threshold = 0;
  bool percent = false;  // threshold and differences in percent of the reference value
  bool exceedences = true;
  bool maximum = true;
  bool minimum = true;
  bool mean = true;
  bool show_all_data = false;
  bool full_path = false;
  int sort_mode = 1;  // 0 selection order, 1 descending, 2 ascending
};

// Below this threshold every selected variable is listed.
inline constexpr double kListAllThreshold = 0.00001;

// "% diff", "% diff  v" or "% diff  ^".
std::string SortTitle(int sort_mode);
// A run's name in the grids: its file name without directory and extension, or the whole
// pathname.
std::string RunName(const OrvoOutputData& run, bool full_path);

struct ReportGrid {
  CellRows rows;                   // rows[0] holds the column titles; every row is as wide
  std::vector<bool> variable_row;  // parallel to rows: the row heads a variable
  int sort_column = 3;
};

// The report for the variables selected (indices into variable_names, in selection order).
ReportGrid BuildReport(const CORVOReportDoc& document, const std::vector<int>& selected_variables,
                       const ReportOptions& options);

// "Select parameters that show differences": the variables at which some run differs from the
// reference run at some report segment and time step by more than the threshold (in percent of
// the reference value's magnitude with percent). nullopt after a message without runs or
// report segments.
std::optional<std::vector<int>> VariablesShowingDifferences(const CORVOReportDoc& document,
                                                            double threshold, bool percent,
                                                            Platform& platform);

// "File Name", "TITLE1", "TITLE2", "Length of Run", then one row per run.
CellRows InputFileRows(const CORVOReportDoc& document, bool full_path);
// "Identifier", "Segment(s)", then one row per report column.
CellRows SegmentRows(const CORVOReportDoc& document);

// Rows as comma-separated lines ending in "\n"; a cell holding a comma, a quote or a line break
// is quoted, its quotes doubled.
std::string CsvText(const CellRows& rows);

}  // namespace orvo
