// SensitivityFamily: the runs of one sensitivity analysis, going in the background. It
// writes the base case deck, assembles each run's deck from its pieces just before the run,
// runs the decks through ExecuteOrvo's preparation, and removes each run's pieces once the
// run has ended well. The caller polls it (the desktop program from a timer, the command
// line in a loop); ExecuteSensitivityAnalysis is the waiting form.
//
// Runs go one after another, or `jobs` at a time. Every model program reads "orvo.ctl" from
// its working directory, so runs side by side each get a private working directory under D
// holding a copy of the deck and its control file; what the program leaves there is moved
// beside the decks in D when it ends, so the files in D do not depend on `jobs`. The first
// run that does not run well stops the family: runs going are let finish, no more start,
// and the pieces of the runs not run (and the "_pre"/"_post" files) stay.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/project_document.h"
#include "runs/model_execution.h"
#include "runs/model_run.h"
#include "runs/sensitivity.h"

namespace orvo {

struct FamilyOptions {
  SensitivityFiles files;
  int runs = 0;  // values of the intervals: decks T + 0 .. T + (runs - 1)
  bool base_case = true;
  int jobs = 1;  // runs side by side, at least 1
  double timeout_seconds = 0;
  // Waited for in a terminal's foreground: Ctrl+C reaches the programs as well.
  bool foreground = false;
  // The runs' TITLE2s, for the caller's report; may be empty.
  std::vector<std::string> descriptions;
};

enum class FamilyRunStatus { kWaiting, kRunning, kSucceeded, kFailed, kNotRun };

struct FamilyRunState {
  int index = 0;  // -1 the base case, else k
  std::string deck_path;
  std::string description;
  FamilyRunStatus status = FamilyRunStatus::kWaiting;
  std::string problem;  // why it did not run well, one line
};

class SensitivityFamily {
 public:
  SensitivityFamily(COrvoBuilderDoc& doc, FamilyOptions options);
  ~SensitivityFamily();
  SensitivityFamily(const SensitivityFamily&) = delete;
  SensitivityFamily& operator=(const SensitivityFamily&) = delete;

  // Checks the directory and writes the base case deck. false after the message: nothing
  // runs.
  bool Begin();
  // Starts runs while there is room, takes the running programs' output and notices their
  // ends. true while runs go or are to start.
  bool Poll();
  // Waits up to wait_ms for output of a running program.
  void WaitForOutput(int wait_ms) const;
  // Stops the running programs; no more start.
  void Cancel();

  bool Going() const;
  // Every run (the base case first) ran and ended well.
  bool Succeeded() const;
  bool Cancelled() const { return cancelled_; }
  const std::vector<FamilyRunState>& runs() const { return states_; }
  int Total() const { return static_cast<int>(states_.size()); }
  int Ended() const;
  // 1-based number, in runs(), of the last run started; 0 before the first.
  int LastStarted() const { return last_started_ + 1; }
  // The runs going, oldest first.
  std::vector<const ModelRun*> Running() const;
  double ElapsedSeconds() const;
  // From the runs ended and the progress of those going; nullopt while nothing tells.
  std::optional<double> RemainingSeconds() const;
  const FamilyOptions& options() const { return options_; }

 private:
  struct Active;
  bool StartNext();
  bool StartRun(size_t position);
  bool AssembleDeck(int k, const std::string& deck_path);
  void EndRun(Active& active);
  void Fail(size_t position, const std::string& problem, bool show);
  void Finish();

  using Clock = std::chrono::steady_clock;
  COrvoBuilderDoc& doc_;
  FamilyOptions options_;
  std::vector<FamilyRunState> states_;
  std::vector<std::unique_ptr<Active>> active_;
  int last_started_ = -1;
  bool begun_ = false;
  bool stopping_ = false;
  bool cancelled_ = false;
  bool finished_ = false;
  Clock::time_point start_time_;
  std::optional<Clock::time_point> end_time_;
};

// Runs the family and waits for its end (the wait cursor shown). true when every run ran
// well; the "_pre" and "_post" files are gone then.
bool ExecuteSensitivityAnalysis(COrvoBuilderDoc& doc, const FamilyOptions& options);

// The first line of a run's failure message, for one-line reports.
std::string FirstLine(const std::string& message);

}  // namespace orvo
