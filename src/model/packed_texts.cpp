#include "model/packed_texts.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace orvo {

PackedTexts::PackedTexts(const std::vector<std::string>& texts) {
  size_t bytes = 0;
  for (const std::string& text : texts) bytes += text.size();
  reserve(texts.size(), bytes);
  for (const std::string& text : texts) push_back(text);
}

void PackedTexts::reserve(size_t count, size_t bytes) {
  spans_.reserve(count);
  buffer_.reserve(bytes);
}

void PackedTexts::shrink_to_fit() {
  if (unused_ > 0) Compact();
  buffer_.shrink_to_fit();
  spans_.shrink_to_fit();
}

void PackedTexts::clear() {
  buffer_.clear();
  spans_.clear();
  unused_ = 0;
}

// Like a standard container past its max_size, a list cannot grow beyond what 32-bit offsets
// reach (4 GiB of text, far beyond any network of five-column segment numbers).
PackedTexts::Span PackedTexts::Append(std::string_view text) {
  constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
  if (buffer_.size() + text.size() > kLimit && unused_ > 0) Compact();
  if (buffer_.size() + text.size() > kLimit) throw std::length_error("PackedTexts: too long");
  const Span span{static_cast<uint32_t>(buffer_.size()), static_cast<uint32_t>(text.size())};
  if (!text.empty() && text.data() >= buffer_.data() &&
      text.data() < buffer_.data() + buffer_.size()) {
    // A view into the buffer would not outlive its growth.
    const std::string copy(text);
    buffer_.append(copy);
  } else {
    buffer_.append(text);
  }
  return span;
}

void PackedTexts::push_back(std::string_view text) {
  spans_.push_back(Append(text));
}

void PackedTexts::Insert(size_t position, std::string_view text) {
  const Span span = Append(text);
  spans_.insert(spans_.begin() + static_cast<std::ptrdiff_t>(position), span);
}

void PackedTexts::Set(size_t position, std::string_view text) {
  Span& span = spans_[position];
  if (text.size() <= span.size) {
    // In place (text may view the buffer itself).
    std::char_traits<char>::move(buffer_.data() + span.offset, text.data(), text.size());
    unused_ += span.size - text.size();
    span.size = static_cast<uint32_t>(text.size());
  } else {
    unused_ += span.size;
    spans_[position] = Append(text);
  }
  if (unused_ > buffer_.size() / 2 && unused_ > 4096) Compact();
}

void PackedTexts::Erase(size_t position) {
  unused_ += spans_[position].size;
  spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(position));
  if (unused_ > buffer_.size() / 2 && unused_ > 4096) Compact();
}

void PackedTexts::swap(PackedTexts& other) noexcept {
  buffer_.swap(other.buffer_);
  spans_.swap(other.spans_);
  std::swap(unused_, other.unused_);
}

void PackedTexts::Compact() {
  std::string buffer;
  buffer.reserve(text_bytes());
  for (Span& span : spans_) {
    const uint32_t offset = static_cast<uint32_t>(buffer.size());
    buffer.append(buffer_, span.offset, span.size);
    span.offset = offset;
  }
  buffer_.swap(buffer);
  unused_ = 0;
}

std::vector<std::string> PackedTexts::ToVector() const {
  std::vector<std::string> texts;
  texts.reserve(size());
  for (size_t i = 0; i < size(); ++i) texts.emplace_back((*this)[i]);
  return texts;
}

bool PackedTexts::operator==(const PackedTexts& other) const {
  if (size() != other.size()) return false;
  for (size_t i = 0; i < size(); ++i) {
    if ((*this)[i] != other[i]) return false;
  }
  return true;
}

}  // namespace orvo
