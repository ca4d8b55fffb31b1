#include "runs/model_execution.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
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
using testing::ReadFile;
using testing::WriteFile;
using Texts = std::vector<std::string>;

// Stand-in programs record who ran, with how many arguments, where, and the control file
// they found there.
void StandIn(const fs::path& path, const std::string& tail = "") {
  WriteFile(path, "#!/bin/sh\necho \"" + path.filename().string() +
                      " $# $(pwd)\" > ran.txt\ncat orvo.ctl >> ran.txt\n" + tail);
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

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
class ModelExecutionScript : public testing::DocumentTestOf<testing::CommandScript> {
 protected:
  std::optional<std::string> Ran(const std::vector<std::string>& args) {
    const std::string& command = args[0];
    std::string text;
    if (command == "type") {
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
};

TEST_P(ModelExecutionScript, PrintsItsTranscript) {
  Check("engine/model_execution",
        [this](const std::vector<std::string>& args, const fs::path&) { return Ran(args); });
}

INSTANTIATE_TEST_SUITE_P(Cases, ModelExecutionScript,
                         testing::ScriptCases("engine/model_execution"), testing::CaseTestName);

class ModelExecutionTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    // Blanks, quotes and semicolons in every directory the runs touch.
    orvo_dir = (root / "orvo dir").string() + "/";
    app_dir = (root / "app \"dir\"").string() + "/";
    deck_dir = (root / "deck; dir").string() + "/";
    for (const auto& dir : {orvo_dir, app_dir, deck_dir}) fs::create_directories(dir);
    StandIn(orvo_dir + "fenu5");
    StandIn(orvo_dir + "verda5");
    StandIn(app_dir + "koba4_ids");
    deck = deck_dir + "RIVER.inp";
    WriteFile(deck, "deck\n");
    doc.application_directory = app_dir;
    doc.group_a.SIMTYP = kFenu5;
    platform.SetSetting(settings::kOrvoPath, orvo_dir);
  }

  std::string Ran() { return ReadFile(deck_dir + "ran.txt"); }
  std::string Control(const std::string& orvo_path) { return orvo_path + "\nRIVER.inp\n"; }

  testing::ScratchDir scratch{"runs it's;"};
  const fs::path& root = scratch.path();
  std::string orvo_dir, app_dir, deck_dir, deck;
};

TEST_F(ModelExecutionTest, PreparedRunsStartInTheBackgroundAndReportHowTheyEnded) {
  WriteFile(deck_dir + "RIVER.trn", "old");
  const auto prepared = PrepareExecuteOrvo(doc, deck, 2.5);
  ASSERT_TRUE(prepared.has_value());
  // Everything up to the start is done; nothing has run yet.
  EXPECT_EQ(prepared->request.arguments, Texts{orvo_dir + "fenu5"});
  EXPECT_EQ(prepared->request.working_directory, deck_dir.substr(0, deck_dir.size() - 1));
  EXPECT_EQ(prepared->request.timeout_seconds, 2.5);
  EXPECT_EQ(prepared->program_name, "fenu5");
  EXPECT_EQ(prepared->run_file_path, deck_dir + "RIVER");
  EXPECT_EQ(ReadFile(deck_dir + "orvo.ctl"), Control(orvo_dir));
  EXPECT_FALSE(fs::exists(deck_dir + "RIVER.trn"));
  EXPECT_FALSE(fs::exists(deck_dir + "ran.txt"));

  ModelRun run(prepared->request);
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(RunEndMessage(*prepared, run.Wait()), "");
  EXPECT_EQ(Ran().substr(0, 6), "fenu5 ");

  RunResult result;
  result.how = RunEnd::kCancelled;
  result.last_lines = {"t = 1 of 2", "a", "b", "c", "d", "e", "f", "", " "};
  EXPECT_EQ(RunEndMessage(*prepared, result),
            "COrvoBuilderDoc::ExecuteOrvo: The run of fenu5 was cancelled.  Its last output:\n"
            "b\nc\nd\ne\nf");
  result.how = RunEnd::kExited;
  result.exit_status = -1;
  result.last_lines.clear();
  EXPECT_EQ(RunEndMessage(*prepared, result),
            "COrvoBuilderDoc::ExecuteOrvo: It is not known how fenu5 ended.");
  EXPECT_EQ(platform.messages, Texts{});
}

TEST_F(ModelExecutionTest, OurEngineReportsItsProgress) {
  // The river example run by the fenu5 built beside this test.
  doc.application_directory = std::string(ORVO_BIN_DIR) + "/";
  platform.settings.clear();
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

TEST(LocateExecutablesTest, AsksAboutPathsLongerThan17Characters) {
  ScriptedPlatform platform;
  EXPECT_EQ(LocateExecutables(platform, "/tmp/abcdefghijk/fenu5"), "/tmp/abcdefghijk/");
  EXPECT_EQ(platform.messages, Texts{});
  EXPECT_EQ(platform.GetSetting(settings::kOrvoPath), "/tmp/abcdefghijk/");

  platform.answers = {false, true};
  EXPECT_EQ(LocateExecutables(platform, "/tmp/abcdefghijkl/fenu5"), "");
  EXPECT_EQ(platform.GetSetting(settings::kOrvoPath), "/tmp/abcdefghijk/");
  EXPECT_EQ(LocateExecutables(platform, "/tmp/x/../abcdefghijkl/verda5"), "/tmp/abcdefghijkl/");
  EXPECT_EQ(platform.GetSetting(settings::kOrvoPath), "/tmp/abcdefghijkl/");
  const std::string question =
      "? Warning: ORVO path is greater than 17 characters long.  This may cause fenu5 and verda5 "
      "to run incorrectly.  Continue anyway?";
  EXPECT_EQ(platform.messages, (Texts{question, question}));

  // Relative choices are kept absolute; a cancelled chooser stores nothing.
  EXPECT_EQ(LocateExecutables(platform, "fenu5"), fs::current_path().string() + "/");
  platform.settings.clear();
  EXPECT_EQ(LocateExecutables(platform), "");
  EXPECT_TRUE(platform.settings.empty());
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
