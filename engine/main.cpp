// One simulation program; which one is fixed when it is built (ORVO_ENGINE_SIMTYP).
#include <csignal>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "engine/program.h"

namespace {

// Set by the handler of the signals that ask a program to end; the run polls it.
volatile std::sig_atomic_t stop_requested = 0;

extern "C" void RequestStop(int) {
  stop_requested = 1;
}

}  // namespace

int main() {
  // A run asked to end (the editor's Cancel, Ctrl+C) stops at its next step and removes its
  // unfinished files instead of leaving them behind.
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);

  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  if (error) {
    std::cerr << "Unable to find the working directory: " << error.message() << "\n";
    return orvo::engine::kNoControlFile;
  }
  orvo::engine::RunHooks hooks;
  hooks.progress = &std::cout;
  hooks.stop = &stop_requested;
  return orvo::engine::RunEngine(static_cast<orvo::SimulationType>(ORVO_ENGINE_SIMTYP), here,
                                 std::cerr, hooks);
}
