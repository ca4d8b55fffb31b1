// PipeProcess: one child program whose standard input is a pipe written by us and whose
// standard output and standard error share one pipe read by us. Used for the simulation
// programs and the revision-control commands. POSIX only.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace orvo {

// How a child ended, as Close saw it.
struct ProcessEnd {
  bool started = false;    // false: Start had failed or was never called
  bool timed_out = false;  // killed by Close after its time limit
  int exit_code = -1;      // the exit status when the child exited, else -1
  int signal = 0;          // the signal that ended it, else 0
  // The last output nobody read (at most 2 KiB), for telling the user why a child failed.
  std::string output_tail;

  bool Succeeded() const { return started && !timed_out && signal == 0 && exit_code == 0; }
};

class PipeProcess {
 public:
  PipeProcess() = default;
  // Closes a child still running, waiting for it without limit.
  ~PipeProcess();
  PipeProcess(const PipeProcess&) = delete;
  PipeProcess& operator=(const PipeProcess&) = delete;

  // Starts arguments[0] with the given arguments, directly (no shell: blanks, quotes and
  // semicolons in them are plain characters). A program name without "/" is searched on
  // PATH; a file that is no program is never handed to a shell. The child runs in
  // working_directory when one is given, else in ours; our own working directory never
  // changes. own_process_group puts the child at the head of a new process group, so that
  // Signal reaches whatever it starts as well (a terminal's Ctrl+C then no longer does). On
  // failure error() says why, reads fail at once and Close returns at once.
  bool Start(const std::vector<std::string>& arguments, const std::string& working_directory = {},
             bool own_process_group = false);

  // Sets an environment variable for the children started from now on (an empty value stays
  // set, empty); the rest of the environment is ours. Our own environment never changes.
  void SetEnvironment(const std::string& name, const std::string& value);

  // Empties line, then appends the child's output up to and including the next "\n".
  // false when the output ended first: line then holds the last partial line, possibly
  // empty. A line longer than 1 MiB comes out in 1 MiB pieces.
  bool ReadLine(std::string& line);

  // Writes the whole text to the child's input. While the child does not read, its output is
  // kept for ReadLine, so a child that talks before it listens cannot block us. false when
  // the child no longer reads (it ended or closed its input).
  bool Write(const std::string& text);
  // Ends the child's input: it reads end of file. Reading goes on.
  void CloseInput();

  // For callers that wait on several things at once (a socket notifier, poll): the descriptor
  // of the child's output, -1 once it has ended.
  int OutputDescriptor() const { return output_; }
  // Appends whatever output is there to text, waiting up to wait_ms for some (0: not at all,
  // -1: without limit); at most 1 MiB at a time. false once the output has ended and nothing
  // is left.
  bool ReadAvailable(std::string& text, int wait_ms = 0);
  // Sends signal_number to the child (to its whole group when it has its own); false when no
  // child runs.
  bool Signal(int signal_number);
  // true once the child has ended; it stays collectable by Close, so its process id (and its
  // group's) cannot be reused meanwhile.
  bool HasEnded() const;

  // Closes the child's input and reads its further output until it ends, so that neither a
  // child waiting for the end of its input nor one filling its output pipe can hang us; only
  // the last of that output is kept (ProcessEnd::output_tail). timeout_seconds > 0: the
  // child is killed once that time has passed. Closing twice returns the first result.
  ProcessEnd Close(double timeout_seconds = 0);

  bool Started() const { return pid_ > 0; }
  const std::string& error() const { return error_; }

 private:
  // Moves whatever output is available (waiting up to timeout_ms) into buffer_; false once
  // the output pipe has ended.
  bool Fill(int timeout_ms);
  void KeepTail();
  void CloseOutput();
  std::vector<char*> ChildEnvironment() const;

  pid_t pid_ = -1;
  bool own_group_ = false;
  int input_ = -1;      // our end of the child's standard input
  int output_ = -1;     // our end of the child's standard output and error
  std::string buffer_;  // output read but not yet returned, from pos_ on
  size_t pos_ = 0;
  std::string error_;
  ProcessEnd end_;
  std::vector<std::string> environment_;  // "NAME=value" for SetEnvironment's variables
};

}  // namespace orvo
