#include "model/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace orvo {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Appends pieces to a file. With `in_background`, a thread of its own writes them while the
// next piece is being made: the writer gets a copy, at most two megabytes wait (their buffers
// are used again), and a failed write shows at the next Put or at Finish. Without it, or
// where no thread can be started, each piece is written before Put returns.
class PieceWriter {
 public:
  PieceWriter(int fd, bool in_background) : fd_(fd) {
    if (!in_background) return;
    try {
      thread_ = std::thread(&PieceWriter::Run, this);
    } catch (const std::system_error&) {
    }
  }
  ~PieceWriter() { Finish(); }
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  // False once a write has failed.
  bool Put(std::string_view bytes) {
    if (!thread_.joinable()) {
      if (error_ == 0) error_ = Write(bytes);
      return error_ == 0;
    }
    // A long piece waits in parts, so that what waits stays small.
    for (size_t at = 0; at < bytes.size(); at += kLongestPart) {
      if (!Queue(bytes.substr(at, kLongestPart))) return false;
    }
    const std::lock_guard lock(mutex_);
    return error_ == 0;
  }

  // Waits for every piece put to be written; the errno of the first failed write, or 0.
  int Finish() {
    if (thread_.joinable()) {
      {
        const std::lock_guard lock(mutex_);
        finishing_ = true;
      }
      changed_.notify_all();
      thread_.join();
    }
    return error_;
  }

 private:
  static constexpr size_t kMostWaiting = 2;
  static constexpr size_t kLongestPart = size_t{1} << 20;

  bool Queue(std::string_view part) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return error_ != 0 || waiting_.size() < kMostWaiting; });
    if (error_ != 0) return false;
    std::string piece;
    if (!spare_.empty()) {
      piece = std::move(spare_.back());
      spare_.pop_back();
    }
    lock.unlock();
    piece.assign(part);
    lock.lock();
    waiting_.push_back(std::move(piece));
    changed_.notify_all();
    return true;
  }

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return finishing_ || !waiting_.empty(); });
      if (waiting_.empty()) return;
      std::string piece = std::move(waiting_.front());
      waiting_.pop_front();
      const bool failed = error_ != 0;
      lock.unlock();
      // After a failure the rest is only taken off the queue.
      const int error = failed ? 0 : Write(piece);
      piece.clear();
      lock.lock();
      if (error != 0) error_ = error;
      spare_.push_back(std::move(piece));
      changed_.notify_all();
    }
  }

  // The errno of a failed write, or 0.
  int Write(std::string_view bytes) {
    if (!WriteAll(fd_, bytes)) return errno != 0 ? errno : EIO;
    // The disk starts on what is written while the rest is still being made, so that the
    // flush at the end waits only for the last pieces. Only a hint: errors show at fsync.
    ::sync_file_range(fd_, offset_, static_cast<off_t>(bytes.size()), SYNC_FILE_RANGE_WRITE);
    offset_ += static_cast<off_t>(bytes.size());
    return 0;
  }

  const int fd_;
  off_t offset_ = 0;  // only the writing thread touches it
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> waiting_;
  std::vector<std::string> spare_;
  bool finishing_ = false;
  int error_ = 0;
  std::thread thread_;  // last: it runs on everything above
};

FileReplaceResult Replace(const std::string& path, const ContentWriter& write, bool in_background) {
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return {false, false, false, errno};
  struct stat old_file;
  ::fchmod(fd, ::stat(path.c_str(), &old_file) == 0 ? old_file.st_mode & 07777 : 0644);
  bool written;
  int write_errno;
  {
    PieceWriter writer(fd, in_background);
    written = write([&writer](std::string_view bytes) { return writer.Put(bytes); });
    write_errno = writer.Finish();
  }
  if (!written && write_errno == 0) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return {false, true, true, 0};
  }
  if (write_errno != 0) written = false;
  if (written && ::fsync(fd) != 0) {
    write_errno = errno;
    written = false;
  }
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    const int reason = !written ? write_errno : errno;
    ::unlink(temporary.c_str());
    return {false, true, false, reason};
  }
  return {true, true, false, 0};
}

}  // namespace

FileReplaceResult ReplaceFile(const std::string& path, const ContentWriter& write) {
  return Replace(path, write, true);
}

FileReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes) {
  // One piece: nothing to make while it is written.
  return Replace(
      path, [bytes](const ByteSink& sink) { return sink(bytes); }, false);
}

}  // namespace orvo
