// PackedTexts: a list of texts kept in one buffer, for lists with an element per segment (the
// group F and J slots), where a string apiece would cost an allocation and a string header
// per element.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class PackedTexts {
 public:
  PackedTexts() = default;
  explicit PackedTexts(const std::vector<std::string>& texts);

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](size_t index) const {
    const Span span = spans_[index];
    return std::string_view(buffer_.data() + span.offset, span.size);
  }
  // Bytes of all texts together.
  size_t text_bytes() const { return buffer_.size() - unused_; }

  void reserve(size_t count, size_t bytes);
  void shrink_to_fit();
  void clear();
  // Changing a text puts its new bytes at the end of the buffer; the old ones are only given
  // back when the unused bytes outgrow the used ones, so a run of changes stays linear.
  void push_back(std::string_view text);
  void Insert(size_t position, std::string_view text);
  void Set(size_t position, std::string_view text);
  void Erase(size_t position);
  void swap(PackedTexts& other) noexcept;

  std::vector<std::string> ToVector() const;

  bool operator==(const PackedTexts& other) const;
  bool operator!=(const PackedTexts& other) const { return !(*this == other); }

 private:
  // Offsets and sizes fit 32 bits: the buffer is kept below 4 GiB (see Append).
  struct Span {
    uint32_t offset;
    uint32_t size;
  };

  Span Append(std::string_view text);
  void Compact();

  std::string buffer_;
  std::vector<Span> spans_;
  size_t unused_ = 0;  // bytes of buffer_ no span refers to
};

}  // namespace orvo
