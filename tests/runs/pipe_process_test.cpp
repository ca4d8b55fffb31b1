// Child processes on pipes: the scripts of tests/data/runs/pipe_process.txt
// (support/runs_script.h):
//   start <argument>...   start-in <folder> <argument>...   prints "started" or the error
//   write <text>          write-many <n> (n times "a")      prints "wrote" or "refused"
//   close-input           read (one line)                   read-all (until the output ends)
//   close [<seconds>]     how the child ended; closing again must repeat it
//   env <name> <value>    for the child only                parent-env <name> [<value>]
//   getenv <name>         this process's value              script <name> <text> (executable)
// "end" is what a read gives once the output has ended.
#include "runs/pipe_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/runs_script.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

std::string EndText(const ProcessEnd& end) {
  std::string text = end.started ? "" : "not started ";
  text += "exit " + std::to_string(end.exit_code) + " signal " + std::to_string(end.signal);
  if (end.timed_out) text += " timed out";
  if (end.Succeeded()) text += " succeeded";
  if (!end.output_tail.empty())
    text += ", tail of " + std::to_string(end.output_tail.size()) + " bytes ending " +
            testing::Shown(end.output_tail.substr(end.output_tail.size() - 22));
  return text + "\n";
}

struct PipeScript {
  fs::path dir;
  PipeProcess child;

  std::string Ran(const std::vector<std::string>& args) {
    const std::string& command = args.at(0);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    std::string text;
    if (command == "start" || command == "start-in") {
      const bool in = command == "start-in";
      const std::vector<std::string> program(rest.begin() + (in ? 1 : 0), rest.end());
      const bool started = in ? child.Start(program, rest.at(0)) : child.Start(program);
      text = started ? "started\n" : child.error() + "\n";
    } else if (command == "write" || command == "write-many") {
      const std::string data =
          command == "write" ? rest.at(0) : std::string(std::stoul(rest.at(0)), 'a');
      text = child.Write(data) ? "wrote\n" : "refused\n";
    } else if (command == "close-input") {
      child.CloseInput();
    } else if (command == "read") {
      std::string read = "stale";
      text = child.ReadLine(read) ? "line " : "end ";
      text += testing::Shown(read) + "\n";
    } else if (command == "read-all") {
      std::vector<std::string> lines;
      std::string read;
      while (child.ReadLine(read)) lines.push_back(read);
      text = testing::LinesText(lines) + "end " + testing::Shown(read) + "\n";
    } else if (command == "close") {
      const auto begin = std::chrono::steady_clock::now();
      const ProcessEnd end = rest.empty() ? child.Close() : child.Close(std::stod(rest.at(0)));
      if (std::chrono::steady_clock::now() - begin > std::chrono::seconds(5)) text = "slow ";
      text += EndText(end);
      EXPECT_EQ(EndText(child.Close()), EndText(end)) << "closing again";
    } else if (command == "env") {
      child.SetEnvironment(rest.at(0), rest.at(1));
    } else if (command == "parent-env") {
      if (rest.size() > 1)
        ::setenv(rest.at(0).c_str(), rest.at(1).c_str(), 1);
      else
        ::unsetenv(rest.at(0).c_str());
    } else if (command == "getenv") {
      const char* value = std::getenv(rest.at(0).c_str());
      text = value ? std::string(value) + "\n" : "(unset)\n";
    } else if (command == "script") {
      std::ofstream(dir / rest.at(0)) << rest.at(1);
      fs::permissions(dir / rest.at(0), fs::perms::owner_all);
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
    return text;
  }
};

TEST(PipeProcessTest, Scripts) {
  testing::CheckRunsScripts<PipeScript>("pipe_process.txt");
}

}  // namespace
}  // namespace orvo
