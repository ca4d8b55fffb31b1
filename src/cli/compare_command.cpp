#include <cctype>
#include <charconv>
#include <optional>
#include <ostream>

#include "cli_command.h"
#include "model/number_text.h"
#include "results/orvo_report_doc.h"
#include "results/run_report.h"
#include "results/selection_list.h"

namespace orvo::cli {
namespace {

// "3,5-7" -> 3, 5, 6, 7 (segment numbers), each within 1..highest; nullopt for anything else.
std::optional<std::vector<int>> SegmentNumbers(const std::string& list, int highest) {
  std::optional<std::vector<int>> numbers = ParseNumberList(list, highest);
  if (numbers) {
    for (int& number : *numbers) ++number;
  }
  return numbers;
}

bool EndsWithOrr(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".orr";
}

}  // namespace

// The run comparison report of a ".orr" file or of output files (the first one the reference
// run, then the others in the order given), printed as CSV, title row first.
int Compare(Context& context, const std::vector<std::string>& args) {
  std::vector<std::string> files;
  std::optional<std::string> segments, threshold, stats, sort, save;
  std::vector<std::string> groups, variables;
  ReportOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--percent") {
      options.percent = true;
    } else if (arg == "--all-data") {
      options.show_all_data = true;
    } else if (arg == "--full-path") {
      options.full_path = true;
    } else if (arg == "--group" || arg == "--variables") {
      if (i + 1 >= args.size()) return kUsage;
      (arg == "--group" ? groups : variables).push_back(args[++i]);
    } else if (arg == "--segments" || arg == "--threshold" || arg == "--stats" || arg == "--sort" ||
               arg == "--save") {
      std::optional<std::string>& option = arg == "--segments"    ? segments
                                           : arg == "--threshold" ? threshold
                                           : arg == "--stats"     ? stats
                                           : arg == "--sort"      ? sort
                                                                  : save;
      if (i + 1 >= args.size() || option) return kUsage;
      option = args[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return kUsage;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty() || (EndsWithOrr(files.front()) && files.size() > 1)) return kUsage;

  const auto refuse = [&](const std::string& what) {
    context.platform.ShowMessage("orvo compare: " + what);
    return kUsage;
  };
  if (threshold) {
    const char* end = threshold->data() + threshold->size();
    const auto [rest, error] = std::from_chars(threshold->data(), end, options.threshold);
    if (error != std::errc() || rest != end) return refuse("the threshold must be a number");
  }
  if (stats) {
    options.exceedences = options.maximum = options.minimum = options.mean = false;
    for (const std::string& item : SplitList(*stats)) {
      bool* option = item == "exceed" ? &options.exceedences
                     : item == "max"  ? &options.maximum
                     : item == "min"  ? &options.minimum
                     : item == "mean" ? &options.mean
                                      : nullptr;
      if (option == nullptr) return refuse("statistics are exceed, max, min and mean");
      *option = true;
    }
  }
  if (sort) {
    if (*sort == "none") {
      options.sort_mode = 0;
    } else if (*sort == "desc") {
      options.sort_mode = 1;
    } else if (*sort == "asc") {
      options.sort_mode = 2;
    } else {
      return kUsage;
    }
  }

  CORVOReportDoc document(context.platform);
  const std::size_t messages_before = context.platform.messages.size();
  bool complete = true;
  if (EndsWithOrr(files.front())) {
    if (!document.Open(files.front())) return kFailed;
  } else {
    for (const std::string& file : files) complete = document.AddDataset(file) && complete;
  }
  // A run whose files could not be read is in the report with what was read; the script must
  // still learn of it.
  complete = complete && context.platform.messages.size() == messages_before;

  const int highest = document.runs.empty() ? 0 : document.runs.front().number_of_segments;
  const std::string segment_rule = "segments must be numbers from 1 to " + IntText(highest);
  if (segments) {
    const auto numbers = SegmentNumbers(*segments, highest);
    if (!numbers) return refuse(segment_rule);
    for (int number : *numbers) document.AddReportSegment(number);
  }
  for (const std::string& group : groups) {
    const auto numbers = SegmentNumbers(group, highest);
    if (!numbers) return refuse(segment_rule);
    document.AddReportGroup(*numbers);
  }
  std::vector<int> selected;
  if (variables.empty()) {
    for (int i = 0; i < static_cast<int>(document.variable_names.size()); ++i) {
      selected.push_back(i);
    }
  }
  for (const std::string& list : variables) {
    for (const std::string& name : SplitList(list)) {
      bool found = false;
      for (int i = 0; i < static_cast<int>(document.variable_names.size()); ++i) {
        if (document.variable_names[static_cast<std::size_t>(i)] != name) continue;
        selected.push_back(i);
        found = true;
      }
      if (!found) return refuse("no variable named \"" + name + "\"");
    }
  }

  context.out << CsvText(BuildReport(document, selected, options).rows);
  if (save && !document.Save(*save)) return kFailed;
  return complete ? kSuccess : kFailed;
}

}  // namespace orvo::cli
