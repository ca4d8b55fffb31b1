#include "line_reader.h"

#include <algorithm>
#include <cstring>

namespace orvo {

namespace {
// Large enough that refills are rare, small enough to stay in cache.
constexpr std::size_t kMinBufferSize = 256 * 1024;
}  // namespace

LineReader::LineReader(const std::string& path, std::size_t max_line_length)
    : file_(std::fopen(path.c_str(), "rb")),
      max_line_length_(max_line_length),
      buffer_(std::max(kMinBufferSize, 2 * (max_line_length + 2))) {}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::Fill() {
  if (at_end_ || file_ == nullptr) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    buffer_offset_ += static_cast<long long>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  end_ += got;
  if (got == 0) at_end_ = true;
  return got > 0;
}

LineReader::Status LineReader::NextFromFile(std::string_view& line) {
  std::size_t scanned = begin_;  // no line end in [begin_, scanned)
  for (;;) {
    const char* start = buffer_.data() + scanned;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - scanned));
    std::size_t line_end = 0;
    std::size_t next = 0;
    if (newline != nullptr) {
      line_end = static_cast<std::size_t>(newline - buffer_.data());
      next = line_end + 1;
    } else {
      const std::size_t pending = end_ - begin_;
      if (pending > max_line_length_ + 1) return Status::kTooLong;
      scanned = end_;
      const std::size_t old_begin = begin_;
      if (Fill()) {
        scanned -= old_begin - begin_;
        continue;
      }
      if (pending == 0) return Status::kEnd;
      line_end = end_;  // the last line has no line end
      next = end_;
    }
    std::size_t length = line_end - begin_;
    if (length > 0 && buffer_[line_end - 1] == '\r') --length;
    if (length > max_line_length_) return Status::kTooLong;
    line = std::string_view(buffer_.data() + begin_, length);
    begin_ = next;
    return Status::kLine;
  }
}

bool LineReader::Seek(long long offset) {
  if (file_ == nullptr || std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) {
    return false;
  }
  buffer_offset_ = offset;
  begin_ = end_ = 0;
  at_end_ = false;
  return true;
}

}  // namespace orvo
