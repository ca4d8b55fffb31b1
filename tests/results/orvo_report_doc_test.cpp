// The report document: the scripts of tests/data/results/report_doc/scripts/ (the runner of
// support/cli_script.h with the report commands of support/results_report_script.h, on one
// document whose runs are written into the case's folder).
#include "results/orvo_report_doc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_script.h"
#include "support/results_report_script.h"

namespace orvo {
namespace {

using testing::CommandScript;

TEST_P(CommandScript, PrintsItsTranscript) {
  testing::ReportScript report(out.path().string());
  Check("results/report_doc", [&](const std::vector<std::string>& args,
                                  const std::filesystem::path&) { return report.Ran(args); });
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandScript, testing::ScriptCases("results/report_doc"),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
