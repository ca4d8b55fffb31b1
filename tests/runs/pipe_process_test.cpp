// Child processes on pipes: the scripts of tests/data/runs/pipe_process.txt (card-case files, the
// deck part a script), a command a line with tab-separated arguments ("" an empty one, \n a line
// break; DIR a scratch folder named "pipe it's; a $dir"):
//   start <argument>...   start-in <folder> <argument>...   prints "started" or the error
//   write <text>          write-many <n> (n times "a")      prints "wrote" or "refused"
//   close-input           read (one line)                   read-all (until the output ends)
//   close [<seconds>]     how the child ended; closing again must repeat it
//   env <name> <value>    for the child only                parent-env <name> [<value>]
//   getenv <name>         this process's value              script <name> <text> (executable)
// Lines are shown escaped, runs of equal lines once with their count, long lines by their size;
// "end" is what a read gives once the output has ended.
#include "runs/pipe_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/card_cases.h"
#include "support/cli_script.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::Replaced;

std::string Shown(const std::string& line) {
  if (line.size() > 80) return "[" + std::to_string(line.size()) + " bytes of " + line[0] + "]";
  return Replaced(Replaced(line, "\r", "\\r"), "\n", "\\n");
}

std::string EndText(const ProcessEnd& end) {
  std::string text = end.started ? "" : "not started ";
  text += "exit " + std::to_string(end.exit_code) + " signal " + std::to_string(end.signal);
  if (end.timed_out) text += " timed out";
  if (end.Succeeded()) text += " succeeded";
  if (!end.output_tail.empty())
    text += ", tail of " + std::to_string(end.output_tail.size()) + " bytes ending " +
            Shown(end.output_tail.substr(end.output_tail.size() - 22));
  return text + "\n";
}

struct PipeScript {
  fs::path dir = fs::path(::testing::TempDir()) / "pipe it's; a $dir";
  PipeProcess child;

  std::string Ran(const std::string& line) {
    std::vector<std::string> args;
    std::istringstream fields(Replaced(Replaced(line, "DIR", dir.string()), "\\n", "\n"));
    for (std::string word; std::getline(fields, word, '\t');)
      args.push_back(word == "\"\"" ? "" : word);
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
      text += Shown(read) + "\n";
    } else if (command == "read-all") {
      std::string read, previous;
      int count = 0;
      const auto flush = [&] {
        if (count > 1) text += std::to_string(count) + " x ";
        if (count > 0) text += Shown(previous) + "\n";
      };
      while (child.ReadLine(read)) {
        if (count > 0 && read != previous) flush(), count = 0;
        previous = read, ++count;
      }
      flush();
      text += "end " + Shown(read) + "\n";
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
    return Replaced(text, dir.string(), "DIR");
  }
};

TEST(PipeProcessTest, Scripts) {
  testing::CheckCases(testing::DataPath("runs/pipe_process.txt"), [](const testing::CardCase& c) {
    PipeScript script;
    fs::create_directories(script.dir);
    const fs::path before = fs::current_path();
    const std::string result = testing::ScriptResult(c.text, [&](const std::string& line) {
      const std::string text = script.Ran(line);
      EXPECT_EQ(fs::current_path(), before) << line;
      return text;
    });
    fs::remove_all(script.dir);
    return result;
  });
}

}  // namespace
}  // namespace orvo
