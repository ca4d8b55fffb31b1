#include "runs/pipe_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <thread>

namespace orvo {
namespace {

constexpr size_t kMaxLine = size_t{1} << 20;
// Output kept for ReadLine while Write waits for the child to read; beyond it Write stops
// reading the output rather than grow without bound.
constexpr size_t kMaxPending = size_t{64} << 20;
// The end of the output that Close keeps for messages.
constexpr size_t kTail = 2048;

// What the child reports through the status pipe when it cannot run the program.
enum ChildStage : int { kStageHandles = 0, kStageDirectory = 1, kStageExec = 2 };

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ChildFail(int status_fd, int stage) {
  const int report[2] = {stage, errno};
  ssize_t written = ::write(status_fd, report, sizeof report);
  (void)written;
  ::_exit(127);
}

// The program a name without "/" stands for, found on PATH as a shell would, or empty.
// Searching here rather than with execvp also keeps a file that is no program from being
// handed to the shell.
std::string SearchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string directories = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(directories.find(':', start), directories.size());
    const std::string directory = directories.substr(start, end - start);
    const std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
    struct stat status;
    if (::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (end == directories.size()) return {};
    start = end + 1;
  }
}

bool MoveTo(int from, int to) {
  if (from == to) return ::fcntl(to, F_SETFD, 0) == 0;  // keep it across exec
  return ::dup2(from, to) == to;
}

// The file to execute: a bare name is looked up on PATH; a relative path is made absolute,
// since the child enters its working directory before the program is looked up. "" when a
// bare name is nowhere on PATH.
std::string ProgramPath(const std::string& name, const std::string& working_directory) {
  std::string program = name;
  if (program.find('/') == std::string::npos) {
    program = SearchPath(program);
    if (program.empty()) return {};
  }
  if (program.front() != '/' && !working_directory.empty()) {
    std::error_code error;
    program = std::filesystem::absolute(program, error).string();
  }
  return program;
}

// Why a started child did not reach its program, from the status pipe: "" when the exec
// succeeded (the pipe closed with nothing in it). A child that failed has ended; it is reaped.
std::string StartFailure(int status_fd, pid_t pid, const std::string& name,
                         const std::string& working_directory) {
  int report[2] = {0, 0};
  ssize_t got;
  do {
    got = ::read(status_fd, report, sizeof report);
  } while (got < 0 && errno == EINTR);
  if (got != static_cast<ssize_t>(sizeof report)) return {};
  int ignored;
  while (::waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
  }
  const char* reason = std::strerror(report[1]);
  if (report[0] == kStageDirectory) {
    return "cannot enter the directory " + working_directory + ": " + reason;
  }
  if (report[0] == kStageExec) return "cannot start " + name + ": " + reason;
  return std::string("cannot redirect the standard handles: ") + reason;
}

}  // namespace

// The environment with the variables set on this process replaced; empty when none was set,
// so the child inherits ours unchanged.
std::vector<char*> PipeProcess::ChildEnvironment() const {
  std::vector<char*> envp;
  if (environment_.empty()) return envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    const bool replaced =
        std::any_of(environment_.begin(), environment_.end(), [&text](const std::string& set) {
          const size_t name_end = set.find('=') + 1;
          return text.substr(0, name_end) == std::string_view(set).substr(0, name_end);
        });
    if (!replaced) envp.push_back(*entry);
  }
  for (const auto& entry : environment_) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  return envp;
}

