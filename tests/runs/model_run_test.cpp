#include "runs/model_run.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/number_text.h"
#include "support/runs_script.h"

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

// Runs of a program: the scripts of tests/data/runs/model_run.txt (support/runs_script.h):
//   in <folder>  timeout <seconds>  grace <seconds>   the request, before it starts
//   start <argument>...   prints whether it started and whether it is running
//   wait                  how it ended, the progress and the last lines ("slow" past 2.5 s)
//   take                  the lines nobody took yet
//   child                 the first line, a process number, taken as the child it started
//                         (shown as CHILD)
//   cancel                cancels it, then waits: also prints whether the child is gone
//   destroy               destroys the run: whether the child is gone
//   progress <line>       what the line says of the progress    fraction <day> <end day>
struct RunScript {
  fs::path dir;
  RunRequest request;
  std::unique_ptr<ModelRun> run;
  int child = 0;

  std::string Ran(const std::vector<std::string>& args) {
    const std::string& command = args.at(0);
    std::string text;
    if (command == "in") {
      request.working_directory = args.at(1);
    } else if (command == "timeout" || command == "grace") {
      (command == "timeout" ? request.timeout_seconds : request.grace_seconds) =
          std::stod(args.at(1));
    } else if (command == "start") {
      request.arguments = {args.begin() + 1, args.end()};
      run = std::make_unique<ModelRun>(request);
      text = run->Running() ? "running before the start\n" : "";
      text += run->Start() ? "started" : "not started";
      text += run->Running() ? ", running\n" : "\n";
      if (run->Running() && run->OutputDescriptor() < 0) text += "no descriptor\n";
    } else if (command == "wait" || command == "cancel") {
      const auto begin = Clock::now();
      if (command == "cancel") {
        run->Cancel();
        if (!run->Cancelling()) text += "not cancelling\n";
      }
      const RunResult& result = run->Wait();
      if (Clock::now() - begin > std::chrono::milliseconds(2500)) text += "slow\n";
      const char* hows[] = {"running",   "not started", "exited",
                            "signalled", "timed out",   "cancelled"};
      text += std::string(hows[static_cast<int>(result.how)]) + ", status " +
              std::to_string(result.exit_status) + ", signal " +
              std::to_string(result.signal_number) + (result.Succeeded() ? ", succeeded" : "") +
              (run->Running() ? ", running" : "") + (run->Poll() ? ", polled" : "") +
              (result.start_error.empty() ? "" : ", " + result.start_error) + "\n";
      if (result.how == RunEnd::kExited && result.elapsed_seconds <= 0) text += "no time taken\n";
      if (run->progress())
        text += "progress " + std::to_string(run->progress()->time) + " of " +
                std::to_string(run->progress()->end) + "\n";
      text += "last lines\n" + Taken(result.last_lines);
      if (result.last_lines != Lines(run->last_lines().begin(), run->last_lines().end()))
        text += "differ from last_lines()\n";
      if (child > 0) text += Gone(child) ? "child gone\n" : "child still there\n";
    } else if (command == "progress") {
      const std::optional<RunProgress> progress = ParseProgressLine(args.at(1));
      std::ostringstream shown;
      shown.precision(17);
      if (progress) shown << "day " << progress->time << " of " << progress->end;
      text = progress ? shown.str() + "\n" : "no progress\n";
    } else if (command == "fraction") {
      text = std::to_string(RunProgress{std::stod(args.at(1)), std::stod(args.at(2))}.Fraction()) +
             "\n";
    } else if (command == "destroy") {
      run.reset();
      text = Gone(child) ? "child gone\n" : "child still there\n";
    } else if (command == "take") {
      text = Taken(run->TakeLines());
    } else if (command == "child") {
      child = AtoI(FirstLine(*run));
      text = child > 0 ? "" : "no child\n";
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
    return child > 0 ? testing::Replaced(text, std::to_string(child) + "\n", "CHILD\n") : text;
  }
  // Many lines by their number, the first and the last.
  static std::string Taken(const Lines& lines) {
    if (lines.size() <= 8) return testing::LinesText(lines);
    return std::to_string(lines.size()) + " lines, " + lines.front() + " to " + lines.back() + "\n";
  }
};

TEST(ModelRunTest, Scripts) {
  testing::CheckRunsScripts<RunScript>("model_run.txt");
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

}  // namespace
}  // namespace orvo
