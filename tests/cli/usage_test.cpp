// The help texts and the usage errors of every command: each command line of
// tests/data/cli/usage/cases.txt, then "help" for each command, with the exit status and what
// it printed, compared with tests/data/cli/usage/expected.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/cli_run.h"
#include "support/golden.h"

namespace orvo::cli {
namespace {

std::string Ran(const std::vector<std::string>& args) {
  const testing::CliResult result = testing::RunCli(args);
  std::string text = "$ orvo";
  for (const std::string& arg : args) text += " " + (arg.empty() ? "\"\"" : arg);
  return text + "\nstatus " + std::to_string(result.status) + "\n--- out\n" + result.out +
         "--- err\n" + result.err;
}

std::string Replaced(std::string arg, const std::string& from, const std::string& to) {
  return arg.rfind(from, 0) == 0 ? to + arg.substr(from.size()) : arg;
}

TEST(Usage, HelpTextsAndUsageErrors) {
  testing::ScratchDir out{"orvo_usage"};
  std::istringstream cases(testing::ReadFile(testing::DataPath("cli/usage/cases.txt")));
  std::string text;
  for (std::string line; std::getline(cases, line);) {
    if (line.rfind("#", 0) == 0) continue;
    std::vector<std::string> args;
    std::istringstream fields(line);
    for (std::string arg; std::getline(fields, arg, '\t');) {
      arg = Replaced(arg, "SRC/", std::string(ORVO_SOURCE_DIR) + "/");
      arg = Replaced(arg, "OUT/", out.path().string() + "/");
      args.push_back(arg == "\"\"" ? "" : arg);
    }
    text += Ran(args);
  }
  for (const Command& command : Commands()) text += Ran({"help", command.name});
  for (const auto& [from, to] : {std::pair<std::string, std::string>{out.path().string(), "OUT"},
                                 {ORVO_SOURCE_DIR, "SRC"}}) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
      text.replace(at, from.size(), to);
  }
  testing::ExpectFileText(testing::DataPath("cli/usage/expected.txt"), text);
  EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

}  // namespace
}  // namespace orvo::cli
