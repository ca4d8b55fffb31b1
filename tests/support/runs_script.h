// Scripts of child processes under tests/data/runs/ (card-case files, the deck part a script): a
// command a line with tab-separated arguments ("" an empty one, \n a line break, DIR the case's
// own scratch folder, whose name holds a quote, a semicolon and a "$"). The result is what the
// commands printed, DIR for the folder; no command may change our working folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/card_cases.h"
#include "support/cli_script.h"
#include "support/scratch_dir.h"

namespace orvo::testing {

// A line of output escaped, or a long one by its size.
inline std::string Shown(const std::string& line) {
  if (line.size() > 80) return "[" + std::to_string(line.size()) + " bytes of " + line[0] + "]";
  return Replaced(Replaced(line, "\r", "\\r"), "\n", "\\n");
}

// Lines a line each, shown; a run of equal lines once, after its count.
inline std::string LinesText(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0, n = 1; i < lines.size(); i += n) {
    for (n = 1; i + n < lines.size() && lines[i + n] == lines[i];) ++n;
    text += (n > 1 ? std::to_string(n) + " x " : "") + Shown(lines[i]) + "\n";
  }
  return text;
}

// Runs the scripts of tests/data/runs/<file>, each on a fresh Script (its `dir` set) whose
// Ran(args) prints what a command did.
template <class Script>
void CheckRunsScripts(const std::string& file) {
  CheckCases(DataPath("runs/" + file), [](const CardCase& c) {
    // Inside a folder of this process's own: test programs run side by side.
    const ScratchDir scratch("orvo_runs");
    const std::filesystem::path dir = scratch.path() / "runs it's; a $dir";
    std::filesystem::create_directories(dir);
    const std::filesystem::path before = std::filesystem::current_path();
    std::string result;
    {
      Script script;
      script.dir = dir;
      result = ScriptResult(c.text, [&](const std::string& line) {
        std::vector<std::string> args;
        std::istringstream fields(Replaced(Replaced(line, "DIR", dir.string()), "\\n", "\n"));
        for (std::string word; std::getline(fields, word, '\t');)
          args.push_back(word == "\"\"" ? "" : word);
        const std::string text = script.Ran(args);
        EXPECT_EQ(std::filesystem::current_path(), before) << line;
        return Replaced(text, dir.string(), "DIR");
      });
    }
    return result;
  });
}

}  // namespace orvo::testing
