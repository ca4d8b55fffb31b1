// One reading of a project's runs on a thread of its own: run files may be hundreds of
// megabytes. The thread touches nothing of the window that started it; the window polls
// the job, or hears of its end through the callback (called on the job's thread).
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "model/worker_platform.h"
#include "results/output_viewer_text.h"

namespace orvo::ui {

class RunsLoadJob {
 public:
  RunsLoadJob(std::string base_path, std::function<void()> on_done = {});
  // Asks the reading to stop and waits for it.
  ~RunsLoadJob();
  RunsLoadJob(const RunsLoadJob&) = delete;
  RunsLoadJob& operator=(const RunsLoadJob&) = delete;

  void Stop() { reporter_.Stop(); }
  bool stopping() const { return reporter_.stopping(); }
  bool done() const { return done_; }
  int permille() const { return reporter_.permille(); }
  // The progress text of the reading: "Reading <path>".
  std::string Reading() const { return reporter_.Reading(); }

  // Once done: the runs read, and what the reading had to say, in order.
  OutputViewerText TakeResult();
  std::vector<std::string> TakeMessages() { return reporter_.TakeMessages(); }

 private:
  const std::string base_path_;
  OutputViewerText result_;
  WorkerPlatform reporter_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace orvo::ui
