#include "string_array.h"

#include "model/string_array_view.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "number_text.h"

namespace orvo {
namespace {

using string_array_detail::kLevelCharacters;

bool StartsWithCookie(std::string_view text) {
  // Most elements are numbers or names: the first character tells.
  return !text.empty() && text[0] == StringArray::kCookie[0] &&
         text.substr(0, StringArray::kCookie.size()) == StringArray::kCookie;
}

// The level written after the cookie ("%d" read: leading blanks and a sign allowed).
int CookieLevel(std::string_view text) {
  return AtoI(text.substr(StringArray::kCookie.size()));
}

// The first bar in [from, end), or end. Bars in nested arrays come every few characters,
// too often for a memchr call per bar to pay: eight characters are looked at at a time (the
// lowest byte of `found` that is set marks the first bar), and only a long run without a bar
// goes to memchr.
inline const char* FindBar(const char* from, const char* end) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighs = 0x8080808080808080u;
  constexpr uint64_t kBars = kOnes * static_cast<unsigned char>('|');
  const char* const near = end - from > 64 ? from + 64 : end;
  for (; near - from >= 8; from += 8) {
    uint64_t word;
    std::memcpy(&word, from, 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    const uint64_t x = word ^ kBars;
    const uint64_t found = (x - kOnes) & ~x & kHighs;
    if (found != 0) return from + (__builtin_ctzll(found) >> 3);
  }
  if (from == near && near != end) {
    const void* bar = std::memchr(from, '|', static_cast<size_t>(end - from));
    return bar != nullptr ? static_cast<const char*>(bar) : end;
  }
  for (; from < end; ++from) {
    if (*from == '|') return from;
  }
  return end;
}

// Level the array needs so that its delimiter differs from every nested element's.
template <typename Elements>
bool RequiredLevel(const Elements& elements, int level, int& out) {
  for (const std::string_view element : elements) {
    if (!StartsWithCookie(element)) continue;
    const int nested = CookieLevel(element);
    if (nested < level) continue;
    if (nested >= StringArray::kMaxLevel) return false;
    level = nested + 1;
  }
  out = level;
  return true;
}

template <typename Element>
bool FormatFast(int level, size_t count, Element element, std::string& out, int& used_level) {
  return FormatStringArray(level, count, element, out, used_level);
}

}  // namespace

bool IsPlainStorableText(std::string_view text) {
  return !StartsWithCookie(text);
}

std::string StringArrayDelimiter(int level) {
  if (level < 0 || level > StringArray::kMaxLevel) return {};
  return std::string{'|', kLevelCharacters[static_cast<size_t>(level)], '|'};
}

StringArray::StringArray(std::vector<std::string> elements) : elements_(std::move(elements)) {
  Resync();
}

namespace {

// SplitStringArray; `form` receives the string form of the elements when telling whether
// they can be written back needed it (`formed`). `canonical` tells whether text is that form
// (ToString of the array read): from the form when it was made, else from the text itself.
bool SplitArray(std::string_view text, std::vector<std::string_view>& elements, int& level,
                std::string_view& error, std::string& form, bool& formed, bool& canonical) {
  using SA = StringArray;
  formed = false;
  canonical = false;
  elements.clear();
  level = -1;
  if (!StartsWithCookie(text)) return true;
  std::string_view rest = text.substr(SA::kCookie.size());
  const int stated = AtoI(rest);
  if (stated < 0 || stated > SA::kMaxLevel) {
    error = "[StringArray::FromString] delimiter out of range.";
    return false;
  }
  // The underscore closes a level of a digit or two: looked for directly, as a find call
  // costs more than these few characters.
  size_t underscore = 0;
  while (underscore < rest.size() && underscore < 4 && rest[underscore] != '_') ++underscore;
  if (underscore == rest.size()) {
    underscore = std::string_view::npos;
  } else if (rest[underscore] != '_') {
    underscore = rest.find('_', underscore);
  }
  // The form writes the level as "%d" digits.
  const bool plain_level = underscore != std::string_view::npos && underscore > 0 &&
                           underscore <= 2 && (underscore == 1 || rest[0] != '0') &&
                           std::all_of(rest.begin(), rest.begin() + underscore,
                                       [](char c) { return c >= '0' && c <= '9'; });
  rest = underscore == std::string_view::npos ? std::string_view{} : rest.substr(underscore + 1);

  // Every bar either starts the next delimiter or belongs to an element; level characters
  // are never bars, so one pass over the bars finds both.
  const char middle = kLevelCharacters[static_cast<size_t>(stated)];
  const char* const data = rest.data();
  const size_t size = rest.size();
  size_t start = 0;
  size_t from = 0;
  bool has_bar = false;
  while (from < size) {
    const char* const bar = FindBar(data + from, data + size);
    if (bar == data + size) break;
    const size_t at = static_cast<size_t>(bar - data);
    if (at + 2 < size && data[at + 1] == middle && data[at + 2] == '|') {
      elements.push_back(rest.substr(start, at - start));
      start = from = at + 3;
    } else {
      has_bar = true;
      from = at + 1;
    }
  }
  // A delimiter at the very end closes an element; the form writes one there only after an
  // empty last element.
  const bool trailing_delimiter = size > 0 && start == size;
  if (start < size) elements.push_back(rest.substr(start));

  int resynced;
  if (!RequiredLevel(elements, stated, resynced)) {
    error = "[StringArray::Resync] Out of array delimiters!";
    elements.clear();
    return false;
  }
  // At the level the text states, the elements joined by its delimiter are the text again
  // (less a closing delimiter after a last element that is not empty), and reading that
  // finds the same delimiters: such elements can always be written back, bars or not.
  canonical = plain_level && resynced == stated && (!trailing_delimiter || elements.back().empty());
  // Raised above the stated level, elements holding a bar may be kept apart by no delimiter
  // level at all; then they could never be written back.
  if (has_bar && resynced != stated) {
    int used;
    if (!FormatFast(
            resynced, elements.size(), [&elements](size_t i) { return elements[i]; }, form, used)) {
      error = "[StringArray::Resync] Out of array delimiters!";
      elements.clear();
      return false;
    }
    formed = true;
    canonical = form == text;
  }
  level = resynced;
  return true;
}

// Scratch for the views and the form of one text; texts are read one at a time on each
// thread.
std::vector<std::string_view>& SplitScratch() {
  thread_local std::vector<std::string_view> views;
  return views;
}

std::string& FormScratch() {
  thread_local std::string form;
  return form;
}

}  // namespace

bool SplitStringArray(std::string_view text, std::vector<std::string_view>& elements, int& level,
                      std::string_view& error) {
  bool formed, canonical;
  return SplitArray(text, elements, level, error, FormScratch(), formed, canonical);
}

bool StringArray::FromString(std::string_view text) {
  std::vector<std::string_view>& views = SplitScratch();
  int level;
  std::string_view error;
  if (!SplitStringArray(text, views, level, error)) {
    error_ = error;
    return false;
  }
  if (level < 0) return true;
  elements_.resize(views.size());
  for (size_t i = 0; i < views.size(); ++i) elements_[i].assign(views[i]);
  level_ = level;
  return true;
}

namespace {

// The canonical form of text into FormScratch() unless text is canonical itself (then
// `canonical` is set and the scratch holds anything); the views may point into text.
bool CanonicalForm(std::string_view text, std::string_view& error, bool& canonical) {
  std::vector<std::string_view>& views = SplitScratch();
  std::string& form = FormScratch();
  int level;
  bool formed;
  if (!SplitArray(text, views, level, error, form, formed, canonical)) return false;
  // Checking the elements made the form already (at the same level) when one holds a bar.
  if (formed || canonical) return true;
  int used;
  if (!FormatFast(
          std::max(level, 0), views.size(), [&views](size_t i) { return views[i]; }, form, used)) {
    error = "[StringArray::Resync] Out of array delimiters!";
    return false;
  }
  return true;
}

}  // namespace

bool SplitStringArray(std::string_view text, std::vector<std::string_view>& elements, int& level,
                      std::string_view& error, bool& canonical) {
  bool formed;
  return SplitArray(text, elements, level, error, FormScratch(), formed, canonical);
}

bool SplitStringArrayPrefix(std::string_view text, size_t count,
                            std::vector<std::string_view>& elements) {
  elements.clear();
  if (!StartsWithCookie(text)) return false;
  std::string_view rest = text.substr(StringArray::kCookie.size());
  const size_t underscore = rest.find('_');
  if (underscore == 0 || underscore > 2) return false;
  int level = 0;
  for (size_t i = 0; i < underscore; ++i) {
    if (rest[i] < '0' || rest[i] > '9') return false;
    level = level * 10 + (rest[i] - '0');
  }
  if (level > StringArray::kMaxLevel) return false;
  rest.remove_prefix(underscore + 1);
  const char middle = kLevelCharacters[static_cast<size_t>(level)];
  const char* const data = rest.data();
  const size_t size = rest.size();
  size_t start = 0;
  while (elements.size() < count && start < size) {
    const char* const bar = FindBar(data + start, data + size);
    const size_t at = static_cast<size_t>(bar - data);
    if (at < size && !(at + 2 < size && data[at + 1] == middle && data[at + 2] == '|')) {
      return false;  // a bar inside an element
    }
    const std::string_view element = rest.substr(start, at - start);
    if (StartsWithCookie(element)) return false;
    elements.push_back(element);
    start = at + 3;
  }
  return true;
}

bool CanonicalStringArray(std::string_view text, std::string& out, std::string_view& error) {
  bool canonical;
  if (!CanonicalForm(text, error, canonical)) return false;
  if (canonical) {
    out.assign(text);
  } else {
    out = FormScratch();
  }
  return true;
}

bool CanonicalizeStringArray(std::string& text, std::string_view& error) {
  bool canonical;
  if (!CanonicalForm(text, error, canonical)) return false;
  if (!canonical) text = FormScratch();
  return true;
}

bool StringArray::Resync() {
  int level;
  if (!RequiredLevel(elements_, level_, level)) {
    error_ = "[StringArray::Resync] Out of array delimiters!";
    return false;
  }
  level_ = level;
  return true;
}

namespace string_array_detail {

// The form reads back as written when the delimiter occurs exactly at the boundaries.
bool SplitsBack(std::string_view body, std::string_view delimiter, size_t count,
                const size_t* boundaries) {
  if (delimiter.size() != 3 || delimiter[0] != '|' || delimiter[1] == '|' || delimiter[2] != '|') {
    size_t from = 0;
    for (size_t i = 0; i < count; ++i) {
      if (body.find(delimiter, from) != boundaries[i]) return false;
      from = boundaries[i] + delimiter.size();
    }
    return body.find(delimiter, from) == std::string_view::npos;
  }
  // Delimiters start with a bar and have no bar in the middle: each delimiter found is the
  // first one starting at a bar from where the last one ended.
  const char* const data = body.data();
  const size_t size = body.size();
  size_t found = 0;
  size_t from = 0;
  while (from < size) {
    const char* const bar = FindBar(data + from, data + size);
    if (bar == data + size) break;
    const size_t at = static_cast<size_t>(bar - data);
    if (at + 2 < size && data[at + 1] == delimiter[1] && data[at + 2] == '|') {
      if (found == count || at != boundaries[found]) return false;
      ++found;
      from = at + 3;
    } else {
      from = at + 1;
    }
  }
  return found == count;
}

}  // namespace string_array_detail

namespace {}  // namespace

std::string StringArrayText(const std::string_view* elements, size_t count, int level) {
  struct Views {
    const std::string_view* first;
    const std::string_view* last;
    const std::string_view* begin() const { return first; }
    const std::string_view* end() const { return last; }
  };
  // As Resync and ToString: a level that cannot be raised stays as it is.
  int required;
  if (RequiredLevel(Views{elements, elements + count}, level, required)) level = required;
  std::string out;
  int used;
  FormatFast(
      level, count, [elements](size_t i) { return elements[i]; }, out, used);
  return out;
}

bool FormatStringArrayViews(int level, const std::string_view* elements, size_t count,
                            std::string& out, int& used_level) {
  return FormatFast(
      level, count, [elements](size_t i) { return elements[i]; }, out, used_level);
}

std::string StringArray::ToString() {
  Resync();
  std::string out;
  int used;
  if (!FormatFast(
          level_, elements_.size(), [this](size_t i) -> const std::string& { return elements_[i]; },
          out, used)) {
    error_ = "[StringArray::Resync] Out of array delimiters!";
    return out;
  }
  level_ = used;
  return out;
}

bool StringArray::SetList(StringArray nested, size_t index) {
  if (index > elements_.size()) return false;
  nested.error_.clear();
  std::string text = nested.ToString();
  if (!nested.error().empty() || nested.level() >= kMaxLevel) {
    error_ = "[StringArray::SetList] Out of array delimiters!";
    return false;
  }
  if (nested.level() >= level_) level_ = nested.level() + 1;
  if (index == elements_.size()) {
    elements_.push_back(std::move(text));
  } else {
    elements_[index] = std::move(text);
  }
  return true;
}

bool StringArray::GetList(StringArray& out, size_t index) const {
  if (index >= elements_.size()) return false;
  out.RemoveAll();
  return out.FromString(elements_[index]);
}

std::string& StringArray::operator[](size_t index) {
  if (index < elements_.size()) return elements_[index];
  error_ = "[StringArray::operator[]] Request out of range.\n";
  scratch_.clear();
  return scratch_;
}

void StringArray::RemoveAll() {
  elements_.clear();
  level_ = 0;
}

std::string StringArray::Join(char separator) const {
  std::string out;
  for (size_t i = 0; i < elements_.size(); ++i) {
    if (i > 0) out += separator;
    out += elements_[i];
  }
  return out;
}

// Empty fields count: every pair of adjacent separators gets a blank between them and a
// trailing separator gets a blank after it, so that strtok-style cutting still sees a field
// there. Without separators the blank, comma, tab and newline separate, runs counting as one.
void StringArray::Parse(std::string_view text, bool convert_to_number,
                        std::string_view separators) {
  RemoveAll();
  std::string work(text);
  for (char c : separators) {
    std::string spaced;
    spaced.reserve(work.size() + 8);
    for (size_t i = 0; i < work.size(); ++i) {
      spaced += work[i];
      if (work[i] == c && i + 1 < work.size() && work[i + 1] == c) spaced += ' ';
    }
    if (!spaced.empty() && spaced.back() == c) spaced += ' ';
    work = std::move(spaced);
  }
  const std::string set = separators.empty() ? std::string(" ,\t\n") : std::string(separators);
  size_t i = 0;
  while (i < work.size()) {
    while (i < work.size() && set.find(work[i]) != std::string::npos) ++i;
    if (i >= work.size()) break;
    size_t end = i;
    while (end < work.size() && set.find(work[end]) == std::string::npos) ++end;
    std::string token = work.substr(i, end - i);
    elements_.push_back(convert_to_number ? RealText(AtoF(token)) : std::move(token));
    i = end;
  }
}

}  // namespace orvo
