// The revision store on the real RCS programs, driven by scripts: cases as support/card_cases.h
// reads them from tests/data/vcs/*.txt (the shape line is unused; the deck part is the script,
// one command a line), each in a folder of its own holding the project river.orb. Texts are
// written with C escapes (\n \r \t \0 \\ \xNN; "\ " is a blank inside an argument). The result
// holds, under "> <command>", what the command printed and what the user was told, the folder
// shown as <dir>. With ORVO_UPDATE_FUZZ_SEEDS=1 the rlog outputs become seeds of the log
// parser's fuzz target (fuzz/corpus/fuzz_rcs_log).
//   write <text>                    the working file's bytes
//   project <relative path>         the working file is another one from here on
//   open                            the record read afresh; then its state
//   ci <revision|next|-> <name|-> <text>   a check-in by the open record, then its state (by a
//                                   record of its own, then dropped, if none is open)
//   co <revision>  open-version <revision>  delete <revision>   on the record
//   no                              the next question is answered No
//   run <program> <arguments...>    an RCS program run in the folder by hand
//   archive <text>                  RCS/<file>,v written by hand
//   file  exists <relative path>  locks  rlog <text> (whether rlog prints it)
// A record's state: its file name and folder, whether the archive exists, every revision's
// list line, log message and whether its date reads "date: 20..", the symbolic names, the
// description and the next revision.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/scripted_platform.h"
#include "runs/pipe_process.h"
#include "support/card_cases.h"
#include "support/scratch_dir.h"
#include "vcs/rcs_class.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
    }
  }
  return out;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The arguments of a command: split at blanks, except escaped ones, then unescaped. The last
// argument of write, archive and ci is the rest of the line.
std::vector<std::string> Arguments(const std::string& line) {
  std::vector<std::string> arguments(1);
  size_t limit = std::string::npos;
  for (size_t i = 0; i < line.size(); ++i) {
    if (arguments.size() == limit) {
      arguments.back() = line.substr(i);
      break;
    }
    if (line[i] == ' ') {
      if (arguments.back().empty()) continue;
      if (arguments.size() == 1)
        limit = arguments[0] == "ci"                                   ? 4
                : arguments[0] == "write" || arguments[0] == "archive" ? 2
                                                                       : limit;
      arguments.emplace_back();
    } else if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == ' ') {
      arguments.back() += "\\x20";
      ++i;
    } else {
      arguments.back() += line[i];
    }
  }
  if (arguments.back().empty() && arguments.size() != limit) arguments.pop_back();
  for (std::string& argument : arguments) argument = Unescaped(argument);
  return arguments;
}

struct RcsScript {
  testing::ScratchDir dir{"orvo_rcs"};
  ScriptedPlatform platform;
  std::string project = dir / "river.orb";
  std::unique_ptr<RCSClass> record;
  std::string out;
  std::string seed_name;  // of the fuzz target's seeds
  int seed_count = 0;

  std::string Shown(std::string text) const {
    const std::string folder = dir.path().string();
    for (size_t at = 0; (at = text.find(folder, at)) != std::string::npos; at += 5)
      text.replace(at, folder.size(), "<dir>");
    return text;
  }

  std::string State() const {
    const RCSClass& r = *record;
    std::string state = "file " + r.file_name + " in " + Shown(r.directory) +
                        (r.archive_exists ? ", archive" : ", no archive") + "\n";
    for (size_t i = 0; i < r.revisions.size(); ++i) {
      state +=
          "revision " + r.ListLine(i) + "\t" + Escaped(r.log_messages[i]) +
          (r.revision_dates[i].starts_with("date: 20") ? "" : "\tdate " + r.revision_dates[i]) +
          "\n";
    }
    for (const std::string& line : r.symbolic_name_lines) state += "name " + Escaped(line) + "\n";
    return state + "description " + Escaped(r.description) + "\nnext " + r.NextRevision() + "\n";
  }

