#include "archive.h"

#include <bit>
#include <cstring>

namespace orvo {
namespace {

template <typename T>
void Append(std::string& out, T value) {
  static_assert(std::endian::native == std::endian::little, "the file format is little-endian");
  char raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  out.append(raw, sizeof(T));
}

}  // namespace

void ArchiveWriter::U16(uint16_t value) {
  Append(bytes_, value);
}
void ArchiveWriter::I32(int32_t value) {
  Append(bytes_, value);
}
void ArchiveWriter::U32(uint32_t value) {
  Append(bytes_, value);
}
void ArchiveWriter::F64(double value) {
  Append(bytes_, value);
}

size_t ArchiveWriter::LengthPrefix(size_t length, char (&prefix)[kLongestPrefix]) {
  const auto put = [&prefix](size_t at, auto value) {
    std::memcpy(prefix + at, &value, sizeof value);
    return at + sizeof value;
  };
  if (length < 0xFF) return put(0, static_cast<uint8_t>(length));
  if (length < 0xFFFE) return put(put(0, uint8_t{0xFF}), static_cast<uint16_t>(length));
  return put(put(put(0, uint8_t{0xFF}), uint16_t{0xFFFF}), static_cast<uint32_t>(length));
}

void ArchiveWriter::String(std::string_view text) {
  char prefix[kLongestPrefix];
  bytes_.append(prefix, LengthPrefix(text.size(), prefix));
  bytes_.append(text);
}

void ArchiveWriter::Count(uint32_t count) {
  if (count < 0xFFFF) {
    U16(static_cast<uint16_t>(count));
  } else {
    U16(0xFFFF);
    U32(count);
  }
}

void ArchiveReader::Fail(std::string message) {
  if (error_.empty()) error_ = message.empty() ? "The file is damaged." : std::move(message);
}

bool ArchiveReader::Take(size_t size, const char*& data) {
  if (!ok()) return false;
  if (size > remaining()) {
    Fail("Unexpected end of file.");
    return false;
  }
  data = bytes_.data() + position_;
  position_ += size;
  return true;
}

namespace {
template <typename T>
T Decode(const char* data) {
  T value;
  std::memcpy(&value, data, sizeof(T));
  return value;
}
}  // namespace

uint16_t ArchiveReader::U16() {
  const char* data;
  return Take(2, data) ? Decode<uint16_t>(data) : 0;
}

int32_t ArchiveReader::I32() {
  const char* data;
  return Take(4, data) ? Decode<int32_t>(data) : 0;
}

uint32_t ArchiveReader::U32() {
  const char* data;
  return Take(4, data) ? Decode<uint32_t>(data) : 0;
}

double ArchiveReader::F64() {
  const char* data;
  return Take(8, data) ? Decode<double>(data) : 0.0;
}

std::string ArchiveReader::String() {
  return std::string(StringView());
}

std::string_view ArchiveReader::StringView() {
  const char* data;
  if (!Take(1, data)) return {};
  size_t length = static_cast<unsigned char>(*data);
  if (length == 0xFF) {
    length = U16();
    if (length == 0xFFFF) length = U32();
  }
  if (!ok()) return {};
  if (length > remaining()) {
    Fail("Unexpected end of file: a text is longer than the rest of the file.");
    return {};
  }
  Take(length, data);
  return std::string_view(data, length);
}

uint32_t ArchiveReader::Count() {
  uint32_t count = U16();
  if (count == 0xFFFF) count = U32();
  return ok() ? count : 0;
}

}  // namespace orvo
