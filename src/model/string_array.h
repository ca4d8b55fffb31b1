// StringArray: an ordered list of strings with a one-string, self-describing form
// ("_StringArrayCookie_", a delimiter level, "_", the elements joined by that level's
// delimiter). Elements may themselves be string forms of nested arrays.
//
// Failure: an array can only nest 38 levels deep. FromString, Resync and SetList return
// false when a text asks for a level that does not exist; the array is then left exactly as
// it was and error() holds the message ("[StringArray::FromString] delimiter out of range."
// and the like). Whoever read the text (a project file, a parameter, a grid cell) reports
// that message and fails its own operation; nothing here ends the program.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class StringArray {
 public:
  static constexpr std::string_view kCookie = "_StringArrayCookie_";
  static constexpr int kMaxLevel = 37;

  StringArray() = default;
  explicit StringArray(std::string_view text) { FromString(text); }
  explicit StringArray(std::vector<std::string> elements);
  StringArray(std::initializer_list<std::string> elements)
      : StringArray(std::vector<std::string>(elements)) {}

  // Replaces the contents from a string form. A text that does not start with the cookie
  // leaves the array unchanged (and succeeds).
  bool FromString(std::string_view text);
  // The string form; the level is first raised above every nested element.
  std::string ToString();
  // Raises the level above every nested element's level.
  bool Resync();
  // Stores the string form of nested as element index (appending when index == size()).
  bool SetList(StringArray nested, size_t index);
  // FromString of element index into out; false when index is outside the list.
  bool GetList(StringArray& out, size_t index) const;

  std::vector<std::string>& GetList() { return elements_; }
  const std::vector<std::string>& GetList() const { return elements_; }
  size_t size() const { return elements_.size(); }
  bool empty() const { return elements_.empty(); }

  // Out of range: records "[StringArray::operator[]] Request out of range.\n" and yields an
  // empty string that is not part of the array.
  std::string& operator[](size_t index);
  // Element or empty text, silently.
  std::string At(size_t index) const { return index < elements_.size() ? elements_[index] : ""; }

  void RemoveAll();
  // Elements joined by one character; no cookie, no trailing separator.
  std::string Join(char separator) const;
  // Fills the array from free-form text (see the .cpp for the separator rules).
  void Parse(std::string_view text, bool convert_to_number, std::string_view separators = {});

  int level() const { return level_; }
  const std::string& error() const { return error_; }

  bool operator==(const StringArray& other) const {
    return elements_ == other.elements_ && level_ == other.level_;
  }

 private:
  std::vector<std::string> elements_;
  int level_ = 0;
  std::string error_;
  std::string scratch_;
};

// Whether text can be kept as a plain text (a title, a name) inside an array. A text that
// starts with the cookie would be read back from a project file as a nested array, and one
// that states a deep level could not be written at all, so names and titles taken from
// outside refuse it.
bool IsPlainStorableText(std::string_view text);

// Delimiter of a level 0..37: "|", one character of the level table, "|".
std::string StringArrayDelimiter(int level);

namespace string_array_detail {
bool SplitsBack(std::string_view body, std::string_view delimiter, size_t count,
                const size_t* boundaries);
inline constexpr std::string_view kLevelCharacters = "!@#$%^&*()-_+=[]{};':,.<>/?\\1234567890";
static_assert(kLevelCharacters.size() == StringArray::kMaxLevel + 1);

// Whether text holds a bar; elements are mostly a few characters, too short for a find call.
inline bool HasBar(std::string_view text) {
  if (text.size() > 16) return text.find('|') != std::string_view::npos;
  for (const char c : text) {
    if (c == '|') return true;
  }
  return false;
}
}  // namespace string_array_detail

// The string form of count elements (element(i) gives each) at the lowest level from
// `level` on at which reading the form gives back exactly these elements: an element may
// itself contain a delimiter ("a|@|b"), and then a higher level is used. False when no level
// up to 37 will do. The delimiter and cookie are written in place, and boundaries are only
// kept when an element holds a bar. AppendStringArray adds the form after what out holds;
// FormatStringArray replaces out with it.
template <typename Element>
bool AppendStringArray(int level, size_t count, Element element, std::string& out,
                       int& used_level) {
  const size_t start = out.size();
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
    out.resize(start);
    out.reserve(start + length);
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

template <typename Element>
bool FormatStringArray(int level, size_t count, Element element, std::string& out,
                       int& used_level) {
  out.clear();
  return AppendStringArray(level, count, element, out, used_level);
}

}  // namespace orvo
