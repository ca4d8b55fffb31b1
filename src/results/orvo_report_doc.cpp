#include "orvo_report_doc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

#include "model/file_replace.h"
#include "model/number_text.h"
#include "model/platform.h"
#include "real_scan.h"

namespace orvo {

namespace {

// A report file names runs and segments; one this large is something else.
constexpr std::streamoff kMaxReportFile = 64LL << 20;

std::string MissingHeader(const char* header) {
  return std::string("Parse error: unable to find header '") + header + " ='";
}

// The ".orr" reading rules: a key is whatever stands before the next "=" (blanks first
// skipped) and must contain the key's text; a number follows as a decimal integer, a text as
// the rest of its line.
class ReportScanner {
 public:
  explicit ReportScanner(std::string_view text) : text_(text) {}

  bool Key(std::string_view key) {
    SkipBlanks();
    const std::size_t equals = text_.find('=', position_);
    if (equals == std::string_view::npos) {
      position_ = text_.size();
      return false;
    }
    const std::string_view read = text_.substr(position_, equals - position_);
    position_ = equals + 1;
    return read.find(key) != std::string_view::npos;
  }

  bool Number(long long& value) {
    SkipBlanks();
    const char* p = text_.data() + position_;
    const char* end = text_.data() + text_.size();
    if (!ScanInt(p, end, value)) return false;
    position_ = static_cast<std::size_t>(p - text_.data());
    return true;
  }

