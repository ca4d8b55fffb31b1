// CORVOReportDoc: a run comparison report. It holds copies of several runs of the same
// network (the first is the reference run), the segments and groups of segments to report on
// and the names of the variables the runs share; it is kept in a ".orr" file, which stores the
// runs by path and the report segments, never the report groups.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "orvo_output_data.h"

namespace orvo {

class Platform;

struct ReportSegment {
  int segment = 0;         // 1-based
  std::string identifier;  // the report column's title ("%d" of the number at first)
};

struct ReportGroup {
  std::vector<int> segments;  // 1-based, in the order chosen
  std::string identifier;     // the numbers joined with ", " at first
};

// One column of the report: a report segment or a report group.
struct ReportColumn {
  std::string identifier;
  std::vector<int> segments;
};

// What a ".orr" file names, before any run is read.
struct ReportFileContents {
  struct Run {
    std::string pathname;
    std::string basename;
  };
  std::vector<Run> runs;
  std::map<int, ReportSegment> segments;  // by the "current node id"
};

// Parses the text of a ".orr" file ("\r\n" or "\n" line ends). false with the message of the
// first header that is missing; nothing is allocated ahead of what the text holds.
bool ParseReportFile(std::string_view text, ReportFileContents& contents, std::string& error);

class CORVOReportDoc {
 public:
  // Texts longer than this in a ".orr" file are cut (the rest of their line is skipped).
  static constexpr std::size_t kMaxFileText = 511;

  explicit CORVOReportDoc(Platform& platform);
  // Messages of later operations go to platform (a document read in the background is
  // handed to the window's platform when it is done).
  void SetPlatform(Platform& platform) { platform_ = &platform; }
  Platform& platform() const { return *platform_; }

  // Reads the run of path (the deck's path with any extension, normally a ".out" file):
  // deck header and output files. Failures are reported through platform and the run keeps
  // what was read. Touches no document, so it may run on another thread.
  static OrvoOutputData ReadRun(const std::string& path, Platform& platform);
  // ReadRun, then AddRun.
  bool AddDataset(const std::string& path);
  // "Add" of several files: they are added in ascending text order of their paths, whatever
  // the order of choice. The number added.
  std::size_t AddDatasets(const std::vector<std::string>& paths);
  static std::vector<std::string> AddOrder(std::vector<std::string> paths);
  // Appends a run that was read: its number of segments and simulation type must be the first
  // run's (else a message and false). The first run added fixes the variable names.
  bool AddRun(OrvoOutputData run);
  // Each change below marks the document modified and calls the change handler.
  bool RemoveRun(std::size_t index);
  // A number that already is a report segment is left alone (false).
  bool AddReportSegment(int segment);
  bool RemoveReportSegment(int segment);
  void AddReportGroup(std::vector<int> segments);
  bool RemoveReportGroup(std::size_t index);
  // Renames report column `column` (report segments in ascending order, then the groups).
  bool RenameColumn(std::size_t column, std::string identifier);

  // The report columns: report segments in ascending order, then the groups in list order.
  std::vector<ReportColumn> Columns() const;
  // The table (transport or model) and the index within it of entry `index` of
  // variable_names; false when there is no such variable.
  bool VariableAt(int index, OutputTable& table, int& variable) const;
  // The reference run's number of model time steps (0 without runs).
  int ReferenceSteps() const;

  // Reads a ".orr" file: the file's structure first (any fault: a message, and the document
  // stays as it was), then each run (a run whose files fail to read is kept with what was
  // read). false without a message when the user stopped a read.
  bool Open(const std::string& path);
  // Writes the ".orr" layout with "\r\n" line ends. The file is replaced only once the new one
  // is complete; a failure leaves the previous file as it was.
  bool Save(const std::string& path);
  // The bytes Save writes.
  std::string FileText() const;

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  // Called after every change of runs, report segments, groups or identifiers.
  void SetChangeHandler(std::function<void()> handler) { on_change_ = std::move(handler); }

  // The first run's transport variable names, then its model variable names; never changed
  // once filled. transport_variable_count tells the two tables apart.
  std::vector<std::string> variable_names;
  int transport_variable_count = 0;
  std::map<int, ReportSegment> report_segments;  // by segment number
  std::vector<ReportGroup> report_groups;
  std::vector<OrvoOutputData> runs;  // runs[0] is the reference run

 private:
  void FillVariableNames();
  void Changed();

  Platform* platform_;
  bool modified_ = false;
  std::function<void()> on_change_;
};

}  // namespace orvo
