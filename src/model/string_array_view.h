// Reading StringArray texts without copying them: what FromString would read, as views into
// the text, and the string form ToString would give it, built straight from those views.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/string_array.h"

namespace orvo {

// The elements of a string form as views into it, and the level FromString would give the
// array; -1 (and no elements) for a text without the cookie. False, with FromString's message
// in error, where FromString fails.
bool SplitStringArray(std::string_view text, std::vector<std::string_view>& elements, int& level,
                      std::string_view& error);

// The same, also telling whether text is canonical: ToString of the array read gives it back.
bool SplitStringArray(std::string_view text, std::vector<std::string_view>& elements, int& level,
                      std::string_view& error, bool& canonical);

// Into out: ToString of what FromString reads from text into an empty array. False, out
// unchanged, where FromString fails.
bool CanonicalStringArray(std::string_view text, std::string& out, std::string_view& error);
// The same in place: a text that is canonical already keeps its bytes and its allocation.
bool CanonicalizeStringArray(std::string& text, std::string_view& error);

namespace string_array_detail {
inline constexpr std::string_view kLevelCharacters = "!@#$%^&*()-_+=[]{};':,.<>/?\\1234567890";
static_assert(kLevelCharacters.size() == StringArray::kMaxLevel + 1);
}  // namespace string_array_detail

namespace string_array_detail {
// Whether text holds a bar; elements are mostly a few characters, too short for a find call.
inline bool HasBar(std::string_view text) {
  if (text.size() > 16) return text.find('|') != std::string_view::npos;
  for (const char c : text) {
    if (c == '|') return true;
  }
  return false;
}
}  // namespace string_array_detail

// FormatStringArray (the same bytes) without its per-call strings: the delimiter and cookie
// are written in place and boundaries are only kept when an element holds a bar.
template <typename Element>
bool FormatStringArrayFast(int level, size_t count, Element element, std::string& out,
                           int& used_level) {
  bool has_bar = false;
  size_t length = StringArray::kCookie.size() + 3;
  for (size_t i = 0; i < count; ++i) {
    const std::string_view text = element(i);
    length += text.size() + 3;
    has_bar = has_bar || string_array_detail::HasBar(text);
  }
  std::vector<size_t> boundaries;
  for (int candidate = std::max(level, 0); candidate <= StringArray::kMaxLevel; ++candidate) {
    const char delimiter_text[3] = {
        '|', string_array_detail::kLevelCharacters[static_cast<size_t>(candidate)], '|'};
    const std::string_view delimiter(delimiter_text, 3);
    out.clear();
    out.reserve(length);
    out += StringArray::kCookie;
    if (candidate >= 10) out += static_cast<char>('0' + candidate / 10);
    out += static_cast<char>('0' + candidate % 10);
    out += '_';
    const size_t body_start = out.size();
    boundaries.clear();
    for (size_t i = 0; i < count; ++i) {
      if (i > 0) {
        if (has_bar) boundaries.push_back(out.size() - body_start);
        out += delimiter;
      }
      out += element(i);
    }
    // A trailing empty element needs one more delimiter to be read back.
    if (count > 0 && std::string_view(element(count - 1)).empty()) {
      if (has_bar) boundaries.push_back(out.size() - body_start);
      out += delimiter;
    }
    // Without a bar in any element, every delimiter found is one that was put there.
    if (!has_bar ||
        string_array_detail::SplitsBack(std::string_view(out).substr(body_start), delimiter,
                                        boundaries.size(), boundaries.data())) {
      used_level = candidate;
      return true;
    }
  }
  return false;
}

// The first count elements of a plain string form (no nested array, no bar in an element
// among them); false, elements undefined, for any other text.
bool SplitStringArrayPrefix(std::string_view text, size_t count,
                            std::vector<std::string_view>& elements);

// FormatStringArray of count views (the same bytes), without per-call strings.
bool FormatStringArrayViews(int level, const std::string_view* elements, size_t count,
                            std::string& out, int& used_level);

// ToString of an array of these elements whose level is `level` (StringArray(elements) has 0):
// the same bytes, without copying the elements first.
std::string StringArrayText(const std::string_view* elements, size_t count, int level = 0);
inline std::string StringArrayText(std::initializer_list<std::string_view> elements) {
  return StringArrayText(elements.begin(), elements.size());
}

// The elements StringArray(text) would hold, as views into the text (keep it alive): none for
// a text without the cookie or one FromString refuses. Reset reuses the element list, so a
// loop over many texts allocates only while the longest one is met.
class StringArrayView {
 public:
  StringArrayView() = default;
  explicit StringArrayView(std::string_view text) { Reset(text); }
  void Reset(std::string_view text) {
    int level;
    std::string_view error;
    if (!SplitStringArray(text, elements_, level, error)) elements_.clear();
  }
  // Reset for a text as ToString writes it (as node records are kept), when only the first
  // `count` elements will be asked for: the rest of the text is not looked at. A text that
  // holds a nested array or a bar before that point is read whole.
  void ResetFirst(std::string_view text, size_t count) {
    if (!SplitStringArrayPrefix(text, count, elements_)) Reset(text);
  }
  size_t size() const { return elements_.size(); }
  std::string_view At(size_t index) const {
    return index < elements_.size() ? elements_[index] : std::string_view();
  }

 private:
  std::vector<std::string_view> elements_;
};

}  // namespace orvo
