// Reports of run families: the cases of tests/data/results/run_report/reports.txt, each a script
// of lines run on a fresh report document:
//   run <name> [times <day>...] values <segment 1's values> / <segment 2's> / <segment 3's>
//                                   adds a run of three segments whose CHEMICAL (the first model
//                                   variable) has these values per time step; FLOW and SOLIDS
//                                   are as RunFiles makes them
//   segment <n> | group <n>...      adds a report column
//   report [variables <v>...] [threshold <x>] [percent] [sort <mode>] [all] [no-exceedences]
//          [no-minimum]             the report as CSV (variables 0 FLOW, 1 CHEMICAL, 2 SOLIDS)
//   differences <x> [percent]       the variables showing differences, or the message
//   files [full] | segments         the input file and segment grids as CSV
// The result is each line after "> " with what it printed; DIR is the runs' folder.
#include "results/run_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "support/card_cases.h"
#include "support/run_files.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

using testing::RunFiles;

class RunReportTest : public ::testing::Test {
 protected:
  // What one line of a case does and prints.
  std::string Ran(const std::string& line, CORVOReportDoc& doc) {
    std::istringstream in(line);
    std::string command, word;
    in >> command;
    if (command == "run") {
      std::string name;
      in >> name >> word;
      RunFiles run;
      run.title2 = name + " title";
      if (word == "times") {
        run.times.clear();
        for (double time; in >> time;) run.times.push_back(time);
        in.clear();
        in >> word;
      }
      std::vector<std::vector<double>> chemical(1);
      while (in >> word) {
        if (word == "/")
          chemical.emplace_back();
        else
          chemical.back().push_back(std::stod(word));
      }
      const auto plain = run.value;
      run.value = [plain, chemical](OutputTable table, int variable, int segment, int step) {
        return table == OutputTable::kModel && variable == 0
                   ? chemical.at(segment - 1).at(step)
                   : plain(table, variable, segment, step);
      };
      return doc.AddDataset(WriteRun(dir_ / name, run)) ? "" : platform_.messages.back() + "\n";
    }
    std::vector<int> numbers;
    if (command == "segment" || command == "group") {
      for (int n; in >> n;) numbers.push_back(n);
      if (command == "segment") doc.AddReportSegment(numbers.at(0));
      if (command == "group") doc.AddReportGroup(numbers);
      return "";
    }
    if (command == "files") return CsvText(InputFileRows(doc, (in >> word, word == "full")));
    if (command == "segments") return CsvText(SegmentRows(doc));
    ReportOptions options;
    std::vector<int> variables = {0, 1, 2};
    if (command == "differences") in >> options.threshold;
    while (in >> word) {
      if (word == "variables") {
        variables.clear();
        for (int n; in >> n;) variables.push_back(n);
        in.clear();
      }
      if (word == "threshold") in >> options.threshold;
      if (word == "sort") in >> options.sort_mode;
      options.percent |= word == "percent";
      options.show_all_data |= word == "all";
      if (word == "no-exceedences") options.exceedences = false;
      if (word == "no-minimum") options.minimum = false;
    }
    if (command == "report") return CsvText(BuildReport(doc, variables, options).rows);
    const auto shown =
        VariablesShowingDifferences(doc, options.threshold, options.percent, platform_);
    if (!shown) return platform_.messages.back() + "\n";
    std::string text = "variables";
    for (int variable : *shown) text += " " + std::to_string(variable);
    return text + "\n";
  }

  testing::ScratchDir dir_{"orvo_run_report"};
  ScriptedPlatform platform_;
};

TEST_F(RunReportTest, Reports) {
  testing::CheckCases(
      testing::DataPath("results/run_report/reports.txt"), [&](const testing::CardCase& c) {
        CORVOReportDoc doc(platform_);
        std::istringstream lines(c.text);
        std::string text;
        for (std::string line; std::getline(lines, line);)
          text += "> " + line + "\n" + Ran(line, doc);
        for (size_t at; (at = text.find(dir_.path().string())) != std::string::npos;)
          text.replace(at, dir_.path().string().size(), "DIR");
        return text;
      });
}

TEST(CsvTextTest, QuotesCellsThatNeedIt) {
  EXPECT_EQ(CsvText({{"2, 1: Max", "say \"hi\"", "two\nlines", "plain"}, {}}),
            "\"2, 1: Max\",\"say \"\"hi\"\"\",\"two\nlines\",plain\n\n");
}

}  // namespace
}  // namespace orvo
