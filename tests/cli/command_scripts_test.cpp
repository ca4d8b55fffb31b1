// Scripts of `orvo` command lines under tests/data/cli/scripts/: each case file holds its lines,
// then "--- transcript" and what they printed. A line is a command and its arguments separated
// by tabs ("" stands for an empty argument, \n and \r for line break characters):
//   orvo <args>...     runs the command line in-process: its status, output and errors
//   cp <from> <to>     copies a file or a folder, making the folders <to> needs
//   put <path> <text>  writes a file, making the folders it needs
//   mkdir <folder>     makes a folder
//   rm <path>          removes a file or a folder
//   cat <path>         prints a file
//   ls <folder>        lists what is under a folder, a path a line
//   same <a> <b>       says whether two files or folders hold the same bytes
// OUT/ is the case's own empty folder, DATA/ tests/data/cli/files/, BIN/ the built programs and
// SRC/ the source tree, in the lines and in the transcript; dates are shown as DATE.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/project_document.h"
#include "support/cli_run.h"
#include "support/golden.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

const std::string kTranscript = "--- transcript\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// What is under a folder, sorted: folders end in "/".
std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    paths.push_back(fs::relative(entry.path(), folder).string() +
                    (entry.is_directory() ? "/" : ""));
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string Same(const fs::path& a, const fs::path& b) {
  if (!fs::is_directory(a)) return ReadFile(a) == ReadFile(b) ? "same\n" : "differ\n";
  if (Listing(a) != Listing(b)) return "differ: the listings\n";
  for (const std::string& path : Listing(a))
    if (path.back() != '/' && ReadFile(a / path) != ReadFile(b / path))
      return "differ: " + path + "\n";
  return "same\n";
}

class CommandScript : public ::testing::TestWithParam<std::string> {
 protected:
  // The paths the scripts name by their short forms, the longer first where one holds another.
  std::vector<std::pair<std::string, std::string>> Places() const {
    return {{"OUT", out.path().string()},
            {"DATA", testing::DataPath("cli/files").string()},
            {"BIN", ORVO_BIN_DIR},
            {"SRC", ORVO_SOURCE_DIR}};
  }
  std::string Arg(std::string arg) const {
    if (arg == "\"\"") return "";
    for (const auto& [name, path] : Places())
      if (arg == name || arg.rfind(name + "/", 0) == 0) arg = path + arg.substr(name.size());
    return Replaced(Replaced(arg, "\\n", "\n"), "\\r", "\r");
  }
  std::string Ran(const std::vector<std::string>& line) const {
    std::vector<std::string> args;
    for (const std::string& arg : line) args.push_back(Arg(arg));
    const std::string& command = args[0];
    if (command == "orvo") {
      COrvoBuilderCntrItem::SetNodeNumberCounter(0);  // as in a freshly started program
      const testing::CliResult result = testing::RunCli({args.begin() + 1, args.end()});
      return "status " + std::to_string(result.status) + "\n--- out\n" + result.out + "--- err\n" +
             result.err;
    }
    if (command == "cp") {
      fs::create_directories(fs::path(args.at(2)).parent_path());
      fs::copy(args.at(1), args.at(2),
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } else if (command == "put") {
      fs::create_directories(fs::path(args.at(1)).parent_path());
      testing::WriteFile(args.at(1), args.at(2));
    } else if (command == "mkdir") {
      fs::create_directories(args.at(1));
    } else if (command == "rm") {
      fs::remove_all(args.at(1));
    } else if (command == "cat") {
      const std::string text = ReadFile(args.at(1));
      return text.empty() || text.back() == '\n' ? text : text + "\n(no newline at end)\n";
    } else if (command == "ls") {
      std::string text;
      for (const std::string& path : Listing(args.at(1))) text += path + "\n";
      return text;
    } else if (command == "same") {
      return Same(args.at(1), args.at(2));
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
    return "";
  }

  // The scratch folder is named after the test, "PrintsItsTranscript/<case>": its parent goes
  // after it.
  struct RemovedAfter {
    ~RemovedAfter() {
      std::error_code ignored;
      fs::remove(path, ignored);
    }
    fs::path path;
  } parent;
  testing::ScratchDir out{"orvo_script it's;"};
};

TEST_P(CommandScript, PrintsItsTranscript) {
  parent.path = out.path().parent_path();
  const fs::path path = testing::DataPath("cli/scripts/" + GetParam() + ".txt");
  const std::string file = ReadFile(path);
  const size_t end = file.find(kTranscript);
  ASSERT_NE(end, std::string::npos) << path;
  const std::string script = file.substr(0, end);
  std::istringstream lines(script);
  std::string transcript;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> words;
    std::istringstream fields(line);
    for (std::string word; std::getline(fields, word, '\t');) words.push_back(word);
    transcript += "$ " + Replaced(line, "\t", " ") + "\n" + Ran(words);
  }
  for (const auto& [name, place] : Places()) transcript = Replaced(transcript, place, name);
  transcript =
      std::regex_replace(transcript, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)"), "DATE");
  testing::ExpectFileText(path, script + kTranscript + transcript);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandScript,
                         ::testing::ValuesIn(testing::CaseNames("cli/scripts", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo::cli
