// The output viewer without its window: the runs loaded for a base path, the file-type list,
// the text table, the mass-balance text, the variables that differ between runs and writing
// the text. The desktop window feeds it its list selections and shows the text it returns;
// the command line does the same without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "orvo_output_data.h"

namespace orvo {

class Platform;

// The file types of the "File Type:" list, by the numbers the viewer keeps.
enum OutputFileType : int { kModelResults = 1, kMassBalanceRecord = 4, kTransportVariables = 5 };

// The table of time series a file type shows (the mass balance record shows none).
inline OutputTable TableOf(int file_type) {
  return file_type == kTransportVariables ? OutputTable::kTransport : OutputTable::kModel;
}

// What is selected in the window's lists (0-based positions, in list order).
struct OutputSelection {
  int file_type = kModelResults;
  std::vector<int> runs;
  std::vector<int> segments;
  std::vector<int> variables;
};

class OutputViewerText {
 public:
  // Reads the base run (base_path + ".inp") and the numbered runs base_path + 0, 1, ... up to
  // the first missing deck; a run whose number of segments or simulation type differs from
  // the first run's stops the loading with a message. Returns the number of runs loaded. A
  // read the user stops (see OrvoOutputData::ReadOutputData) stops the loading without a
  // message: load_cancelled is then set and the run being read is left out.
  std::size_t LoadRuns(const std::string& base_path, Platform& platform);

  // The "File Type:" entries for the current run; the first is the model results.
  std::vector<std::string> FileTypeList() const;
  // The file type of entry index (0 model results, 1 transport, 2 mass balance).
  static int FileTypeOfEntry(int index);
  // The text between an entry's last "(" and the following ")".
  static std::string EntryExtension(const std::string& entry);
  // "Segments:" and "Variables:" entries for a file type (empty for the mass balance). The
  // segments are those the current run's output files hold, never more than its NOSEG.
  std::vector<std::string> SegmentList(int file_type) const;
  std::vector<std::string> VariableList(int file_type) const;

  // The text for a selection. For the mass-balance record a file that cannot be opened is
  // reported and text is left as it was; otherwise text is replaced.
  void BuildText(const OutputSelection& selection, Platform& platform, std::string& text) const;
  // The text table for file types 1 and 5; empty unless a run, a segment and a variable are
  // selected.
  std::string TableText(const OutputSelection& selection) const;
  bool MassBalanceText(const std::vector<int>& selected_runs, Platform& platform,
                       std::string& text) const;
  // The variables of the file type whose values at the one selected segment differ between
  // the first run and a selected run at some time step; nullopt after a message when the
  // selection does not allow the comparison.
  std::optional<std::vector<int>> ShowDifferences(const OutputSelection& selection,
                                                  Platform& platform) const;
  // Writes text byte for byte; a failure is reported.
  static bool WriteText(const std::string& path, const std::string& text, Platform& platform);
  // The base path for an output file chosen with "Select": ".out" appended unless the path's
  // first ".out" (in any case) ends it, then everything before the last "."; the case of the
  // path is kept.
  static std::string SelectedBasePath(const std::string& chosen);

  std::string base_path;
  std::vector<OrvoOutputData> runs;
  std::vector<std::string> labels;  // "Base", "0", "1", ... parallel to runs
  int current_run = 0;
  bool load_cancelled = false;
};

}  // namespace orvo