void PipeProcess::SetEnvironment(const std::string& name, const std::string& value) {
  const std::string prefix = name + "=";
  std::erase_if(environment_,
                [&prefix](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
  environment_.push_back(prefix + value);
}

PipeProcess::~PipeProcess() {
  if (Started()) Close();
}

bool PipeProcess::Start(const std::vector<std::string>& arguments,
                        const std::string& working_directory, bool own_process_group) {
  if (Started()) {
    error_ = "a program is already running";
    return false;
  }
  end_ = {};
  buffer_.clear();
  pos_ = 0;
  if (arguments.empty() || arguments.front().empty()) {
    error_ = "no program given";
    return false;
  }
  const std::string program = ProgramPath(arguments.front(), working_directory);
  if (program.empty()) {
    error_ = "cannot start " + arguments.front() + ": " + std::strerror(ENOENT);
    return false;
  }
  // Everything the child needs is built here: between fork and exec nothing may allocate.
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const char* directory = working_directory.empty() ? nullptr : working_directory.c_str();
  const std::vector<char*> envp = ChildEnvironment();

  int input[2] = {-1, -1}, output[2] = {-1, -1}, status[2] = {-1, -1};
  const auto close_all = [&] {
    for (int* fd : {&input[0], &input[1], &output[0], &output[1], &status[0], &status[1]})
      CloseFd(*fd);
  };
  // Close-on-exec everywhere: the child gets only its three standard handles, and no other
  // child started later inherits our ends.
  if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0 ||
      ::pipe2(status, O_CLOEXEC) != 0) {
    error_ = std::string("cannot create pipes: ") + std::strerror(errno);
    close_all();
    return false;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    error_ = std::string("cannot start ") + arguments.front() + ": " + std::strerror(errno);
    close_all();
    return false;
  }
  if (pid == 0) {
    if (own_process_group) ::setpgid(0, 0);
    if (!MoveTo(input[0], STDIN_FILENO) || !MoveTo(output[1], STDOUT_FILENO) ||
        !MoveTo(output[1], STDERR_FILENO))
      ChildFail(status[1], kStageHandles);
    if (directory != nullptr && ::chdir(directory) != 0) ChildFail(status[1], kStageDirectory);
    // A broken pipe should end the program the usual way even if we ignore it ourselves.
    ::signal(SIGPIPE, SIG_DFL);
    if (envp.empty()) {
      ::execv(program.c_str(), argv.data());
    } else {
      ::execve(program.c_str(), argv.data(), envp.data());
    }
    ChildFail(status[1], kStageExec);
  }

  CloseFd(input[0]);
  CloseFd(output[1]);
  CloseFd(status[1]);
  const std::string failure = StartFailure(status[0], pid, arguments.front(), working_directory);
  CloseFd(status[0]);
  if (!failure.empty()) {
    error_ = failure;
    close_all();
    return false;
  }
  // Our input end never blocks, so Write can keep reading the output while the child is
  // slow to read.
  ::fcntl(input[1], F_SETFL, ::fcntl(input[1], F_GETFL) | O_NONBLOCK);
  // Set on both sides of the fork, so that the group exists before either goes on.
  if (own_process_group) ::setpgid(pid, pid);
  pid_ = pid;
  own_group_ = own_process_group;
  input_ = input[1];
  output_ = output[0];
  error_.clear();
  end_.started = true;
  return true;
}

bool PipeProcess::Fill(int timeout_ms) {
  if (output_ < 0) return false;
  pollfd poll_fd{output_, POLLIN, 0};
  const int ready = ::poll(&poll_fd, 1, timeout_ms);
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return true;
  char chunk[65536];
  const ssize_t got = ::read(output_, chunk, sizeof chunk);
  if (got > 0) {
    buffer_.append(chunk, static_cast<size_t>(got));
    return true;
  }
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  CloseOutput();
  return false;
}

bool PipeProcess::ReadLine(std::string& line) {
  line.clear();
  size_t scanned = pos_;
  for (;;) {
    const size_t newline = buffer_.find('\n', scanned);
    size_t length = newline != std::string::npos ? newline + 1 - pos_ : 0;
    if (length > kMaxLine || (length == 0 && buffer_.size() - pos_ >= kMaxLine)) length = kMaxLine;
    if (length > 0) {
      line.assign(buffer_, pos_, length);
      pos_ += length;
      if (pos_ >= buffer_.size() / 2) {
        buffer_.erase(0, pos_);
        pos_ = 0;
      }
      return true;
    }
    scanned = buffer_.size();
    if (output_ < 0) {
      line.assign(buffer_, pos_, std::string::npos);
      buffer_.clear();
      pos_ = 0;
      return false;
    }
    Fill(-1);
  }
}

bool PipeProcess::Write(const std::string& text) {
  if (input_ < 0) return false;
  // A child that has stopped reading would raise SIGPIPE, which ends the whole program by
  // default: hold it back for this thread and swallow the one the write raised.
  sigset_t pipe_signal, previous;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe_signal, &previous);
  sigset_t pending;
  sigpending(&pending);
  const bool was_pending = sigismember(&pending, SIGPIPE) == 1;

  bool ok = true;
  bool broken = false;
  size_t done = 0;
  while (done < text.size()) {
    pollfd fds[2] = {{input_, POLLOUT, 0}, {output_, POLLIN, 0}};
    const nfds_t count = output_ >= 0 && buffer_.size() < kMaxPending ? 2 : 1;
    if (::poll(fds, count, -1) < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP)) != 0) Fill(0);
    if ((fds[0].revents & (POLLOUT | POLLERR | POLLHUP)) == 0) continue;
    const ssize_t written = ::write(input_, text.data() + done, text.size() - done);
    if (written >= 0) {
      done += static_cast<size_t>(written);
    } else if (errno != EINTR && errno != EAGAIN) {
      broken = errno == EPIPE;
      ok = false;
      break;
    }
  }
  if (broken && !was_pending) {
    const timespec zero{0, 0};
    while (sigtimedwait(&pipe_signal, nullptr, &zero) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (!ok) CloseInput();
  return ok;
}

void PipeProcess::CloseInput() {
  CloseFd(input_);
}

bool PipeProcess::ReadAvailable(std::string& text, int wait_ms) {
  if (pos_ < buffer_.size()) {
    // What ReadLine has not handed out yet comes first.
    text.append(buffer_, pos_, std::string::npos);
    buffer_.clear();
    pos_ = 0;
    return true;
  }
  buffer_.clear();
  pos_ = 0;
  bool open = Fill(wait_ms);
  while (open && !buffer_.empty() && buffer_.size() < kMaxLine) {
    const size_t before = buffer_.size();
    open = Fill(0);
    if (buffer_.size() == before) break;
  }
  const bool got = !buffer_.empty();
  text += buffer_;
  buffer_.clear();
  return open || got;
}

bool PipeProcess::Signal(int signal_number) {
  if (!Started()) return false;
  return ::kill(own_group_ ? -pid_ : pid_, signal_number) == 0;
}

bool PipeProcess::HasEnded() const {
  if (!Started()) return true;
  siginfo_t info;
  info.si_pid = 0;
  for (;;) {
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0)
      return info.si_pid == pid_;
    if (errno != EINTR) return true;  // collected elsewhere: it is gone
  }
}

