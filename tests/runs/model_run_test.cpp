#include "runs/model_run.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/number_text.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

RunRequest Shell(const std::string& script) {
  RunRequest request;
  request.arguments = {"/bin/sh", "-c", script};
  return request;
}

// Polls until the run has said something; the first line it printed.
std::string FirstLine(ModelRun& run) {
  for (int i = 0; i < 500; ++i) {
    run.Poll(10);
    const Lines lines = run.TakeLines();
    if (!lines.empty()) return lines.front();
  }
  return {};
}

// A process that has ended: gone, or a zombie nobody has collected yet.
bool Gone(int pid) {
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < deadline) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string skip, state;
    if (stat >> skip >> skip >> state && state == "Z") return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(ParseProgressLineTest, ReadsDayAndEndDay) {
  const struct {
    const char* line;
    std::optional<std::pair<double, double>> expected;
  } cases[] = {
      {"t = 0 of 30", std::pair{0.0, 30.0}},
      {"t = 12.5 of 30", std::pair{12.5, 30.0}},
      {"  t=1e-3 of 2.5E+01 days", std::pair{0.001, 25.0}},
      {"t = -1 of 30", std::pair{-1.0, 30.0}},
      {"t = 3 of", std::nullopt},
      {"t = x of 30", std::nullopt},
      {"time = 3 of 30", std::nullopt},
      {"at t = 3 of 30", std::nullopt},
      {"t = 1e999 of 30", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<RunProgress> progress = ParseProgressLine(c.line);
    ASSERT_EQ(progress.has_value(), c.expected.has_value()) << c.line;
    if (!progress) continue;
    EXPECT_EQ(progress->time, c.expected->first) << c.line;
    EXPECT_EQ(progress->end, c.expected->second) << c.line;
  }
  EXPECT_EQ((RunProgress{15, 30}.Fraction()), 0.5);
  EXPECT_EQ((RunProgress{-1, 30}.Fraction()), 0.0);
  EXPECT_EQ((RunProgress{40, 30}.Fraction()), 1.0);
  EXPECT_EQ((RunProgress{0, 0}.Fraction()), 1.0);
}

TEST(ModelRunTest, HandsOutLinesAndProgressAndEndsWithTheExitStatus) {
  const fs::path directory = fs::path(::testing::TempDir()) / "model run it's here";
  fs::create_directories(directory);
  RunRequest request = Shell(
      "pwd; for i in 1 2 3; do echo \"t = $i of 4\"; done; printf 'cr\\r\\n'; echo err >&2; "
      "printf 'no line end'");
  request.working_directory = directory.string();
  ModelRun run(request);
  EXPECT_FALSE(run.Running());
  ASSERT_TRUE(run.Start());
  EXPECT_TRUE(run.Running());
  EXPECT_GE(run.OutputDescriptor(), 0);
  const RunResult& result = run.Wait();
  EXPECT_FALSE(run.Running());
  EXPECT_EQ(result.how, RunEnd::kExited);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_TRUE(result.Succeeded());
  ASSERT_TRUE(run.progress().has_value());
  EXPECT_EQ(run.progress()->time, 3.0);
  EXPECT_EQ(run.progress()->end, 4.0);
  EXPECT_EQ(run.TakeLines(), (Lines{directory.string(), "t = 1 of 4", "t = 2 of 4", "t = 3 of 4",
                                    "cr", "err", "no line end"}));
  EXPECT_EQ(run.TakeLines(), Lines{});
  // The last lines leave the progress out.
  EXPECT_EQ(result.last_lines, (Lines{directory.string(), "cr", "err", "no line end"}));
  EXPECT_GT(result.elapsed_seconds, 0.0);
  EXPECT_FALSE(run.Poll());
  fs::remove_all(directory);
}

TEST(ModelRunTest, ReportsFailuresSignalsTimeoutsAndProgramsThatCannotStart) {
  ModelRun failing(Shell("echo line 1; echo 'bad deck' >&2; exit 3"));
  ASSERT_TRUE(failing.Start());
  EXPECT_EQ(failing.Wait().how, RunEnd::kExited);
  EXPECT_EQ(failing.result().exit_status, 3);
  EXPECT_FALSE(failing.result().Succeeded());
  EXPECT_EQ(failing.result().last_lines, (Lines{"line 1", "bad deck"}));

  ModelRun killed(Shell("kill -KILL $$"));
  ASSERT_TRUE(killed.Start());
  EXPECT_EQ(killed.Wait().how, RunEnd::kSignalled);
  EXPECT_EQ(killed.result().signal_number, 9);

  RunRequest slow = Shell("exec sleep 30");
  slow.timeout_seconds = 0.2;
  ModelRun timed(slow);
  ASSERT_TRUE(timed.Start());
  const auto begin = Clock::now();
  EXPECT_EQ(timed.Wait().how, RunEnd::kTimedOut);
  EXPECT_LT(Clock::now() - begin, std::chrono::seconds(3));
  EXPECT_EQ(timed.result().signal_number, SIGTERM);

  RunRequest absent;
  absent.arguments = {"/nonexistent dir/fenu5"};
  ModelRun missing(absent);
  EXPECT_FALSE(missing.Start());
  EXPECT_FALSE(missing.Running());
  EXPECT_FALSE(missing.Poll());
  EXPECT_EQ(missing.result().how, RunEnd::kNotStarted);
  EXPECT_EQ(missing.result().start_error,
            "cannot start /nonexistent dir/fenu5: No such file or directory");
}

TEST(ModelRunTest, CancelEndsTheProgramAndWhatItStarted) {
  // The shell waits for a child of its own: both must go.
  ModelRun run(Shell("sleep 300 & echo $!; wait"));
  ASSERT_TRUE(run.Start());
  const int child = AtoI(FirstLine(run));
  ASSERT_GT(child, 0);
  EXPECT_TRUE(run.Poll(0));
  run.Cancel();
  EXPECT_TRUE(run.Cancelling());
  const auto begin = Clock::now();
  EXPECT_EQ(run.Wait().how, RunEnd::kCancelled);
  EXPECT_LT(Clock::now() - begin, std::chrono::seconds(2));  // no need for the grace period
  EXPECT_TRUE(Gone(child));

  // A program that ignores the request is killed once the grace period is over.
  RunRequest stubborn = Shell("trap '' TERM; sleep 300 & echo $!; wait; wait");
  stubborn.grace_seconds = 0.3;
  ModelRun ignoring(stubborn);
  ASSERT_TRUE(ignoring.Start());
  const int sleeper = AtoI(FirstLine(ignoring));
  ASSERT_GT(sleeper, 0);
  ignoring.Cancel();
  EXPECT_EQ(ignoring.Wait().how, RunEnd::kCancelled);
  EXPECT_EQ(ignoring.result().signal_number, SIGKILL);
  EXPECT_TRUE(Gone(sleeper));
}

TEST(ModelRunTest, DestroyingARunningRunEndsIt) {
  int child = 0;
  {
    ModelRun run(Shell("sleep 300 & echo $!; wait"));
    ASSERT_TRUE(run.Start());
    child = AtoI(FirstLine(run));
    ASSERT_GT(child, 0);
  }
  EXPECT_TRUE(Gone(child));
}

TEST(ModelRunTest, OutputDescriptorWakesAWaitingCaller) {
  ModelRun run(Shell("sleep 0.2; echo t = 1 of 2; sleep 0.2; echo done"));
  ASSERT_TRUE(run.Start());
  Lines lines;
  while (run.Running()) {
    // What an event loop does: wait on the descriptor (or a while, once it has closed).
    pollfd fd{run.OutputDescriptor(), POLLIN, 0};
    if (fd.fd >= 0) {
      ::poll(&fd, 1, 5000);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.Poll(0);
    for (std::string& line : run.TakeLines()) lines.push_back(line);
  }
  EXPECT_EQ(lines, (Lines{"t = 1 of 2", "done"}));
  EXPECT_TRUE(run.result().Succeeded());
}

TEST(ModelRunTest, LongLinesComeInPiecesAndUntakenLinesStayBounded) {
  ModelRun run(Shell("head -c 10000 /dev/zero | tr '\\000' y; echo; seq 1 3000"));
  ASSERT_TRUE(run.Start());
  run.Wait();
  const Lines lines = run.TakeLines();
  ASSERT_EQ(lines.size(), ModelRun::kPendingLines);
  EXPECT_EQ(lines.back(), "3000");
  EXPECT_EQ(lines.front(), "2001");
  ASSERT_EQ(run.last_lines().size(), ModelRun::kLastLines);
  EXPECT_EQ(run.last_lines().front(), "2981");

  ModelRun pieces(Shell("head -c 10000 /dev/zero | tr '\\000' y; echo; echo end"));
  ASSERT_TRUE(pieces.Start());
  pieces.Wait();
  const Lines cut = pieces.TakeLines();
  ASSERT_EQ(cut.size(), 4u);
  EXPECT_EQ(cut[0].size(), ModelRun::kMaxLine);
  EXPECT_EQ(cut[1].size(), ModelRun::kMaxLine);
  EXPECT_EQ(cut[2].size(), 10000 - 2 * ModelRun::kMaxLine);
  EXPECT_EQ(cut[3], "end");
}

}  // namespace
}  // namespace orvo
