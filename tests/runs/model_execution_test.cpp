#include "runs/model_execution.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
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

TEST_F(ModelExecutionTest, RunsTheProgramOfTheTypeInTheDecksDirectory) {
  const Texts outputs = {"RIVER.out", "RIVER.trn", "RIVER", "RIVER.vdf", "RIVER.fdf", "RIVER.msb"};
  for (const auto& output : outputs) WriteFile(deck_dir + output, "old");
  WriteFile(deck_dir + "RIVER2.out", "other run");

  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(ReadFile(deck_dir + "orvo.ctl"), Control(orvo_dir));
  EXPECT_EQ(Ran(), "fenu5 0 " + deck_dir.substr(0, deck_dir.size() - 1) + "\n" + Control(orvo_dir));
  for (const auto& output : outputs) EXPECT_FALSE(fs::exists(deck_dir + output)) << output;
  EXPECT_TRUE(fs::exists(deck));
  EXPECT_TRUE(fs::exists(deck_dir + "RIVER2.out"));
  EXPECT_EQ(platform.messages, Texts{});
  EXPECT_EQ(platform.wait_depth, 0);

  doc.group_a.SIMTYP = kVerda5;
  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(Ran().substr(0, 7), "verda5 ");

  // KOBAL5's program is the one beside this program, whatever the ORVO path says.
  doc.group_a.SIMTYP = kKobal5;
  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(Ran().substr(0, 10), "koba4_ids ");

  // A relative ORVO path means relative to our working directory, not the deck's.
  doc.group_a.SIMTYP = kFenu5;
  platform.SetSetting(settings::kOrvoPath, fs::relative(orvo_dir).string() + "/");
  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(Ran().substr(0, 6), "fenu5 ");
  EXPECT_EQ(platform.messages, Texts{});
}

TEST_F(ModelExecutionTest, MissingProgramsAreReportedBeforeAnyFileIsTouched) {
  fs::remove(orvo_dir + "fenu5");
  fs::remove(orvo_dir + "verda5");
  fs::remove(app_dir + "koba4_ids");
  for (SimulationType type : {kFenu5, kVerda5, kKobal5}) {
    doc.group_a.SIMTYP = type;
    EXPECT_FALSE(ExecuteOrvo(doc, deck));
  }
  EXPECT_EQ(platform.messages,
            (Texts{"Unable to find " + orvo_dir +
                       "fenu5.  Please select the location of the ORVO5 executables using the "
                       "ORVO pulldown menu.",
                   "Unable to find " + orvo_dir +
                       "verda5.  Please select the location of the ORVO5 executables using the "
                       "ORVO pulldown menu.",
                   "Unable to find " + app_dir +
                       "koba4_ids.  Please rerun setup and make sure that the KOBA4 option is "
                       "selected."}));
  EXPECT_FALSE(fs::exists(deck_dir + "orvo.ctl"));
}

TEST_F(ModelExecutionTest, WithoutASettingTheApplicationDirectoryServesWhenItHoldsFenu5) {
  platform.settings.clear();
  StandIn(app_dir + "fenu5");
  doc.group_a.SIMTYP = kVerda5;
  EXPECT_FALSE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(platform.messages,
            Texts{"Unable to find " + app_dir +
                  "verda5.  Please select the location of the ORVO5 executables using the ORVO "
                  "pulldown menu."});

  StandIn(app_dir + "verda5");
  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(ReadFile(deck_dir + "orvo.ctl"), Control(app_dir));
  EXPECT_EQ(platform.GetSetting(settings::kOrvoPath), "");  // used, not stored
}

TEST_F(ModelExecutionTest, WithoutASettingOrFenu5TheUserLocatesThePrograms) {
  platform.settings.clear();
  EXPECT_FALSE(ExecuteOrvo(doc, deck));  // the chooser is cancelled
  EXPECT_EQ(platform.messages,
            (Texts{"Please choose the directory that contains the ORVO installation by "
                   "selecting one of the executables.",
                   "? open Choose a file from the ORVO5 directory ORVO Executables (*)|*|All "
                   "Files (*.*)|*.*||"}));
  EXPECT_FALSE(fs::exists(deck_dir + "orvo.ctl"));

  platform.files.push_back(orvo_dir + "verda5");
  EXPECT_TRUE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(platform.GetSetting(settings::kOrvoPath), orvo_dir);
  EXPECT_EQ(Ran().substr(0, 6), "fenu5 ");
}

