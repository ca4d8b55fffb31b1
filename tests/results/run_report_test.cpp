// Reports of run families: the cases of tests/data/results/run_report/reports.txt, each lines of
// the commands of support/results_report_script.h run on a fresh report document, with what
// they printed after "> <line>"; DIR is the runs' folder.
#include "results/run_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/card_cases.h"
#include "support/results_report_script.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

TEST(RunReportTest, Reports) {
  const testing::ScratchDir dir("orvo_run_report");
  testing::CheckCases(testing::DataPath("results/run_report/reports.txt"),
                      [&](const testing::CardCase& c) {
                        testing::ReportScript script(dir.path().string());
                        std::istringstream lines(c.text);
                        std::string text;
                        for (std::string line; std::getline(lines, line);) {
                          std::istringstream words(line);
                          std::vector<std::string> args;
                          for (std::string word; words >> word;) args.push_back(word);
                          text += "> " + line + "\n" + script.Ran(args).value_or("unknown\n");
                        }
                        for (size_t at; (at = text.find(dir.path().string())) != std::string::npos;)
                          text.replace(at, dir.path().string().size(), "DIR");
                        return text;
                      });
}

TEST(CsvTextTest, QuotesCellsThatNeedIt) {
  EXPECT_EQ(CsvText({{"2, 1: Max", "say \"hi\"", "two\nlines", "plain"}, {}}),
            "\"2, 1: Max\",\"say \"\"hi\"\"\",\"two\nlines\",plain\n\n");
}

}  // namespace
}  // namespace orvo