  std::string Text() {
    std::size_t line_end = text_.find('\n', position_);
    if (line_end == std::string_view::npos) line_end = text_.size();
    std::string_view line = text_.substr(position_, line_end - position_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    position_ = line_end < text_.size() ? line_end + 1 : line_end;
    return std::string(line.substr(0, CORVOReportDoc::kMaxFileText));
  }

 private:
  void SkipBlanks() {
    while (position_ < text_.size() && IsBlankChar(text_[position_])) ++position_;
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

bool InIntRange(long long value) {
  return value >= -2147483647LL - 1 && value <= 2147483647LL;
}

// Identifiers are one line each in the file.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

bool ParseReportFile(std::string_view text, ReportFileContents& contents, std::string& error) {
  ReportScanner scanner(text);
  ReportFileContents read;
  long long files = 0;
  if (!scanner.Key("number of files") || !scanner.Number(files) || files < 0) {
    error = MissingHeader("number of files");
    return false;
  }
  // The count is only a loop bound: each entry must be in the text before it is kept.
  for (long long i = 0; i < files; ++i) {
    ReportFileContents::Run run;
    if (!scanner.Key("pathname")) {
      error = MissingHeader("pathname");
      return false;
    }
    run.pathname = scanner.Text();
    if (!scanner.Key("basename")) {
      error = MissingHeader("basename");
      return false;
    }
    run.basename = scanner.Text();
    read.runs.push_back(std::move(run));
  }
  long long nodes = 0;
  if (!scanner.Key("number of nodes") || !scanner.Number(nodes) || nodes < 0) {
    error = MissingHeader("number of nodes");
    return false;
  }
  for (long long i = 0; i < nodes; ++i) {
    long long node = 0;
    long long segment = 0;
    if (!scanner.Key("current node id") || !scanner.Number(node) || !InIntRange(node)) {
      error = MissingHeader("current node id");
      return false;
    }
    if (!scanner.Key("data")) {
      error = MissingHeader("data");
      return false;
    }
    if (!scanner.Key("id") || !scanner.Number(segment) || !InIntRange(segment)) {
      error = MissingHeader("id");
      return false;
    }
    if (!scanner.Key("name")) {
      error = MissingHeader("name");
      return false;
    }
    read.segments[static_cast<int>(node)] = {static_cast<int>(segment), scanner.Text()};
  }
  contents = std::move(read);
  return true;
}

CORVOReportDoc::CORVOReportDoc(Platform& platform) : platform_(&platform) {}

OrvoOutputData CORVOReportDoc::ReadRun(const std::string& path, Platform& platform) {
  OrvoOutputData run(path);
  if (run.ReadInputData(platform)) run.ReadOutputData(platform);
  return run;
}

bool CORVOReportDoc::AddDataset(const std::string& path) {
  return AddRun(ReadRun(path, *platform_));
}

std::vector<std::string> CORVOReportDoc::AddOrder(std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::size_t CORVOReportDoc::AddDatasets(const std::vector<std::string>& paths) {
  std::size_t added = 0;
  for (const std::string& path : AddOrder(paths)) added += AddDataset(path) ? 1 : 0;
  return added;
}

bool CORVOReportDoc::AddRun(OrvoOutputData run) {
  if (!runs.empty()) {
    if (run.number_of_segments != runs.front().number_of_segments) {
      platform_->ShowMessage(
          "Error: Number of segments do not match with the first dataset.  All datasets must "
          "have the same number of segments.");
      return false;
    }
    if (run.simulation_type != runs.front().simulation_type) {
      platform_->ShowMessage(
          "Error: Type of simulation is not the same as the first dataset.  All datasets must "
          "have the same simulation type.");
      return false;
    }
  }
  runs.push_back(std::move(run));
  if (variable_names.empty()) FillVariableNames();
  Changed();
  return true;
}

void CORVOReportDoc::FillVariableNames() {
  if (runs.empty()) return;
  const OrvoOutputData& first = runs.front();
  variable_names.clear();
  for (const OutputVariable& variable : first.transport_variables) {
    variable_names.push_back(variable.name);
  }
  for (const OutputVariable& variable : first.model_variables) {
    variable_names.push_back(variable.name);
  }
  transport_variable_count = static_cast<int>(first.transport_variables.size());
}

bool CORVOReportDoc::RemoveRun(std::size_t index) {
  if (index >= runs.size()) return false;
  runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
  return true;
}

bool CORVOReportDoc::AddReportSegment(int segment) {
  if (report_segments.count(segment) != 0) return false;
  report_segments[segment] = {segment, IntText(segment)};
  Changed();
  return true;
}

bool CORVOReportDoc::RemoveReportSegment(int segment) {
  if (report_segments.erase(segment) == 0) return false;
  Changed();
  return true;
}

void CORVOReportDoc::AddReportGroup(std::vector<int> segments) {
  std::string identifier;
  for (int segment : segments) {
    if (!identifier.empty()) identifier += ", ";
    identifier += IntText(segment);
  }
  report_groups.push_back({std::move(segments), std::move(identifier)});
  Changed();
}

bool CORVOReportDoc::RemoveReportGroup(std::size_t index) {
  if (index >= report_groups.size()) return false;
  report_groups.erase(report_groups.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
  return true;
}

bool CORVOReportDoc::RenameColumn(std::size_t column, std::string identifier) {
  std::string* target = nullptr;
  if (column < report_segments.size()) {
    auto entry = report_segments.begin();
    std::advance(entry, static_cast<std::ptrdiff_t>(column));
    target = &entry->second.identifier;
  } else if (column - report_segments.size() < report_groups.size()) {
    target = &report_groups[column - report_segments.size()].identifier;
  } else {
    return false;
  }
  if (*target == identifier) return true;
  *target = std::move(identifier);
  Changed();
  return true;
}

std::vector<ReportColumn> CORVOReportDoc::Columns() const {
  std::vector<ReportColumn> columns;
  columns.reserve(report_segments.size() + report_groups.size());
  for (const auto& [number, entry] : report_segments) {
    columns.push_back({entry.identifier, {entry.segment}});
  }
  for (const ReportGroup& group : report_groups) {
    columns.push_back({group.identifier, group.segments});
  }
  return columns;
}

bool CORVOReportDoc::VariableAt(int index, OutputTable& table, int& variable) const {
  if (index < 0 || static_cast<std::size_t>(index) >= variable_names.size()) return false;
  const bool transport = index < transport_variable_count;
  table = transport ? OutputTable::kTransport : OutputTable::kModel;
  variable = transport ? index : index - transport_variable_count;
  return true;
}

int CORVOReportDoc::ReferenceSteps() const {
  return runs.empty() ? 0 : runs.front().GetNumTimeSteps(OutputTable::kModel);
}

bool CORVOReportDoc::Open(const std::string& path) {
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      platform_->ShowMessage("Unable to open " + path + " for reading.");
      return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxReportFile) {
      platform_->ShowMessage("Parse error: " + path + " is too large for a report file.");
      return false;
    }
    in.seekg(0);
    text.resize(static_cast<std::size_t>(size));
    if (!in.read(text.data(), size)) {
      platform_->ShowMessage("Unable to open " + path + " for reading.");
      return false;
    }
  }
  ReportFileContents contents;
  std::string error;
  if (!ParseReportFile(text, contents, error)) {
    platform_->ShowMessage(error);
    return false;
  }
  std::vector<OrvoOutputData> read_runs;
  for (const ReportFileContents::Run& entry : contents.runs) {
    OrvoOutputData run(entry.pathname);
    run.basename = entry.basename;
    if (!run.ReadInputData(*platform_)) {
      platform_->ShowMessage("Parse error: unable to open file " + run.pathname + ".inp");
    } else if (!run.ReadOutputData(*platform_)) {
      if (run.read_cancelled) return false;
      platform_->ShowMessage("Parse error: unable to open output file " + run.pathname);
    }
    read_runs.push_back(std::move(run));
  }
  runs = std::move(read_runs);
  report_segments = std::move(contents.segments);
  report_groups.clear();
  variable_names.clear();
  transport_variable_count = 0;
  FillVariableNames();
  modified_ = false;
  if (on_change_) on_change_();
  return true;
}

std::string CORVOReportDoc::FileText() const {
  // The format fixes "\r\n" line ends and no blank after "=".
  std::string text = "number of files =" + IntText(static_cast<long long>(runs.size())) + "\r\n";
  for (const OrvoOutputData& run : runs) {
    text += "pathname =" + run.pathname + "\r\nbasename =" + run.basename + "\r\n\r\n";
  }
  text += "number of nodes =" + IntText(static_cast<long long>(report_segments.size())) + "\r\n";
  for (const auto& [number, entry] : report_segments) {
    text += "current node id =" + IntText(number) + "\r\ndata =id =" + IntText(entry.segment) +
            "\r\nname =" + OneLine(entry.identifier) + "\r\n\r\n";
  }
  return text;
}

bool CORVOReportDoc::Save(const std::string& path) {
  const FileReplaceResult result = ReplaceFileContents(path, FileText());
  if (!result.opened) {
    platform_->ShowMessage("Unable to open " + path + " for writing.");
    return false;
  }
  if (!result.ok) {
    platform_->ShowMessage("Unable to write " + path + ": " + std::strerror(result.reason) +
                           ". The previous file is unchanged.");
    return false;
  }
  modified_ = false;
  return true;
}

void CORVOReportDoc::Changed() {
  modified_ = true;
  if (on_change_) on_change_();
}

}  // namespace orvo
