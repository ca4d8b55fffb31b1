// Line-by-line reading of the model's text files through one reused buffer: no allocation per
// line, "\n" and "\r\n" alike, a final line without line end counted, and an upper bound on a
// line's length so that a file without line ends cannot make the reader grow.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class LineReader {
 public:
  enum class Status { kLine, kEnd, kTooLong };

  LineReader(const std::string& path, std::size_t max_line_length);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The next line without its line end; valid until the next call. A whole line already in
  // the buffer is the common case and stays inline: this runs for every line of a file.
  Status Next(std::string_view& line) {
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (newline != nullptr) {
      const auto length = static_cast<std::size_t>(newline - start);
      const std::size_t text_length = length > 0 && newline[-1] == '\r' ? length - 1 : length;
      if (text_length <= max_line_length_) {
        line = std::string_view(start, text_length);
        begin_ += length + 1;
        return Status::kLine;
      }
    }
    return NextFromFile(line);
  }
  // Byte offset of the line that Next returns next.
  long long Offset() const { return buffer_offset_ + static_cast<long long>(begin_); }
  bool Seek(long long offset);

 private:
  Status NextFromFile(std::string_view& line);
  bool Fill();

  std::FILE* file_ = nullptr;
  std::size_t max_line_length_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;        // start of the unread part of buffer_
  std::size_t end_ = 0;          // end of the valid part of buffer_
  long long buffer_offset_ = 0;  // file offset of buffer_[0]
  bool at_end_ = false;
};

}  // namespace orvo
