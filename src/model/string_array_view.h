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
