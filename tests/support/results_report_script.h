// Commands on a report document, a line each, for the report tests' scripts:
//   run <name> [segments <n>] [systems <n>] [title2 <text>] [times <day>...]
//       [values <segment 1's values> / <segment 2's> / <segment 3's>]
//                                   writes a run as RunFiles makes it (CHEMICAL, the first model
//                                   variable, taking the values given per time step) and adds it
//   write <name> [...]              writes the run's files only, as run does
//   new                             a fresh document in place of the one there was
//   add <path>... | add-run <path>  AddDatasets of the paths (AddDataset of one); AddRun of a
//                                   run never read
//   remove-run <i> | segment <n> | remove-segment <n> | group <n>... | remove-group <i>
//   rename <column> <identifier> | open <path> | save <path> | unmodified
//                                   the document's own commands: each prints "refused" when it
//                                   says no
//   state                           the runs, the variable names (with where each is) and the
//                                   report columns
//   report [variables <v>...] [threshold <x>] [percent] [sort <mode>] [all] [no-exceedences]
//          [no-minimum]             the report as CSV (variables 0 FLOW, 1 CHEMICAL, 2 SOLIDS)
//   differences <x> [percent]       the variables showing differences
//   files [full] | segments         the input file and segment grids as CSV
// After each command, what the platform said ("said ..."), and whether the document changed.
#pragma once

#include <cctype>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "results/run_report.h"
#include "support/cli_script.h"
#include "support/run_files.h"

namespace orvo::testing {

class ReportScript {
 public:
  // Runs are written into `folder`.
  explicit ReportScript(std::string folder) : folder_(std::move(folder)) { New(); }

  std::optional<std::string> Ran(const std::vector<std::string>& args) {
    std::optional<std::string> text = Command(args);
    if (!text) return text;
    *text += Said(platform.messages);
    if (changes_ > 0) *text += "changed\n";
    changes_ = 0;
    return text;
  }

  ScriptedPlatform platform;

 private:
  void New() {
    document_ = std::make_unique<CORVOReportDoc>(platform);
    document_->SetChangeHandler([this] { ++changes_; });
  }
  static std::string Refused(bool ok) { return ok ? "" : "refused\n"; }
  static std::vector<int> Numbers(const std::vector<std::string>& args, std::size_t from) {
    std::vector<int> numbers;
    for (std::size_t i = from; i < args.size(); ++i) numbers.push_back(std::stoi(args[i]));
    return numbers;
  }

  std::optional<std::string> Command(const std::vector<std::string>& args) {
    const std::string& command = args.at(0);
    CORVOReportDoc& doc = *document_;
    if (command == "write") {
      WriteRun(folder_ + "/" + args.at(1), Run(args));
      return "";
    }
    if (command == "new") {
      New();
      return "";
    }
    if (command == "run")
      return Refused(doc.AddDataset(WriteRun(folder_ + "/" + args.at(1), Run(args))));
    if (command == "add")
      return args.size() == 2
                 ? Refused(doc.AddDataset(args[1]))
                 : "added " + std::to_string(doc.AddDatasets({args.begin() + 1, args.end()})) +
                       "\n";
    if (command == "add-run") return Refused(doc.AddRun(OrvoOutputData(args.at(1))));
    if (command == "remove-run") return Refused(doc.RemoveRun(std::stoul(args.at(1))));
    if (command == "segment") return Refused(doc.AddReportSegment(std::stoi(args.at(1))));
    if (command == "remove-segment") return Refused(doc.RemoveReportSegment(std::stoi(args.at(1))));
    if (command == "group") {
      doc.AddReportGroup(Numbers(args, 1));
      return "";
    }
    if (command == "remove-group") return Refused(doc.RemoveReportGroup(std::stoul(args.at(1))));
    if (command == "rename") return Refused(doc.RenameColumn(std::stoul(args.at(1)), args.at(2)));
    if (command == "open") return Refused(doc.Open(args.at(1)));
    if (command == "save") return Refused(doc.Save(args.at(1)));
    if (command == "unmodified") {
      doc.SetModifiedFlag(false);
      return "";
    }
    if (command == "state") return State();
    if (command == "files") return CsvText(InputFileRows(doc, args.size() > 1));
    if (command == "segments") return CsvText(SegmentRows(doc));
    if (command == "report" || command == "differences") return Report(args);
    return std::nullopt;
  }

