// Files of deck card cases under tests/data/: each case is
//   === <name>
//   shape <NOSEG> <NOSYS>
//   from <deck case>               (optional: the project the card is read into)
//   file <path>                    (optional, repeated: what file choosers are answered)
//   import <commands>              (group import cases: the commands run, each on a fresh
//                                   project)
//   --- deck
//   <the card's text>              (a line ending in "<10000>" is filled with "x" to 10,000
//                                   characters)
//   --- result                     ("--- result (no newline at end)" drops the last "\n")
//   <what the test makes of it>
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "support/golden.h"

namespace orvo::testing {

struct CardCase {
  std::string name;
  DeckShape shape;
  std::string from;
  std::vector<std::string> files;
  std::string import;
  std::string text;
  std::string result;

  // The text the card is read from.
  std::string Input() const {
    const std::string kMark = "<10000>\n";
    std::string input = text;
    for (size_t at = 0; (at = input.find(kMark, at)) != std::string::npos;) {
      const size_t start =
          input.rfind('\n', at) == std::string::npos ? 0 : input.rfind('\n', at) + 1;
      input.replace(at, kMark.size() - 1,
                    std::string(at - start < 10000 ? 10000 - (at - start) : 0, 'x'));
      at = input.find('\n', at);
    }
    return input;
  }
};

inline std::vector<CardCase> ReadCases(const std::string& file) {
  std::vector<CardCase> cases;
  const std::string kResult = "--- result";
  size_t at = 0;
  while ((at = file.find("=== ", at)) != std::string::npos) {
    CardCase c;
    const size_t name_end = file.find('\n', at);
    c.name = file.substr(at + 4, name_end - at - 4);
    std::string word;
    std::istringstream(file.substr(name_end + 1, file.find('\n', name_end + 1) - name_end)) >>
        word >> c.shape.NOSEG >> c.shape.NOSYS;
    const size_t deck_at = file.find("--- deck\n", name_end);
    std::istringstream options(file.substr(name_end + 1, deck_at - name_end - 1));
    std::getline(options, word);
    for (std::string line; std::getline(options, line);) {
      if (line.rfind("from ", 0) == 0) c.from = line.substr(5);
      if (line.rfind("file ", 0) == 0) c.files.push_back(line.substr(5));
      if (line.rfind("import ", 0) == 0) c.import = line.substr(7);
    }
    const size_t text_start = deck_at + 9;
    const size_t result_at = file.find("\n" + kResult, text_start - 1) + 1;
    c.text = file.substr(text_start, result_at - text_start);
    const size_t result_line_end = file.find('\n', result_at);
    if (file.compare(result_at, result_line_end - result_at, kResult) != 0) c.text.pop_back();
    at = file.find("\n=== ", result_line_end);
    c.result = file.substr(result_line_end + 1,
                           (at == std::string::npos ? file.size() : at + 1) - result_line_end - 1);
    cases.push_back(std::move(c));
  }
  return cases;
}

inline std::string WriteCases(const std::vector<CardCase>& cases) {
  std::string file;
  for (const CardCase& c : cases) {
    file += "=== " + c.name + "\nshape " + std::to_string(c.shape.NOSEG) + " " +
            std::to_string(c.shape.NOSYS) + "\n";
    if (!c.from.empty()) file += "from " + c.from + "\n";
    for (const std::string& path : c.files) file += "file " + path + "\n";
    if (!c.import.empty()) file += "import " + c.import + "\n";
    file += "--- deck\n" + c.text;
    file += !c.text.empty() && c.text.back() != '\n' ? "\n--- result (no newline at end)\n"
                                                     : "--- result\n";
    file += c.result;
  }
  return file;
}

// Compares what result_of makes of each case of the file with the result it records, or records
// it when the expected files are being regenerated.
template <class ResultOf>
void CheckCases(const std::filesystem::path& path, ResultOf result_of) {
  std::vector<CardCase> cases = ReadCases(ReadFile(path));
  ASSERT_FALSE(cases.empty()) << path;
  for (CardCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string result = result_of(c);
    if (UpdatingExpected())
      c.result = result;
    else
      EXPECT_EQ(result, c.result);
  }
  if (UpdatingExpected()) ExpectFileText(path, WriteCases(cases));
}

// The result of a script run line by line (blank lines skipped): "> <line>", then what run_line
// made the line print, for every line that printed anything.
template <class RunLine>
std::string ScriptResult(const std::string& script, RunLine run_line) {
  std::string result;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    const std::string printed = run_line(line);
    if (!printed.empty()) result += "> " + line + "\n" + printed;
  }
  return result;
}

}  // namespace orvo::testing
