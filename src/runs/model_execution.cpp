#include "runs/model_execution.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/settings.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr char kWho[] = "COrvoBuilderDoc::ExecuteOrvo: ";
constexpr char kChooseDirectory[] =
    "Please choose the directory that contains the ORVO installation by selecting one of the "
    "executables.";
// Outputs a run leaves beside its deck, after the deck's name without extension.
constexpr const char* kOutputExtensions[] = {".out", ".trn", "", ".vdf", ".fdf", ".msb"};

// Present and readable as a file (a directory of that name does not count).
bool Readable(const std::string& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  return file.is_open();
}

std::string WithSlash(std::string directory) {
  if (!directory.empty() && directory.back() != '/') directory += '/';
  return directory;
}

// The deck's file name without its extension; empty when it has none (a name without ".",
// or one that only starts with it), since the outputs could then not be told from the deck.
std::string OutputName(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  return dot == std::string::npos || dot == 0 ? std::string() : file_name.substr(0, dot);
}

void DeleteOldOutputs(const fs::path& directory, const std::string& name) {
  for (const char* extension : kOutputExtensions) {
    const fs::path output = directory / (name + extension);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(output, error);
    if (error || !fs::exists(status) || fs::is_directory(status)) continue;
    fs::remove(output, error);
  }
}

bool WriteControlFile(const fs::path& directory, const std::string& orvo_path,
                      const std::string& deck_file_name) {
  std::ofstream control(directory / "orvo.ctl", std::ios::binary | std::ios::trunc);
  if (!control.is_open()) return false;
  control << orvo_path << '\n' << deck_file_name << '\n';
  control.close();
  return !control.fail();
}

// Refuses, with a message, a run that must not start: checked before any file is touched.
bool Runnable(Platform& platform, SimulationType simulation_type, const std::string& deck_path) {
  if (simulation_type != kFenu5 && simulation_type != kVerda5 && simulation_type != kKobal5) {
    platform.ShowMessage(std::string(kWho) +
                         "The simulation type is not set.  Choose FENU5, VERDA5 or KOBAL5 "
                         "before running the model.");
    return false;
  }
  const std::string deck_file_name = fs::path(deck_path).filename().string();
  if (OutputName(deck_file_name).empty()) {
    // Deleting the old outputs would otherwise delete the deck itself.
    platform.ShowMessage(std::string(kWho) + "The input file name \"" + deck_file_name +
                         "\" has no extension.  Please give it one, such as .inp.");
    return false;
  }
  return true;
}

// The last count lines of a program's output, trailing empty lines left out.
std::string LastLines(const std::vector<std::string>& lines, std::size_t count) {
  std::size_t end = lines.size();
  const auto blank = [](const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
  };
  while (end > 0 && blank(lines[end - 1])) --end;
  std::string text;
  for (std::size_t i = end > count ? end - count : 0; i < end; ++i) {
    if (!text.empty()) text += '\n';
    text += lines[i];
  }
  return text;
}

}  // namespace

const std::vector<std::string>& ExecuteFileTypes() {
  static const std::vector<std::string> types = {"fenu", "kobals", "verda"};
  return types;
}

SimulationType SimulationTypeOfText(const std::string& type_text) {
  if (type_text == "fenu") return kFenu5;
  if (type_text == "verda") return kVerda5;
  if (type_text == "kobals") return kKobal5;
  return kSimUnset;
}

std::string RunFilePath(const std::string& deck_path) {
  const size_t slash = deck_path.rfind('/');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = deck_path.rfind('.');
  return dot != std::string::npos && dot > start ? deck_path.substr(0, dot) : deck_path;
}

std::string LocateExecutables(Platform& platform, const std::optional<std::string>& chosen) {
  const std::optional<std::string> file =
      chosen ? chosen : platform.ChooseOpenFile(kExecutablesFilter, kLocateTitle);
  if (!file || file->empty()) return {};
  // Stored for use from any working directory.
  std::error_code error;
  std::string path = fs::absolute(*file, error).lexically_normal().string();
  if (error) path = *file;
  const size_t slash = path.rfind('/');
  std::string directory = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
  if (directory.size() > 17 &&
      !platform.AskYesNo("Warning: ORVO path is greater than 17 characters long.  This may cause "
                         "fenu5 and verda5 to run incorrectly.  Continue anyway?"))
    return {};
  platform.SetSetting(settings::kOrvoPath, directory);
  return directory;
}

