#include <optional>
#include <ostream>

#include "cli_command.h"
#include "model/number_text.h"
#include "results/output_viewer_text.h"
#include "results/selection_list.h"

namespace orvo::cli {

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
    std::string unknown;
    const auto parsed = ParseLabelList(*runs, viewer.labels, unknown);
    if (!parsed) return refuse("no run labelled \"" + unknown + "\"");
    selection.runs = *parsed;
  } else {
    selection.runs = AllPositions(static_cast<int>(viewer.runs.size()));
  }

  const int segment_count = static_cast<int>(viewer.SegmentList(selection.file_type).size());
  const int variable_count = static_cast<int>(viewer.VariableList(selection.file_type).size());
  const std::string& chosen_segments = differences ? *differences : segments.value_or("");
  if (segments || differences) {
    const auto parsed = ParseNumberList(chosen_segments, segment_count);
    if (!parsed) return refuse("segments must be numbers from 1 to " + IntText(segment_count));
    selection.segments = *parsed;
  } else {
    selection.segments = AllPositions(segment_count);
  }
  if (variables) {
    const auto parsed = ParseNumberList(*variables, variable_count);
    if (!parsed) return refuse("variables must be numbers from 1 to " + IntText(variable_count));
    selection.variables = *parsed;
  } else {
    selection.variables = AllPositions(variable_count);
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
