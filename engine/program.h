// One run of a simulation program: the control file, the deck, the simulation and the four
// files written next to the deck.
#pragma once

#include <csignal>
#include <filesystem>
#include <ostream>
#include <string>

#include "model/model_vocabulary.h"

namespace orvo::engine {

// "orvo.ctl": line 1 the installation directory, line 2 the deck's file name.
struct ControlFile {
  std::string installation_directory;
  std::string deck;
};

// Either line end is taken; trailing blanks are dropped. False with the reason in error.
bool ReadControlFile(const std::filesystem::path& path, ControlFile& control, std::string& error);

// Exit statuses of a run.
enum ExitStatus : int { kRunOk = 0, kRunFailed = 1, kNoControlFile = 2 };

// What a program's main gives a run besides its directory.
struct RunHooks {
  // Receives one progress line per output time, "t = <day> of <end day>" (days since the
  // start of the run), each flushed at once so that a caller reading a pipe sees it.
  std::ostream* progress = nullptr;
  // Set (by a signal handler) when the program is asked to end: the run stops at its next
  // step, removes its unfinished files and fails.
  const volatile std::sig_atomic_t* stop = nullptr;
};

// Runs the program of simulation_type as if started in working_directory: reads
// "orvo.ctl" there, simulates the deck it names and writes name + ".out", ".trn", the model
// extension and ".msb" beside the deck. Problems go to the ".out" file and to err.
int RunEngine(SimulationType simulation_type, const std::filesystem::path& working_directory,
              std::ostream& err, const RunHooks& hooks = {});

}  // namespace orvo::engine
