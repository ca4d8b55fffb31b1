// Scripts of command lines under tests/data/<kind>/scripts/: each case file holds its lines,
// then "--- transcript" and what they printed. A line is a command and its arguments separated
// by tabs ("" stands for an empty argument, \n and \r for line break characters). Besides the
// commands of the kind's runner:
//   cp <from> <to>     copies a file or a folder, making the folders <to> needs
//   put <path> <text>  writes a file, making the folders it needs
//   mkdir <folder>     makes a folder
//   rm <path>          removes a file or a folder
//   cat <path>         prints a file
//   head <path> <n>    prints the first n lines of a file
//   ls <folder>        lists what is under a folder, a path a line
//   same <a> <b>       says whether two files or folders hold the same bytes
//   diff <a> <b>       the lines of b that differ from a's line at the same place (the first 20)
// OUT/ is the case's own empty folder, DATA/ tests/data/<kind>/files/, BIN/ the built programs
// and SRC/ the source tree, anywhere in the lines and in the transcript; dates are shown as DATE.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "support/golden.h"

namespace orvo::testing {

inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// What is under a folder, sorted: folders end in "/".
inline std::vector<std::string> Listing(const std::filesystem::path& folder) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    paths.push_back(std::filesystem::relative(entry.path(), folder).string() +
                    (entry.is_directory() ? "/" : ""));
  std::sort(paths.begin(), paths.end());
  return paths;
}

inline std::string Same(const std::filesystem::path& a, const std::filesystem::path& b) {
  if (!std::filesystem::is_directory(a)) return ReadFile(a) == ReadFile(b) ? "same\n" : "differ\n";
  if (Listing(a) != Listing(b)) return "differ: the listings\n";
  for (const std::string& path : Listing(a))
    if (path.back() != '/' && ReadFile(a / path) != ReadFile(b / path))
      return "differ: " + path + "\n";
  return "same\n";
}

// The cases of one kind's scripts, as test parameters.
inline auto ScriptCases(const std::string& kind) {
  return ::testing::ValuesIn(CaseNames(kind + "/scripts", ".txt"));
}

// What a platform said since the last call, a "said" line each.
inline std::string Said(std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& message : messages) text += "said " + message + "\n";
  messages.clear();
  return text;
}

// The runner of one kind's scripts: `command` prints what a command of the kind printed, or
// nothing for a command it does not know. Its arguments come with their paths in full.
using ScriptCommand = std::function<std::optional<std::string>(const std::vector<std::string>& args,
                                                               const std::filesystem::path& out)>;

class CommandScript : public ::testing::TestWithParam<std::string> {
 protected:
  void Check(const std::string& kind, const ScriptCommand& command) {
    parent.path = out.path().parent_path();
    places = {{"OUT", out.path().string()},
              {"DATA", DataPath(kind + "/files").string()},
              {"BIN", ORVO_BIN_DIR},
              {"SRC", ORVO_SOURCE_DIR}};
    const std::filesystem::path path = DataPath(kind + "/scripts/" + GetParam() + ".txt");
    const std::string kTranscript = "--- transcript\n";
    const std::string file = ReadFile(path);
    const size_t end = file.find(kTranscript);
    ASSERT_NE(end, std::string::npos) << path;
    const std::string script = file.substr(0, end);
    std::istringstream lines(script);
    std::string transcript;
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> args;
      std::istringstream fields(line);
      for (std::string word; std::getline(fields, word, '\t');) args.push_back(Arg(word));
      transcript += "$ " + Replaced(line, "\t", " ") + "\n";
      const std::filesystem::path here = std::filesystem::current_path();
      if (const std::optional<std::string> printed = command(args, out.path()))
        transcript += *printed;
      else
        transcript += Ran(args);
      EXPECT_EQ(std::filesystem::current_path(), here) << line << " left the working folder";
    }
    for (const auto& [name, place] : places) transcript = Replaced(transcript, place, name);
    transcript =
        std::regex_replace(transcript, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)"), "DATE");
    ExpectFileText(path, script + kTranscript + transcript);
  }

 private:
  std::string Arg(std::string arg) const {
    if (arg == "\"\"") return "";
    for (const auto& [name, path] : places) {
      if (arg == name) arg = path;
      arg = Replaced(arg, name + "/", path + "/");
    }
    return Replaced(Replaced(arg, "\\n", "\n"), "\\r", "\r");
  }
  std::string Ran(const std::vector<std::string>& args) const {
    namespace fs = std::filesystem;
    const std::string& command = args[0];
    if (command == "cp") {
      fs::create_directories(fs::path(args.at(2)).parent_path());
      fs::copy(args.at(1), args.at(2),
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } else if (command == "put") {
      fs::create_directories(fs::path(args.at(1)).parent_path());
      WriteFile(args.at(1), args.at(2));
    } else if (command == "mkdir") {
      fs::create_directories(args.at(1));
    } else if (command == "rm") {
      fs::remove_all(args.at(1));
    } else if (command == "cat") {
      const std::string text = ReadFile(args.at(1));
      return text.empty() || text.back() == '\n' ? text : text + "\n(no newline at end)\n";
    } else if (command == "head") {
      std::istringstream in(ReadFile(args.at(1)));
      std::string text;
      std::string line;
      for (int n = std::stoi(args.at(2)); n > 0 && std::getline(in, line); --n) text += line + "\n";
      return text;
    } else if (command == "ls") {
      std::string text;
      for (const std::string& path : Listing(args.at(1))) text += path + "\n";
      return text;
    } else if (command == "diff") {
      std::istringstream a(ReadFile(args.at(1))), b(ReadFile(args.at(2)));
      std::string text, line_a, line_b;
      int differing = 0;
      for (int n = 1; std::getline(b, line_b); ++n)
        if ((!std::getline(a, line_a) || line_a != line_b) && ++differing <= 20)
          text += "line " + std::to_string(n) + ": " + line_b + "\n";
      if (differing > 20) text += "and " + std::to_string(differing - 20) + " lines more\n";
      if (std::getline(a, line_a)) text += "and more lines in the first\n";
      return text;
    } else if (command == "same") {
      return Same(args.at(1), args.at(2));
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
    return "";
  }

 protected:
  // The scratch folder is named after the test, "<test>/<case>": its parent goes after it.
  struct RemovedAfter {
    ~RemovedAfter() {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
    }
    std::filesystem::path path;
  } parent;
  ScratchDir out{"orvo_script it's;"};

 private:
  // The paths the scripts name by their short forms, the longer first where one holds another.
  std::vector<std::pair<std::string, std::string>> places;
};

}  // namespace orvo::testing
