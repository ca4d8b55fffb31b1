// Line-by-line reading of the model's text files through one reused buffer: no allocation per
// line, "\n" and "\r\n" alike, a final line without line end counted, and an upper bound on a
// line's length so that a file without line ends cannot make the reader grow.
#pragma once

#include <cstdio>
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
  // The next line without its line end; valid until the next call.
  Status Next(std::string_view& line);
  // Byte offset of the line that Next returns next.
  long long Offset() const { return buffer_offset_ + static_cast<long long>(begin_); }
  bool Seek(long long offset);

 private:
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
