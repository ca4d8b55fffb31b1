#include "model/worker_platform.h"

namespace orvo {

void WorkerPlatform::ShowMessage(const std::string& text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  messages_.push_back(text);
}

bool WorkerPlatform::Progress(int done, int total, const std::string& text) {
  permille_ = total > 0 ? static_cast<int>(1000LL * done / total) : 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    reading_ = text;
  }
  return done >= total || !stop_;
}

std::string WorkerPlatform::Reading() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return reading_;
}

std::vector<std::string> WorkerPlatform::TakeMessages() {
  const std::lock_guard<std::mutex> lock(mutex_);
  return std::move(messages_);
}

}  // namespace orvo
