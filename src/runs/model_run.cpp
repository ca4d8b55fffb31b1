#include "runs/model_run.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <thread>
#include <utility>

namespace orvo {
namespace {

// The longest a Poll whose output has ended sleeps before it looks at the program again.
constexpr int kIdleSleepMs = 20;
// Output read after the program ended, in chunks: something it started may go on writing.
constexpr int kDrainChunks = 64;

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

bool TakeNumber(std::string_view& text, double& value) {
  SkipBlanks(text);
  const char* begin = text.data();
  // from_chars takes no leading "+"; a sign of our own would only confuse the check below.
  const auto [end, error] = std::from_chars(begin, begin + text.size(), value);
  if (error != std::errc() || !std::isfinite(value)) return false;
  text.remove_prefix(static_cast<std::size_t>(end - begin));
  return true;
}

bool TakeWord(std::string_view& text, std::string_view word) {
  SkipBlanks(text);
  if (text.substr(0, word.size()) != word) return false;
  text.remove_prefix(word.size());
  return true;
}

}  // namespace

double RunProgress::Fraction() const {
  if (!(end > 0)) return 1.0;
  return std::clamp(time / end, 0.0, 1.0);
}

std::optional<RunProgress> ParseProgressLine(std::string_view line) {
  RunProgress progress;
  if (!TakeWord(line, "t") || !TakeWord(line, "=") || !TakeNumber(line, progress.time) ||
      !TakeWord(line, "of") || !TakeNumber(line, progress.end)) {
    return std::nullopt;
  }
  return progress;
}

ModelRun::ModelRun(RunRequest request) : request_(std::move(request)) {}

ModelRun::~ModelRun() {
  if (!Running()) return;
  Cancel();
  Wait();
}

bool ModelRun::Start() {
  if (started_) return false;
  if (!process_.Start(request_.arguments, request_.working_directory, request_.own_process_group)) {
    result_.how = RunEnd::kNotStarted;
    result_.start_error = process_.error();
    return false;
  }
  // Nothing is ever written to it: a program that reads its input gets end of file at once.
  process_.CloseInput();
  started_ = true;
  start_time_ = Clock::now();
  return true;
}

double ModelRun::ElapsedSeconds() const {
  if (!started_) return 0;
  if (result_.how != RunEnd::kRunning) return result_.elapsed_seconds;
  return std::chrono::duration<double>(Clock::now() - start_time_).count();
}

bool ModelRun::Poll(int wait_ms) {
  if (!Running()) return false;
  wait_ms = std::max(wait_ms, 0);
  std::string text;
  if (process_.OutputDescriptor() >= 0) {
    process_.ReadAvailable(text, wait_ms);
    TakeOutput(text);
  } else if (wait_ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(wait_ms, kIdleSleepMs)));
  }

  const Clock::time_point now = Clock::now();
  if (!stop_requested_ && request_.timeout_seconds > 0 &&
      now - start_time_ >= std::chrono::duration<double>(request_.timeout_seconds)) {
    Stop(RunEnd::kTimedOut);
  }
  if (stop_requested_ && !killed_ &&
      now - stop_time_ >= std::chrono::duration<double>(request_.grace_seconds)) {
    process_.Signal(SIGKILL);
    killed_ = true;
  }
  if (!process_.HasEnded()) return true;
  // The program is gone but not yet collected, so its group cannot be reused: whatever it
  // started and left behind in a stopped run goes with it.
  if (stop_requested_ && !killed_) {
    process_.Signal(SIGKILL);
    killed_ = true;
  }
  for (int chunk = 0; chunk < kDrainChunks && process_.OutputDescriptor() >= 0; ++chunk) {
    std::string more;
    if (!process_.ReadAvailable(more, 0) || more.empty()) break;
    TakeOutput(more);
  }
  Finish();
  return false;
}

const RunResult& ModelRun::Wait() {
  while (Poll(50)) {
  }
  return result_;
}

void ModelRun::Cancel() {
  if (Running() && !stop_requested_) Stop(RunEnd::kCancelled);
}

void ModelRun::Stop(RunEnd reason) {
  stop_requested_ = true;
  stop_reason_ = reason;
  stop_time_ = Clock::now();
  process_.Signal(SIGTERM);
}

void ModelRun::Finish() {
  const ProcessEnd end = process_.Close();
  TakeOutput(end.output_tail);
  if (!partial_.empty()) AddLine(std::exchange(partial_, {}));
  result_.elapsed_seconds = std::chrono::duration<double>(Clock::now() - start_time_).count();
  result_.exit_status = end.exit_code;
  result_.signal_number = end.signal;
  if (stop_requested_) {
    result_.how = stop_reason_;
  } else if (end.signal != 0) {
    result_.how = RunEnd::kSignalled;
  } else {
    result_.how = RunEnd::kExited;
  }
  result_.last_lines.assign(last_lines_.begin(), last_lines_.end());
}

void ModelRun::TakeOutput(std::string_view text) {
  if (text.empty()) return;
  partial_.append(text);
  std::size_t start = 0;
  for (;;) {
    const std::size_t newline = partial_.find('\n', start);
    if (newline == std::string::npos) break;
    std::size_t end = newline;
    if (end > start && partial_[end - 1] == '\r') --end;
    // A line beyond kMaxLine comes in pieces.
    std::size_t piece = start;
    do {
      const std::size_t length = std::min(kMaxLine, end - piece);
      AddLine(partial_.substr(piece, length));
      piece += length;
    } while (piece < end);
    start = newline + 1;
  }
  while (partial_.size() - start > kMaxLine) {
    AddLine(partial_.substr(start, kMaxLine));
    start += kMaxLine;
  }
  partial_.erase(0, start);
}

void ModelRun::AddLine(std::string line) {
  if (const std::optional<RunProgress> progress = ParseProgressLine(line)) {
    progress_ = progress;
  } else {
    last_lines_.push_back(line);
    if (last_lines_.size() > kLastLines) last_lines_.pop_front();
  }
  pending_.push_back(std::move(line));
  if (pending_.size() > kPendingLines) pending_.pop_front();
}

std::vector<std::string> ModelRun::TakeLines() {
  std::vector<std::string> lines(std::make_move_iterator(pending_.begin()),
                                 std::make_move_iterator(pending_.end()));
  pending_.clear();
  return lines;
}

}  // namespace orvo