TEST_F(ModelExecutionTest, RefusesUnsetTypesAndDecksWithoutExtension) {
  WriteFile(deck_dir + "RIVER.out", "old");
  for (SimulationType type : {kSimUnset, SimulationType{3}}) {
    doc.group_a.SIMTYP = type;
    EXPECT_FALSE(ExecuteOrvo(doc, deck));
  }
  doc.group_a.SIMTYP = kFenu5;
  WriteFile(deck_dir + "RIVER", "deck without extension");
  EXPECT_FALSE(ExecuteOrvo(doc, deck_dir + "RIVER"));
  EXPECT_FALSE(ExecuteOrvo(doc, deck_dir + "MISSING.inp"));
  const std::string unset =
      "COrvoBuilderDoc::ExecuteOrvo: The simulation type is not set.  Choose FENU5, VERDA5 or "
      "KOBAL5 before running the model.";
  EXPECT_EQ(platform.messages,
            (Texts{unset, unset,
                   "COrvoBuilderDoc::ExecuteOrvo: The input file name \"RIVER\" has no "
                   "extension.  Please give it one, such as .inp.",
                   "COrvoBuilderDoc::ExecuteOrvo: Unable to find the input file " + deck_dir +
                       "MISSING.inp."}));
  EXPECT_TRUE(fs::exists(deck_dir + "RIVER"));
  EXPECT_TRUE(fs::exists(deck_dir + "RIVER.out"));
  EXPECT_FALSE(fs::exists(deck_dir + "orvo.ctl"));
}

TEST_F(ModelExecutionTest, FailedRunsAreReported) {
  StandIn(orvo_dir + "fenu5", "echo 'line 1'; echo 'bad deck' >&2; exit 3\n");
  StandIn(orvo_dir + "verda5", "kill -KILL $$\n");
  StandIn(app_dir + "koba4_ids", "exec sleep 30\n");
  for (SimulationType type : {kFenu5, kVerda5, kKobal5}) {
    doc.group_a.SIMTYP = type;
    EXPECT_FALSE(ExecuteOrvo(doc, deck, 0.3));
  }
  fs::permissions(orvo_dir + "fenu5", fs::perms::owner_exec, fs::perm_options::remove);
  doc.group_a.SIMTYP = kFenu5;
  EXPECT_FALSE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(platform.messages,
            (Texts{"COrvoBuilderDoc::ExecuteOrvo: fenu5 ended with exit status 3.  Its last "
                   "output:\nline 1\nbad deck",
                   "COrvoBuilderDoc::ExecuteOrvo: verda5 was ended by signal 9.",
                   "COrvoBuilderDoc::ExecuteOrvo: koba4_ids did not end within 0.3 seconds and "
                   "was stopped.",
                   "COrvoBuilderDoc::ExecuteOrvo: Unable to run fenu5 (cannot start " + orvo_dir +
                       "fenu5: Permission denied)."}));
}

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

TEST_F(ModelExecutionTest, ControlFileThatCannotBeCreated) {
  fs::create_directory(deck_dir + "orvo.ctl");
  EXPECT_FALSE(ExecuteOrvo(doc, deck));
  EXPECT_EQ(platform.messages, Texts{"COrvoBuilderDoc::ExecuteOrvo: Unable to create orvo.ctl."});
  EXPECT_FALSE(fs::exists(deck_dir + "ran.txt"));
}

TEST_F(ModelExecutionTest, ExecuteOrvoCommandWritesTheDeckThenRuns) {
  testing::BuildExampleRiver(doc);
  fs::remove(deck);
  EXPECT_TRUE(ExecuteOrvoCommand(doc, deck));
  EXPECT_EQ(platform.messages, Texts{});
  EXPECT_EQ(doc.input_deck_path, deck);
  EXPECT_EQ(doc.run_file_path, deck_dir + "RIVER");
  EXPECT_TRUE(fs::file_size(deck) > 100);
  EXPECT_EQ(Ran().substr(0, 6), "fenu5 ");

  // A deck that cannot be written is never run.
  fs::remove(deck_dir + "ran.txt");
  EXPECT_FALSE(ExecuteOrvoCommand(doc, deck_dir + "no such dir/RUN.inp"));
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(doc.input_deck_path, deck);
  EXPECT_FALSE(fs::exists(deck_dir + "ran.txt"));
}

TEST_F(ModelExecutionTest, ExecuteFileCommandRunsTheChosenTypeLikeExecuteOrvo) {
  doc.group_a.SIMTYP = kSimUnset;
  WriteFile(deck_dir + "RIVER.trn", "old");
  EXPECT_TRUE(ExecuteFileCommand(doc, deck, "kobals"));
  EXPECT_EQ(Ran().substr(0, 10), "koba4_ids ");
  EXPECT_EQ(doc.run_file_path, deck_dir + "RIVER");
  EXPECT_FALSE(fs::exists(deck_dir + "RIVER.trn"));

  fs::remove(orvo_dir + "verda5");
  EXPECT_FALSE(ExecuteFileCommand(doc, deck, "verda"));
  EXPECT_FALSE(ExecuteFileCommand(doc, deck, ""));
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].substr(0, 15), "Unable to find ");
  EXPECT_EQ(ExecuteFileTypes(), (Texts{"fenu", "kobals", "verda"}));
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
