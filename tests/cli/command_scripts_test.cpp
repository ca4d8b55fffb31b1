// Scripts of `orvo` command lines under tests/data/cli/scripts/, run by the script runner of
// support/cli_script.h with one more command:
//   orvo <args>...     runs the command line in-process: its status, output and errors
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/project_document.h"
#include "support/cli_run.h"
#include "support/cli_script.h"

namespace orvo::cli {
namespace {

using testing::CommandScript;

TEST_P(CommandScript, PrintsItsTranscript) {
  Check("cli",
        [](const std::vector<std::string>& args,
           const std::filesystem::path&) -> std::optional<std::string> {
          if (args[0] != "orvo") return std::nullopt;
          COrvoBuilderCntrItem::SetNodeNumberCounter(0);  // as in a freshly started program
          const testing::CliResult result = testing::RunCli({args.begin() + 1, args.end()});
          return "status " + std::to_string(result.status) + "\n--- out\n" + result.out +
                 "--- err\n" + result.err;
        });
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandScript, testing::ScriptCases("cli"), testing::CaseTestName);

}  // namespace
}  // namespace orvo::cli
