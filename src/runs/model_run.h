// ModelRun: one program running in the background, for callers that must stay responsive
// while it runs (the desktop program, several sensitivity runs side by side). The caller
// either waits on OutputDescriptor() (a socket notifier, poll) and calls Poll when it is
// readable and now and then, or calls Poll(wait_ms) in its own loop. Nothing here blocks
// beyond the wait it is given, except Wait and the destructor.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runs/pipe_process.h"

namespace orvo {

// What to run.
struct RunRequest {
  std::vector<std::string> arguments;  // the program, then its arguments
  std::string working_directory;       // empty: ours
  double timeout_seconds = 0;          // > 0: stopped once it has run that long
  // Between the request to end (SIGTERM) and the kill (SIGKILL) of a cancelled or timed-out run.
  double grace_seconds = 3;
  // The program heads a process group of its own, so that stopping the run also stops what
  // it started. A caller that waits in the foreground of a terminal turns this off: the
  // terminal's Ctrl+C then reaches the program as well.
  bool own_process_group = true;
};

// A progress line of a simulation program: "t = <day> of <end day>", the days counted from
// the start of the run.
struct RunProgress {
  double time = 0;
  double end = 0;
  // time / end within [0, 1]; 1 for a run of no length.
  double Fraction() const;
};

// Reads "t = X of Y" (blanks around the words free, anything after Y ignored); nullopt for
// any other line.
std::optional<RunProgress> ParseProgressLine(std::string_view line);

enum class RunEnd {
  kRunning,     // not ended yet
  kNotStarted,  // the program could not be started (start_error says why)
  kExited,      // ended by itself with exit_status
  kSignalled,   // ended by signal_number, not at our request
  kTimedOut,    // stopped by us after timeout_seconds
  kCancelled,   // stopped by us at the caller's request
};

struct RunResult {
  RunEnd how = RunEnd::kRunning;
  int exit_status = -1;  // when it exited, else -1
  int signal_number = 0;
  double elapsed_seconds = 0;
  std::string start_error;
  // The program's last output lines (progress lines left out), oldest first.
  std::vector<std::string> last_lines;

  bool Succeeded() const { return how == RunEnd::kExited && exit_status == 0; }
};

class ModelRun {
 public:
  // Output lines kept for last_lines(), and lines kept for TakeLines while nobody takes them.
  static constexpr std::size_t kLastLines = 20;
  static constexpr std::size_t kPendingLines = 1000;
  // A line longer than this is cut into pieces of this length.
  static constexpr std::size_t kMaxLine = 4096;

  explicit ModelRun(RunRequest request);
  // A run still going is stopped as Cancel does, and waited for.
  ~ModelRun();
  ModelRun(const ModelRun&) = delete;
  ModelRun& operator=(const ModelRun&) = delete;

  // Starts the program, its input closed at once. false when it
  // could not start: result() then says kNotStarted and why.
  bool Start();

  // The descriptor to wait on for output; -1 when there is none (not started, or the output
  // has ended while the program may still run: then Poll it now and then).
  int OutputDescriptor() const { return process_.OutputDescriptor(); }

  // Takes the output that has arrived (waiting up to wait_ms for some), notices the end of
  // the program and carries out the timeout and the grace period of a stop. true while the
  // run goes on; once it returns false, result() tells how it ended.
  bool Poll(int wait_ms = 0);
  // Polls until the run has ended.
  const RunResult& Wait();

  // Asks the program and everything it started to end (SIGTERM), killing them (SIGKILL) if
  // they are still there after the grace period. The run ends as kCancelled.
  void Cancel();

  bool Running() const { return result_.how == RunEnd::kRunning && started_; }
  bool Cancelling() const { return stop_requested_; }
  // The output lines that arrived since the last call, without their line ends; at most
  // kPendingLines (the oldest are dropped when nobody takes them).
  std::vector<std::string> TakeLines();
  // The last progress line seen.
  const std::optional<RunProgress>& progress() const { return progress_; }
  // The last kLastLines output lines that are no progress lines, oldest first.
  const std::deque<std::string>& last_lines() const { return last_lines_; }
  double ElapsedSeconds() const;
  const RunRequest& request() const { return request_; }
  const RunResult& result() const { return result_; }

 private:
  void TakeOutput(std::string_view text);
  void AddLine(std::string line);
  void Stop(RunEnd reason);
  void Finish();

  using Clock = std::chrono::steady_clock;
  RunRequest request_;
  PipeProcess process_;
  bool started_ = false;
  Clock::time_point start_time_;
  bool stop_requested_ = false;
  RunEnd stop_reason_ = RunEnd::kCancelled;
  Clock::time_point stop_time_;
  bool killed_ = false;
  std::string partial_;  // output after the last line end
  std::deque<std::string> pending_;
  std::deque<std::string> last_lines_;
  std::optional<RunProgress> progress_;
  RunResult result_;
};

}  // namespace orvo
