#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_command.h"

namespace orvo::cli {
namespace {

int RunCli(std::vector<std::string> args, std::string& out, std::string& err) {
  std::ostringstream out_stream, err_stream;
  const int status = RunOrvo(std::move(args), out_stream, err_stream);
  out = out_stream.str();
  err = err_stream.str();
  return status;
}

TEST(HelpCommand, OneCommandsUsageAndSummary) {
  std::string out, err;
  EXPECT_EQ(RunCli({"help", "write"}, out, err), kSuccess);
  EXPECT_EQ(out, "usage: orvo [--no] write PROJECT DECK\n\n  write the project's input deck\n");
  EXPECT_EQ(err, "");
}

TEST(HelpCommand, EveryCommandHasItsHelp) {
  std::string all, err;
  ASSERT_EQ(RunCli({"help"}, all, err), kSuccess);
  for (const Command& command : Commands()) {
    std::string out;
    EXPECT_EQ(RunCli({"help", command.name}, out, err), kSuccess) << command.name;
    EXPECT_NE(out.find(command.summary), std::string::npos) << command.name;
    EXPECT_NE(all.find(std::string("  ") + command.name + ' '), std::string::npos) << command.name;
  }
}

TEST(HelpCommand, UnknownCommandIsAUsageError) {
  std::string out, err;
  EXPECT_EQ(RunCli({"help", "frobnicate"}, out, err), kUsage);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "orvo help: there is no command frobnicate.\nusage: orvo help [COMMAND]\n");
  EXPECT_EQ(RunCli({"help", "run", "write"}, out, err), kUsage);
}

}  // namespace
}  // namespace orvo::cli
