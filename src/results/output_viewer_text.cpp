#include "output_viewer_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "model/number_text.h"
#include "model/platform.h"

namespace orvo {

namespace {

const char kLineEnd[] = "\r\n";
const std::string kDoubleRule(46, '=');
const std::string kSingleRule(46, '-');

bool CanOpen(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

// A run whose path is already free of an extension keeps it whole, dots and all.
OrvoOutputData ReadRun(const std::string& run_path, Platform& platform) {
  OrvoOutputData run(run_path);
  run.basename = run_path;
  if (run.ReadInputData(platform)) run.ReadOutputData(platform);
  return run;
}

bool InRange(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

std::size_t OutputViewerText::LoadRuns(const std::string& path, Platform& platform) {
  base_path = path;
  runs.clear();
  labels.clear();
  current_run = 0;
  load_cancelled = false;
  if (CanOpen(base_path + ".inp")) {
    OrvoOutputData run = ReadRun(base_path, platform);
    if (run.read_cancelled) {
      load_cancelled = true;
      return 0;
    }
    runs.push_back(std::move(run));
    labels.push_back("Base");
  }
  for (int i = 0;; ++i) {
    const std::string run_path = base_path + IntText(i);
    if (!CanOpen(run_path + ".inp")) break;
    OrvoOutputData run = ReadRun(run_path, platform);
    if (run.read_cancelled) {
      load_cancelled = true;
      break;
    }
    if (!runs.empty()) {
      const OrvoOutputData& first = runs.front();
      if (run.number_of_segments != first.number_of_segments) {
        platform.ShowMessage("Error: Number of segments do not match between " + first.basename +
                             " and " + run.basename +
                             ".  All datasets must have the same number of segments.");
        break;
      }
      if (run.simulation_type != first.simulation_type) {
        platform.ShowMessage("Error: Type of simulation does not match between " + first.basename +
                             " and " + run.basename +
                             ".  All datasets must have the same simulation type.");
        break;
      }
    }
    runs.push_back(std::move(run));
    labels.push_back(IntText(i));
    if (runs.back().GetNumVariables(OutputTable::kTransport) >
        runs[static_cast<std::size_t>(current_run)].GetNumVariables(OutputTable::kTransport)) {
      current_run = static_cast<int>(runs.size() - 1);
    }
  }
  return runs.size();
}

std::vector<std::string> OutputViewerText::FileTypeList() const {
  const SimulationType type =
      runs.empty() ? kFenu5 : runs[static_cast<std::size_t>(current_run)].simulation_type;
  std::vector<std::string> entries;
  if (type == kVerda5) {
    entries.push_back("Verda results (.vdf)");
  } else if (type == kKobal5) {
    entries.push_back("Kobals results ()");
  } else {
    entries.push_back("Fenu results (.fdf)");
  }
  entries.push_back("Transport variables (.trn)");
  entries.push_back("Mass balance record (.msb)");
  return entries;
}

int OutputViewerText::FileTypeOfEntry(int index) {
  return index == 1 ? kTransportVariables : index == 2 ? kMassBalanceRecord : kModelResults;
}

std::string OutputViewerText::EntryExtension(const std::string& entry) {
  const std::size_t open = entry.rfind('(');
  if (open == std::string::npos) return "";
  const std::size_t close = entry.find(')', open);
  return entry.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

std::vector<std::string> OutputViewerText::SegmentList(int file_type) const {
  std::vector<std::string> entries;
  if (runs.empty() || file_type == kMassBalanceRecord) return entries;
  // A deck's NOSEG alone could ask for billions of entries.
  const int segments = runs[static_cast<std::size_t>(current_run)].HeldSegments();
  entries.reserve(static_cast<std::size_t>(segments));
  for (int s = 1; s <= segments; ++s) entries.push_back(IntText(s));
  return entries;
}

std::vector<std::string> OutputViewerText::VariableList(int file_type) const {
  std::vector<std::string> entries;
  if (runs.empty() || file_type == kMassBalanceRecord) return entries;
  const OutputTable table = TableOf(file_type);
  const OrvoOutputData& run = runs[static_cast<std::size_t>(current_run)];
  for (int v = 0; v < run.GetNumVariables(table); ++v) {
    entries.push_back(run.GetName(table, v));
  }
  return entries;
}

void OutputViewerText::BuildText(const OutputSelection& selection, Platform& platform,
                                 std::string& text) const {
  if (selection.file_type == kMassBalanceRecord) {
    MassBalanceText(selection.runs, platform, text);
  } else {
    text = TableText(selection);
  }
}

std::string OutputViewerText::TableText(const OutputSelection& selection) const {
  if (runs.empty() || selection.runs.empty() || selection.segments.empty() ||
      selection.variables.empty()) {
    return "";
  }
  const OutputTable table = TableOf(selection.file_type);
  const OrvoOutputData& current = runs[static_cast<std::size_t>(current_run)];
  const int steps = current.GetNumTimeSteps(OutputTable::kModel);
  const bool one_run = selection.runs.size() == 1;

  std::string header = one_run ? "Segment #" : "Run";
  for (int t = 0; t < steps; ++t)
    header += CFormat(" %8g", current.GetTime(OutputTable::kModel, t));
  header += kLineEnd;

  const auto append_values = [&](std::string& text, int run, int variable, int segment) {
    for (int t = 0; t < steps; ++t) {
      double value = 0;
      if (InRange(run, runs.size()) &&
          runs[static_cast<std::size_t>(run)].GetValue(table, variable, segment, t, value)) {
        text += ' ' + RealText(value);
      } else {
        text += "    --   ";
      }
    }
    text += kLineEnd;
  };

  std::string text;
  for (int variable : selection.variables) {
    const std::string name = current.GetName(table, variable);
    if (one_run) {
      text += kDoubleRule + kLineEnd + "Variable " + name + kLineEnd + kLineEnd + header +
              kSingleRule + kLineEnd;
      for (int segment : selection.segments) {
        text += CFormat("%4d", segment + 1);
        append_values(text, selection.runs.front(), variable, segment);
      }
      text += kLineEnd;
    } else {
      for (int segment : selection.segments) {
        text += kDoubleRule + kLineEnd + "Variable " + name + "   Segment " + IntText(segment + 1) +
                kLineEnd + kLineEnd + header + kSingleRule + kLineEnd;
        for (int run : selection.runs) {
          const std::string label =
              InRange(run, labels.size()) ? labels[static_cast<std::size_t>(run)] : "";
          text += CFormat("%-5s", label.c_str());
          append_values(text, run, variable, segment);
        }
        text += kLineEnd;
      }
    }
  }
  return text;
}

bool OutputViewerText::MassBalanceText(const std::vector<int>& selected_runs, Platform& platform,
                                       std::string& text) const {
  std::string built;
  for (int run : selected_runs) {
    if (!InRange(run, runs.size())) continue;
    const std::string& basename = runs[static_cast<std::size_t>(run)].basename;
    std::ifstream file(basename + ".msb", std::ios::binary);
    if (!file) {
      platform.ShowMessage("OutputDlg::InitializeSegAndVarList: Unable to open output file " +
                           base_path + ".msb");
      return false;
    }
    built += kLineEnd + std::string(33, '=') + kLineEnd + "Mass Balance for " + basename + ":" +
             kLineEnd + kLineEnd;
    const std::string content((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start < content.size()) {
      std::size_t end = content.find('\n', start);
      const std::size_t next = end == std::string::npos ? content.size() : end + 1;
      if (end == std::string::npos) end = content.size();
      if (end > start && content[end - 1] == '\r') --end;
      built.append(content, start, end - start);
      built += kLineEnd;
      start = next;
    }
  }
  text = std::move(built);
  return true;
}

std::optional<std::vector<int>> OutputViewerText::ShowDifferences(const OutputSelection& selection,
                                                                  Platform& platform) const {
  if (selection.runs.empty() || runs.empty()) {
    platform.ShowMessage("Please select at least two runs to compare.");
    return std::nullopt;
  }
  if (selection.segments.size() != 1) {
    platform.ShowMessage(
        "Please select a single segment that will be used to generate the list of variables "
        "that will show the differences between the runs.");
    return std::nullopt;
  }
  std::vector<int> marked;
  if (selection.file_type == kMassBalanceRecord) return marked;
  const OutputTable table = TableOf(selection.file_type);
  const OrvoOutputData& current = runs[static_cast<std::size_t>(current_run)];
  const OrvoOutputData& first = runs.front();
  const int steps = current.GetNumTimeSteps(OutputTable::kModel);
  const int segment = selection.segments.front();
  for (int v = 0; v < current.GetNumVariables(table); ++v) {
    bool differs = false;
    for (int run : selection.runs) {
      if (run == 0 || !InRange(run, runs.size())) continue;
      const OrvoOutputData& other = runs[static_cast<std::size_t>(run)];
      for (int t = 0; t < steps && !differs; ++t) {
        double a = 0;
        double b = 0;
        differs = other.GetValue(table, v, segment, t, a) &&
                  first.GetValue(table, v, segment, t, b) && a != b;
      }
      if (differs) break;
    }
    if (differs) marked.push_back(v);
  }
  return marked;
}

bool OutputViewerText::WriteText(const std::string& path, const std::string& text,
                                 Platform& platform) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (file) file.close();
  if (!file) {
    platform.ShowMessage("OutputDlg::OnWrite: Unable to write file " + path);
    return false;
  }
  return true;
}

std::string OutputViewerText::SelectedBasePath(const std::string& chosen) {
  // The path keeps its case (it names a file on a case-sensitive file system); only the
  // extension is recognised in either case, so "RIVER.OUT" is the run "RIVER".
  std::string path = chosen;
  std::string lower = chosen;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  const std::size_t out = lower.find(".out");
  if (out == std::string::npos || out + 4 != path.size()) path += ".out";
  return path.substr(0, path.rfind('.'));
}

}  // namespace orvo
