// Locating and starting the simulation programs. The programs take no arguments: they find
// their installation and the deck through "orvo.ctl" in the deck's directory, and write
// their outputs beside the deck under its name. Each command comes in two halves: Prepare...
// does every check and file step up to the start and gives the run to start (the desktop
// program runs it in the background as a ModelRun); the whole command runs it and waits.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/platform.h"
#include "model/project_document.h"
#include "runs/model_run.h"

namespace orvo {

// The simulation programs (named in the model vocabulary): KOBAL5's lives beside this
// program; the other two in the "ORVO Path" directory.
inline constexpr const char kExecutablesFilter[] = "ORVO Executables (*)|*|All Files (*.*)|*.*||";
inline constexpr const char kLocateTitle[] = "Choose a file from the ORVO5 directory";
inline constexpr const char kDeckFilter[] = "ORVO input files (*.inp)|*.inp|All Files (*.*)|*.*||";
inline constexpr const char kExecuteFileTitle[] = "Choose a ORVO input file to execute";
inline constexpr const char kSimulationTypeTitle[] = "Enter Simulation Type";

// The entries of "Enter Simulation Type", sorted: "fenu", "kobals", "verda".
const std::vector<std::string>& ExecuteFileTypes();
// kFenu5, kVerda5 or kKobal5 for one of those entries; kSimUnset for anything else.
SimulationType SimulationTypeOfText(const std::string& type_text);

// The deck path without the extension of its file name ("/data/v1.2/river" stays as it is);
// the output files are this plus their extensions.
std::string RunFilePath(const std::string& deck_path);

// "Locate ORVO5 Executables". chosen is the file picked in the ORVO5 directory; nullopt
// asks for it with the file chooser. Returns the directory (absolute, trailing "/") after
// storing it as the "ORVO Path" setting; empty when cancelled or when the user declines a
// path longer than 17 characters (nothing is stored then).
std::string LocateExecutables(Platform& platform,
                              const std::optional<std::string>& chosen = std::nullopt);

// A model run that has passed its checks, with "orvo.ctl" written beside the deck and the
// outputs of an earlier run of the deck deleted: all that is left is starting the program.
struct PreparedModelRun {
  RunRequest request;        // the program, without arguments, in the deck's directory
  std::string program_name;  // its file name, for messages ("fenu5")
  std::string deck_path;
  std::string run_file_path;  // the deck's path without extension: where the outputs go
};

// ExecuteOrvo up to the start, for a given simulation type (see ExecuteOrvo). nullopt after
// the message when the run must not start.
std::optional<PreparedModelRun> PrepareModelRun(Platform& platform,
                                                const std::string& application_directory,
                                                const std::string& deck_path,
                                                SimulationType simulation_type,
                                                double timeout_seconds = 0);

// Why a run did not succeed, as the message ExecuteOrvo shows ("COrvoBuilderDoc::ExecuteOrvo:
// fenu5 ended with exit status 3.  Its last output:" and its last five lines); empty when it
// ended with status 0.
std::string RunEndMessage(const PreparedModelRun& run, const RunResult& result);

// Starts a prepared run and waits for its end; a failure is reported through platform.
// true when the program ended with status 0.
bool RunToEnd(Platform& platform, const PreparedModelRun& run);

// Runs the document's simulation type on an existing deck (a path, or a bare name in the
// working directory): finds the program (falling back to the application directory while
// no ORVO path is set), writes "orvo.ctl" beside the deck, deletes the outputs of an earlier
// run of the deck, starts the program in the deck's directory and waits for it;
// timeout_seconds > 0 stops it after that long. Does not write the deck. true when the
// program ran and ended with status 0; every failure has been reported through the
// platform. An unset simulation type or a deck name without extension is refused before
// any file is touched.
bool ExecuteOrvo(COrvoBuilderDoc& doc, const std::string& deck_path, double timeout_seconds = 0);
std::optional<PreparedModelRun> PrepareExecuteOrvo(COrvoBuilderDoc& doc,
                                                   const std::string& deck_path,
                                                   double timeout_seconds = 0);

// "E&xecute ORVO" once the deck-saving dialog gave deck_path: writes the deck with
// OrvoWrite, records it as the input deck and run file path, and runs it with ExecuteOrvo.
// A failed write stops before the run. true: open the output viewer on doc.run_file_path.
bool ExecuteOrvoCommand(COrvoBuilderDoc& doc, const std::string& deck_path,
                        double timeout_seconds = 0);
// Its first half: the deck written and the paths recorded, the run prepared.
std::optional<PreparedModelRun> PrepareExecuteOrvoCommand(COrvoBuilderDoc& doc,
                                                          const std::string& deck_path,
                                                          double timeout_seconds = 0);

// "Execute File..." once the chooser gave deck_path and "Enter Simulation Type" gave
// type_text ("fenu", "verda" or "kobals"; anything else is refused like an unset type): runs the
// existing deck as ExecuteOrvo does for that type, whatever the document's own type. Sets the run
// file path. true: open the output viewer on doc.run_file_path.
bool ExecuteFileCommand(COrvoBuilderDoc& doc, const std::string& deck_path,
                        const std::string& type_text, double timeout_seconds = 0);
// Its first half: the run file path set, the run prepared.
std::optional<PreparedModelRun> PrepareExecuteFileCommand(COrvoBuilderDoc& doc,
                                                          const std::string& deck_path,
                                                          const std::string& type_text,
                                                          double timeout_seconds = 0);

}  // namespace orvo
