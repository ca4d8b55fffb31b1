// The platform of work done on a thread of its own: it never blocks on the window's thread.
// Messages are kept for the window to show once the work has ended, progress is published for
// the window to poll, questions are answered No, choosers cancelled, settings read as their
// defaults, and after Stop() every progress call but the last answers "stop".
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "model/unattended_platform.h"

namespace orvo {

class WorkerPlatform : public UnattendedPlatform {
 public:
  void ShowMessage(const std::string& text) override;
  bool Progress(int done, int total, const std::string& text) override;

  // From any thread.
  void Stop() { stop_ = true; }
  bool stopping() const { return stop_; }
  int permille() const { return permille_; }
  // The text of the last progress call.
  std::string Reading() const;
  std::vector<std::string> TakeMessages();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> messages_;
  std::string reading_;
  std::atomic<bool> stop_{false};
  std::atomic<int> permille_{0};
};

}  // namespace orvo
