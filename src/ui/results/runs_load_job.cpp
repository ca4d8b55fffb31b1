#include "ui/results/runs_load_job.h"

#include <exception>
#include <utility>

namespace orvo::ui {

RunsLoadJob::RunsLoadJob(std::string base_path, std::function<void()> on_done)
    : base_path_(std::move(base_path)) {
  thread_ = std::thread([this, on_done = std::move(on_done)] {
    try {
      result_.LoadRuns(base_path_, reporter_);
    } catch (const std::exception& error) {
      reporter_.ShowMessage("Reading the runs of " + base_path_ + " failed: " + error.what());
    }
    done_ = true;
    if (on_done) on_done();
  });
}

RunsLoadJob::~RunsLoadJob() {
  reporter_.Stop();
  if (thread_.joinable()) thread_.join();
}

OutputViewerText RunsLoadJob::TakeResult() {
  if (thread_.joinable()) thread_.join();
  return std::move(result_);
}

}  // namespace orvo::ui
