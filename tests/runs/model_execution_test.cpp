#include "runs/model_execution.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
#include "support/cli_script.h"
#include "support/document_test.h"
#include "support/example_river.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

// Runs of a document's deck: the scripts of tests/data/engine/model_execution/scripts/ (the
// runner of support/cli_script.h, DATA/ holding the stand-in programs) with these commands on
// one document:
//   type <fenu5|verda5|kobal5|unset|n>   its simulation type
//   app <folder>                           the folder of this program (KOBAL5's program)
//   orvo-path <folder> | orvo-path relative <folder> | no-settings
//   choose <file>                          what the next file chooser answers
//   example-river                          makes the document the example river
//   execute <deck> [<timeout>] | execute-command <deck> | execute-file <deck> <type>
//                                          runs: "ok" or "failed", then what the platform said
//   paths                                  the document's deck and run file paths
//   setting | types                        the stored ORVO path; the types execute-file knows
//   prepare <deck> [<timeout>]             the run up to its start, as PrepareExecuteOrvo leaves it
//   start-prepared                         runs it: the message at its end
//   end-message <how> <status> [<line>...] the message at the end of the prepared run, had it
//                                          ended so (how: exited or cancelled)
//   answers <yes|no>...  locate [<path>]   the next questions' answers; LocateExecutables with
//                                          the path chosen (CWD our working folder)
class ModelExecutionScript : public testing::DocumentTestOf<testing::CommandScript> {
 protected:
  std::optional<std::string> Ran(const std::vector<std::string>& args) {
    const std::string& command = args[0];
    std::string text;
    if (command == "prepare") {
      prepared = PrepareExecuteOrvo(doc, args.at(1), args.size() > 2 ? std::stod(args[2]) : 0);
      if (prepared) {
        text = "program";
        for (const std::string& arg : prepared->request.arguments) text += " \"" + arg + "\"";
        text += "\nin " + prepared->request.working_directory + "\ntimeout " +
                std::to_string(prepared->request.timeout_seconds) + "\nname " +
                prepared->program_name + "\nrun file " + prepared->run_file_path + "\n";
      }
      text += testing::Said(platform.messages);
    } else if (command == "start-prepared") {
      ModelRun run(prepared->request);
      text = run.Start() ? "" : "not started\n";
      text += "end message \"" + RunEndMessage(*prepared, run.Wait()) + "\"\n";
    } else if (command == "end-message") {
      RunResult result;
      result.how = args.at(1) == "cancelled" ? RunEnd::kCancelled : RunEnd::kExited;
      result.exit_status = std::stoi(args.at(2));
      result.last_lines = {args.begin() + 3, args.end()};
      text = RunEndMessage(*prepared, result) + "\n";
    } else if (command == "answers") {
      for (auto arg = args.begin() + 1; arg != args.end(); ++arg)
        platform.answers.push_back(*arg == "yes");
    } else if (command == "locate") {
      const std::string located =
          args.size() > 1 ? LocateExecutables(platform, args[1]) : LocateExecutables(platform);
      text = "located \"" + located + "\"\n" + testing::Said(platform.messages);
      text = testing::Replaced(text, fs::current_path().string() + "/", "CWD/");
    } else if (command == "type") {
      const std::string& type = args.at(1);
      doc.group_a.SIMTYP = type == "fenu5"    ? kFenu5
                           : type == "verda5" ? kVerda5
                           : type == "kobal5" ? kKobal5
                           : type == "unset"  ? kSimUnset
                                              : SimulationType{std::stoi(type)};
    } else if (command == "app") {
      doc.application_directory = args.at(1);
    } else if (command == "orvo-path") {
      platform.SetSetting(settings::kOrvoPath, args.at(1) != "relative"
                                                   ? args.at(1)
                                                   : fs::relative(args.at(2)).string() + "/");
    } else if (command == "no-settings") {
      platform.settings.clear();
    } else if (command == "choose") {
      platform.files.push_back(args.at(1));
    } else if (command == "example-river") {
      testing::BuildExampleRiver(doc);
    } else if (command.rfind("execute", 0) == 0) {
      const bool ok = command == "execute"
                          ? ExecuteOrvo(doc, args.at(1), args.size() > 2 ? std::stod(args[2]) : 0)
                      : command == "execute-command"
                          ? ExecuteOrvoCommand(doc, args.at(1))
                          : ExecuteFileCommand(doc, args.at(1), args.at(2));
      text = ok ? "ok\n" : "failed\n";
      text += testing::Said(platform.messages);
      if (platform.wait_depth != 0) text += "wait cursor left on\n";
    } else if (command == "paths") {
      text = "input deck " + doc.input_deck_path + "\nrun file " + doc.run_file_path + "\n";
    } else if (command == "setting") {
      text = "ORVO path \"" + platform.GetSetting(settings::kOrvoPath) + "\"\n";
    } else if (command == "types") {
      for (const std::string& type : ExecuteFileTypes()) text += type + "\n";
    } else {
      return std::nullopt;
    }
    return text;
  }
  std::optional<PreparedModelRun> prepared;
};

TEST_P(ModelExecutionScript, PrintsItsTranscript) {
  Check("engine/model_execution",
        [this](const std::vector<std::string>& args, const fs::path&) { return Ran(args); });
}

INSTANTIATE_TEST_SUITE_P(Cases, ModelExecutionScript,
                         testing::ScriptCases("engine/model_execution"), testing::CaseTestName);

class ModelExecutionTest : public testing::DocumentTest {
 protected:
  testing::ScratchDir scratch{"runs it's;"};
  const std::string deck_dir = scratch.path().string() + "/";
  const std::string deck = deck_dir + "RIVER.inp";
};

TEST_F(ModelExecutionTest, OurEngineReportsItsProgress) {
  // The river example run by the fenu5 built beside this test.
  doc.application_directory = std::string(ORVO_BIN_DIR) + "/";
  doc.group_a.SIMTYP = kFenu5;
  fs::copy_file(fs::path(ORVO_SOURCE_DIR) / "examples/fenu5_river/river.inp", deck,
                fs::copy_options::overwrite_existing);
  const auto prepared = PrepareExecuteOrvo(doc, deck);
  ASSERT_TRUE(prepared.has_value()) << ::testing::PrintToString(platform.messages);
  ModelRun run(prepared->request);
  ASSERT_TRUE(run.Start());
  int progress_lines = 0;
  while (run.Poll(20)) {
    for (const std::string& line : run.TakeLines())
      progress_lines += ParseProgressLine(line) ? 1 : 0;
  }
  for (const std::string& line : run.TakeLines()) progress_lines += ParseProgressLine(line) ? 1 : 0;
  EXPECT_TRUE(run.result().Succeeded()) << RunEndMessage(*prepared, run.result());
  EXPECT_EQ(progress_lines, 41);
  ASSERT_TRUE(run.progress().has_value());
  EXPECT_EQ(run.progress()->Fraction(), 1.0);
  EXPECT_TRUE(fs::exists(deck_dir + "RIVER.fdf"));
}

TEST(RunFilePathTest, StripsTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(RunFilePath("/data/runs/RIVER.INP"), "/data/runs/RIVER");
  EXPECT_EQ(RunFilePath("/data/v1.2/river"), "/data/v1.2/river");
  EXPECT_EQ(RunFilePath("/data/v1.2/a.b.inp"), "/data/v1.2/a.b");
  EXPECT_EQ(RunFilePath("RUN3.inp"), "RUN3");
  EXPECT_EQ(RunFilePath("/data/.inp"), "/data/.inp");
}

}  // namespace
}  // namespace orvo