void PipeProcess::KeepTail() {
  if (buffer_.size() - pos_ > kTail) pos_ = buffer_.size() - kTail;
  buffer_.erase(0, pos_);
  pos_ = 0;
}

void PipeProcess::CloseOutput() {
  CloseFd(output_);
}

ProcessEnd PipeProcess::Close(double timeout_seconds) {
  if (!Started()) return end_;
  CloseInput();
  using Clock = std::chrono::steady_clock;
  const auto deadline =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(timeout_seconds > 0 ? timeout_seconds : 0));
  int status = 0;
  bool reaped = true;
  for (;;) {
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) break;
    if (ended < 0 && errno != EINTR) {
      reaped = false;  // someone else collected it: how it ended is unknown
      break;
    }
    if (timeout_seconds > 0 && Clock::now() >= deadline) {
      Signal(SIGKILL);
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
      end_.timed_out = true;
      break;
    }
    if (output_ >= 0) {
      // Nothing reads the rest of the output, but the pipe must keep flowing. The short
      // wait also notices a child that ended while something it started still holds the
      // pipe open.
      Fill(50);
      KeepTail();
    } else if (timeout_seconds > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } else {
      pid_t waited;
      while ((waited = ::waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
      }
      reaped = waited == pid_;
      break;
    }
  }
  if (reaped && WIFEXITED(status)) end_.exit_code = WEXITSTATUS(status);
  if (reaped && WIFSIGNALED(status)) end_.signal = WTERMSIG(status);
  // What the child wrote just before it ended is still in the pipe; a bounded number of
  // reads, since something it started may go on writing.
  for (int chunk = 0; chunk < 64 && output_ >= 0; ++chunk) {
    const size_t before = buffer_.size();
    if (!Fill(0) || buffer_.size() == before) break;
    KeepTail();
  }
  KeepTail();
  end_.output_tail.assign(buffer_, pos_, std::string::npos);
  CloseOutput();
  buffer_.clear();
  pos_ = 0;
  pid_ = -1;
  own_group_ = false;
  return end_;
}

}  // namespace orvo
