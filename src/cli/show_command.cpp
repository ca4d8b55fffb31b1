#include <optional>
#include <ostream>

#include "cli_command.h"
#include "model/number_text.h"
#include "results/output_viewer_text.h"

namespace orvo::cli {
namespace {

// "3,5-7" -> 3, 5, 6, 7 (1-based, as the lists show them), each within 1..count; as 0-based
// positions. nullopt for anything else.
std::optional<std::vector<int>> ParseNumbers(const std::string& list, int count) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    const std::string item = list.substr(start, end - start);
    const std::size_t dash = item.find('-', 1);
    const std::string first_text = item.substr(0, dash);
    const std::string last_text = dash == std::string::npos ? first_text : item.substr(dash + 1);
    const auto is_number = [](const std::string& text) {
      return !text.empty() && text.size() < 10 &&
             text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!is_number(first_text) || !is_number(last_text)) return std::nullopt;
    const int first = AtoI(first_text);
    const int last = AtoI(last_text);
    if (first < 1 || last < first || last > count) return std::nullopt;
    for (int n = first; n <= last; ++n) numbers.push_back(n - 1);
    start = end + 1;
  }
  return numbers;
}

std::vector<int> All(int count) {
  std::vector<int> all;
  for (int i = 0; i < count; ++i) all.push_back(i);
  return all;
}

}  // namespace

// The output viewer's text for the runs of RUNPATH (the deck's path without extension): the
// base run and the numbered sensitivity runs beside it, every one selected unless --runs names
// them by their labels.
int Show(Context& context, const std::vector<std::string>& args) {
  if (args.empty()) return kUsage;
  std::optional<std::string> type, runs, segments, variables, differences;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return kUsage;
    std::optional<std::string>* option = args[i] == "--type"          ? &type
                                         : args[i] == "--runs"        ? &runs
                                         : args[i] == "--segments"    ? &segments
                                         : args[i] == "--variables"   ? &variables
                                         : args[i] == "--differences" ? &differences
                                                                      : nullptr;
    if (option == nullptr || option->has_value()) return kUsage;
    *option = args[i + 1];
  }
  if (segments && differences) return kUsage;  // the comparison picks its one segment

  OutputSelection selection;
  if (type) {
    if (*type == "model") {
      selection.file_type = kModelResults;
    } else if (*type == "transport") {
      selection.file_type = kTransportVariables;
    } else if (*type == "massbalance") {
      selection.file_type = kMassBalanceRecord;
    } else {
      return kUsage;
    }
  }

  const std::string& base_path = args[0];
  OutputViewerText viewer;
  const std::size_t messages_before = context.platform.messages.size();
  const std::size_t loaded = viewer.LoadRuns(base_path, context.platform);
  // The viewer shows what it could read; a script must still learn that something was missing.
  const bool complete = context.platform.messages.size() == messages_before;
  if (loaded == 0) {
    context.platform.ShowMessage("OutputDlg::LoadRuns: No run found for " + base_path +
                                 ": neither " + base_path + ".inp nor " + base_path +
                                 "0.inp can be opened.");
    return kFailed;
  }

  const auto refuse = [&](const std::string& what) {
    context.platform.ShowMessage("orvo show: " + what);
    return kUsage;
  };
  if (runs) {
    std::size_t start = 0;
    while (start <= runs->size()) {
      std::size_t end = runs->find(',', start);
      if (end == std::string::npos) end = runs->size();
      const std::string label = runs->substr(start, end - start);
      std::size_t index = 0;
      while (index < viewer.labels.size() && viewer.labels[index] != label) ++index;
      if (index == viewer.labels.size()) return refuse("no run labelled \"" + label + "\"");
      selection.runs.push_back(static_cast<int>(index));
      start = end + 1;
    }
  } else {
    selection.runs = All(static_cast<int>(viewer.runs.size()));
  }

  const int segment_count = static_cast<int>(viewer.SegmentList(selection.file_type).size());
  const int variable_count = static_cast<int>(viewer.VariableList(selection.file_type).size());
  const std::string& chosen_segments = differences ? *differences : segments.value_or("");
  if (segments || differences) {
    const auto parsed = ParseNumbers(chosen_segments, segment_count);
    if (!parsed) return refuse("segments must be numbers from 1 to " + IntText(segment_count));
    selection.segments = *parsed;
  } else {
    selection.segments = All(segment_count);
  }
  if (variables) {
    const auto parsed = ParseNumbers(*variables, variable_count);
    if (!parsed) return refuse("variables must be numbers from 1 to " + IntText(variable_count));
    selection.variables = *parsed;
  } else {
    selection.variables = All(variable_count);
  }
  if (differences) {
    const auto marked = viewer.ShowDifferences(selection, context.platform);
    if (!marked) return kFailed;
    selection.variables = *marked;
  }

  std::string text;
  if (selection.file_type == kMassBalanceRecord) {
    if (!viewer.MassBalanceText(selection.runs, context.platform, text)) return kFailed;
  } else {
    text = viewer.TableText(selection);
  }
  // The viewer's text ends its lines with "\r\n"; the terminal gets "\n".
  std::string printed;
  printed.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    printed += text[i];
  }
  context.out << printed;
  return complete ? kSuccess : kFailed;
}

}  // namespace orvo::cli