std::optional<PreparedModelRun> PrepareModelRun(Platform& platform,
                                                const std::string& application_directory,
                                                const std::string& deck_path,
                                                SimulationType simulation_type,
                                                double timeout_seconds) {
  if (!Runnable(platform, simulation_type, deck_path)) return std::nullopt;
  const fs::path deck(deck_path);
  const std::string deck_file_name = deck.filename().string();
  const std::string name = OutputName(deck_file_name);
  if (!Readable(deck_path)) {
    platform.ShowMessage(std::string(kWho) + "Unable to find the input file " + deck_path + ".");
    return std::nullopt;
  }

  std::string orvo_path = WithSlash(platform.GetSetting(settings::kOrvoPath));
  if (orvo_path.empty()) {
    if (Readable(application_directory + kFenuProgram)) {
      orvo_path = application_directory;  // for this run only
    } else {
      platform.ShowMessage(kChooseDirectory);
      orvo_path = LocateExecutables(platform);
      if (orvo_path.empty()) return std::nullopt;
    }
  }

  std::string program;
  if (simulation_type == kFenu5 || simulation_type == kVerda5) {
    program = orvo_path + (simulation_type == kFenu5 ? kFenuProgram : kVerdaProgram);
    if (!Readable(program)) {
      platform.ShowMessage("Unable to find " + program +
                           ".  Please select the location of the ORVO5 executables using the "
                           "ORVO pulldown menu.");
      return std::nullopt;
    }
  } else {
    program = application_directory + kKobalProgram;
    if (!Readable(program)) {
      platform.ShowMessage("Unable to find " + program +
                           ".  Please rerun setup and make sure that the KOBA4 option is "
                           "selected.");
      return std::nullopt;
    }
  }

  // Each of the two names takes one line of orvo.ctl.
  for (const std::string* text : {&std::as_const(orvo_path), &deck_file_name}) {
    if (text->find_first_of("\r\n") == std::string::npos) continue;
    platform.ShowMessage(std::string(kWho) + "The name \"" + *text +
                         "\" holds a line break and cannot be written to orvo.ctl.");
    return std::nullopt;
  }
  const fs::path directory = deck.parent_path();
  if (!WriteControlFile(directory, orvo_path, deck_file_name)) {
    platform.ShowMessage(std::string(kWho) + "Unable to create orvo.ctl.");
    return std::nullopt;
  }
  DeleteOldOutputs(directory, name);

  PreparedModelRun run;
  run.request.arguments = {program};
  run.request.working_directory = directory.string();
  run.request.timeout_seconds = timeout_seconds;
  run.program_name = fs::path(program).filename().string();
  run.deck_path = deck_path;
  run.run_file_path = RunFilePath(deck_path);
  return run;
}

std::string RunEndMessage(const PreparedModelRun& run, const RunResult& result) {
  const std::string& program = run.program_name;
  std::string problem;
  switch (result.how) {
    case RunEnd::kRunning:
      problem = program + " is still running.";
      break;
    case RunEnd::kNotStarted:
      return std::string(kWho) + "Unable to run " + program + " (" + result.start_error + ").";
    case RunEnd::kCancelled:
      problem = "The run of " + program + " was cancelled.";
      break;
    case RunEnd::kTimedOut:
      problem = program + " did not end within " + RealText(run.request.timeout_seconds) +
                " seconds and was stopped.";
      break;
    case RunEnd::kSignalled:
      problem = program + " was ended by signal " + IntText(result.signal_number) + ".";
      break;
    case RunEnd::kExited:
      if (result.exit_status == 0) return {};
      problem = result.exit_status < 0
                    ? "It is not known how " + program + " ended."
                    : program + " ended with exit status " + IntText(result.exit_status) + ".";
      break;
  }
  const std::string said = LastLines(result.last_lines, 5);
  return kWho + problem + (said.empty() ? "" : "  Its last output:\n" + said);
}

bool RunToEnd(Platform& platform, const PreparedModelRun& prepared) {
  WaitCursor wait(platform);
  RunRequest request = prepared.request;
  // Waited for in the foreground: a terminal's Ctrl+C must reach the program too.
  request.own_process_group = false;
  ModelRun run(std::move(request));
  run.Start();
  const std::string problem = RunEndMessage(prepared, run.Wait());
  if (problem.empty()) return true;
  platform.ShowMessage(problem);
  return false;
}

std::optional<PreparedModelRun> PrepareExecuteOrvo(COrvoBuilderDoc& doc,
                                                   const std::string& deck_path,
                                                   double timeout_seconds) {
  return PrepareModelRun(doc.platform(), doc.application_directory, deck_path, doc.group_a.SIMTYP,
                         timeout_seconds);
}

bool ExecuteOrvo(COrvoBuilderDoc& doc, const std::string& deck_path, double timeout_seconds) {
  WaitCursor wait(doc.platform());
  const auto run = PrepareExecuteOrvo(doc, deck_path, timeout_seconds);
  return run && RunToEnd(doc.platform(), *run);
}

std::optional<PreparedModelRun> PrepareExecuteOrvoCommand(COrvoBuilderDoc& doc,
                                                          const std::string& deck_path,
                                                          double timeout_seconds) {
  if (!Runnable(doc.platform(), doc.group_a.SIMTYP, deck_path)) return std::nullopt;
  if (!OrvoWrite(doc, deck_path)) return std::nullopt;  // OrvoWrite has said why
  doc.input_deck_path = deck_path;
  doc.run_file_path = RunFilePath(deck_path);
  return PrepareExecuteOrvo(doc, deck_path, timeout_seconds);
}

bool ExecuteOrvoCommand(COrvoBuilderDoc& doc, const std::string& deck_path,
                        double timeout_seconds) {
  WaitCursor wait(doc.platform());
  const auto run = PrepareExecuteOrvoCommand(doc, deck_path, timeout_seconds);
  return run && RunToEnd(doc.platform(), *run);
}

std::optional<PreparedModelRun> PrepareExecuteFileCommand(COrvoBuilderDoc& doc,
                                                          const std::string& deck_path,
                                                          const std::string& type_text,
                                                          double timeout_seconds) {
  const SimulationType type = SimulationTypeOfText(type_text);
  if (!Runnable(doc.platform(), type, deck_path)) return std::nullopt;
  doc.run_file_path = RunFilePath(deck_path);
  return PrepareModelRun(doc.platform(), doc.application_directory, deck_path, type,
                         timeout_seconds);
}

bool ExecuteFileCommand(COrvoBuilderDoc& doc, const std::string& deck_path,
                        const std::string& type_text, double timeout_seconds) {
  WaitCursor wait(doc.platform());
  const auto run = PrepareExecuteFileCommand(doc, deck_path, type_text, timeout_seconds);
  return run && RunToEnd(doc.platform(), *run);
}

}  // namespace orvo