  RunFiles Run(const std::vector<std::string>& args) const {
    RunFiles run;
    run.title2 = args.at(1) + " title";
    std::vector<std::vector<double>> chemical;
    std::string list;  // "times" or "values" while their numbers follow
    for (std::size_t i = 2; i < args.size(); ++i) {
      const std::string& word = args[i];
      if (word == "segments") run.segments = std::stoi(args.at(++i));
      if (word == "systems") run.systems = std::stoi(args.at(++i));
      if (word == "title2") run.title2 = args.at(++i);
      if (word == "times") run.times.clear();
      if (word == "values" || word == "/") chemical.emplace_back();
      if (word == "times" || word == "values") list = word;
      if (std::isdigit(static_cast<unsigned char>(word.back())) == 0) continue;
      if (list == "times") run.times.push_back(std::stod(word));
      if (list == "values") chemical.back().push_back(std::stod(word));
    }
    if (run.systems == 8) run.model_names = {"DO"};
    if (!chemical.empty()) {
      const auto plain = run.value;
      run.value = [plain, chemical](OutputTable table, int variable, int segment, int step) {
        return table == OutputTable::kModel && variable == 0
                   ? chemical.at(segment - 1).at(step)
                   : plain(table, variable, segment, step);
      };
    }
    return run;
  }

  std::string State() const {
    const CORVOReportDoc& doc = *document_;
    std::string text;
    for (const OrvoOutputData& run : doc.runs)
      text += "run " + run.pathname + " | " + run.basename + " | " + run.title1 + " | " +
              run.title2 + " | " + std::to_string(run.GetNumTimeSteps(OutputTable::kModel)) +
              " time steps\n";
    text += "variables";
    for (int i = 0; i < static_cast<int>(doc.variable_names.size()); ++i) {
      OutputTable table = OutputTable::kTransport;
      int variable = -1;
      const bool found = doc.VariableAt(i, table, variable);
      text += " " + doc.variable_names[i] + "(" +
              (found ? (table == OutputTable::kModel ? "model " : "transport ") +
                           std::to_string(variable)
                     : "none") +
              ")";
    }
    text += " (" + std::to_string(doc.transport_variable_count) + " of transport)\n";
    for (const ReportColumn& column : doc.Columns()) {
      text += "column " + column.identifier + ":";
      for (int segment : column.segments) text += " " + std::to_string(segment);
      text += "\n";
    }
    return text + (doc.IsModified() ? "modified\n" : "unmodified\n");
  }

  std::string Report(const std::vector<std::string>& args) {
    const CORVOReportDoc& doc = *document_;
    ReportOptions options;
    std::vector<int> variables = {0, 1, 2};
    std::size_t i = 1;
    if (args[0] == "differences") options.threshold = std::stod(args.at(i++));
    for (bool listing = false; i < args.size(); ++i) {
      if (listing && std::isdigit(static_cast<unsigned char>(args[i][0])) != 0) {
        variables.push_back(std::stoi(args[i]));
        continue;
      }
      listing = args[i] == "variables";
      if (listing) variables.clear();
      if (args[i] == "threshold") options.threshold = std::stod(args.at(++i));
      if (args[i] == "sort") options.sort_mode = std::stoi(args.at(++i));
      options.percent |= args[i] == "percent";
      options.show_all_data |= args[i] == "all";
      if (args[i] == "no-exceedences") options.exceedences = false;
      if (args[i] == "no-minimum") options.minimum = false;
    }
    if (args[0] == "report") return CsvText(BuildReport(doc, variables, options).rows);
    const auto shown =
        VariablesShowingDifferences(doc, options.threshold, options.percent, platform);
    if (!shown) return "";
    std::string text = "variables";
    for (int variable : *shown) text += " " + std::to_string(variable);
    return text + "\n";
  }

  std::string folder_;
  std::unique_ptr<CORVOReportDoc> document_;
  int changes_ = 0;
};

}  // namespace orvo::testing