  // What rlog prints for the working file, as the revision store runs it.
  std::string Rlog() {
    const fs::path file = project;
    PipeProcess rlog;
    rlog.SetEnvironment("LC_ALL", "C");
    const std::string name = file.filename().string();
    EXPECT_TRUE(
        rlog.Start({"rlog", name[0] == '-' ? "./" + name : name}, file.parent_path().string()));
    std::string output, line;
    for (bool more = true; more;) {
      more = rlog.ReadLine(line);
      output += line;
    }
    rlog.Close();
    if (std::getenv("ORVO_UPDATE_FUZZ_SEEDS") != nullptr) {
      const fs::path seeds = fs::path(ORVO_SOURCE_DIR) / "fuzz/corpus/fuzz_rcs_log";
      fs::create_directories(seeds);
      std::ofstream(seeds / (seed_name + "_" + std::to_string(++seed_count)), std::ios::binary)
          << output;
    }
    return output;
  }

  void Run(const std::vector<std::string>& a) {
    const std::string& command = a[0];
    const auto arg = [&a](size_t i) { return i < a.size() ? a[i] : std::string(); };
    if (command == "write") {
      std::ofstream(project, std::ios::binary | std::ios::trunc) << arg(1);
    } else if (command == "project") {
      project = dir / arg(1);
      fs::create_directories(fs::path(project).parent_path());
      record.reset();
    } else if (command == "open") {
      record = std::make_unique<RCSClass>(project, platform);
      out += State();
    } else if (command == "ci") {
      const bool open = record != nullptr;
      if (!open) record = std::make_unique<RCSClass>(project, platform);
      const std::string revision = arg(1) == "next" ? record->NextRevision()
                                   : arg(1) == "-"  ? ""
                                                    : arg(1);
      const bool ok = record->CIVersion(revision, arg(2) == "-" ? "" : arg(2), arg(3));
      if (!ok) out += "fails\n";
      if (open)
        out += State();
      else
        record.reset();
    } else if (command == "co" || command == "open-version" || command == "delete") {
      const bool ok = command == "co"             ? record->CheckOut(arg(1))
                      : command == "open-version" ? OpenVersion(*record, arg(1))
                                                  : record->DeleteRevision(arg(1));
      out += ok ? "done\n" : "fails\n";
      if (command == "delete") out += State();
    } else if (command == "no") {
      platform.answers.push_back(false);
    } else if (command == "run") {
      PipeProcess program;
      ASSERT_TRUE(program.Start({a.begin() + 1, a.end()}, dir.path().string()));
      if (!program.Close().Succeeded()) out += "fails\n";
    } else if (command == "archive") {
      fs::create_directories(dir.path() / "RCS");
      std::ofstream(dir / ("RCS/" + fs::path(project).filename().string() + ",v"), std::ios::binary)
          << arg(1);
    } else if (command == "file") {
      out += Escaped(testing::ReadFile(project)) +
             (::access(project.c_str(), W_OK) == 0 ? "" : " (read-only)") + "\n";
    } else if (command == "exists") {
      out += fs::exists(dir / arg(1)) ? "yes\n" : "no\n";
    } else if (command == "rlog") {
      out += Rlog().find(arg(1)) != std::string::npos ? "yes\n" : "no\n";
    } else if (command == "locks") {
      const std::string log = Rlog();
      out += log.find("locks: strict\naccess list:") != std::string::npos ? "none\n" : log;
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
  }

  std::string RunAll(const std::string& script) {
    return testing::ScriptResult(script, [this](const std::string& line) {
      const std::vector<std::string> arguments = Arguments(line);
      Run(arguments);
      for (const std::string& message : platform.messages) out += Shown(message) + "\n";
      platform.messages.clear();
      return std::exchange(out, std::string());
    });
  }
};

class RcsScriptTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RcsScriptTest, RunsAsRecorded) {
  testing::CheckCases(testing::DataPath("vcs/" + GetParam() + ".txt"),
                      [](const testing::CardCase& c) {
                        RcsScript script;
                        script.seed_name = testing::SnakeCase(c.name);
                        return script.RunAll(c.text);
                      });
}

INSTANTIATE_TEST_SUITE_P(Scripts, RcsScriptTest,
                         ::testing::ValuesIn(testing::CaseNames("vcs", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
