// The byte encodings of the project file: little-endian numbers, no padding, strings with
// an escalating length prefix, list counts with an escalating 16/32-bit count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

class ArchiveWriter {
 public:
  void U16(uint16_t value);
  void I32(int32_t value);
  void U32(uint32_t value);
  void F64(double value);
  // Length 0..254: one byte; up to 65533: 0xFF and 16 bits; longer: 0xFF, 0xFFFF, 32 bits.
  void String(std::string_view text);
  // As String of the text that append(bytes()) adds: a long text is made where it is to stay
  // instead of being made aside and copied in.
  template <typename Append>
  void StringInPlace(Append append);
  void Count(uint32_t count);

  const std::string& bytes() const { return bytes_; }
  std::string& bytes() { return bytes_; }

 private:
  static constexpr size_t kLongestPrefix = 1 + 2 + 4;
  // Writes the length prefix of a string of length bytes; gives its size.
  static size_t LengthPrefix(size_t length, char (&prefix)[kLongestPrefix]);

  std::string bytes_;
};

template <typename Append>
void ArchiveWriter::StringInPlace(Append append) {
  // Room for the longest length prefix; a shorter one takes its place afterwards.
  const size_t start = bytes_.size();
  bytes_.append(kLongestPrefix, '\0');
  append(bytes_);
  char prefix[kLongestPrefix];
  const size_t size = LengthPrefix(bytes_.size() - start - kLongestPrefix, prefix);
  bytes_.replace(start, kLongestPrefix, prefix, size);
}

// Reads from a buffer it only views (keep the bytes alive while reading). The first failure (end of
// data, a count or length that the remaining bytes cannot hold, or one raised by a record reader)
// sticks: every later read yields zero or empty, and error() keeps the first message. Nothing read
// is trusted to size an allocation before the bytes are known to exist.
class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
  explicit ArchiveReader(const char* bytes) : bytes_(bytes) {}
  // A temporary string would be gone before the first read.
  explicit ArchiveReader(std::string&&) = delete;

  uint16_t U16();
  int32_t I32();
  uint32_t U32();
  double F64();
  std::string String();
  // The same text as a view into the bytes read.
  std::string_view StringView();
  uint32_t Count();

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  void Fail(std::string message);
  size_t remaining() const { return bytes_.size() - position_; }
  size_t position() const { return position_; }

 private:
  bool Take(size_t size, const char*& data);

  std::string_view bytes_;
  size_t position_ = 0;
  std::string error_;
};

}  // namespace orvo
