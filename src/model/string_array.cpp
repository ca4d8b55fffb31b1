#include "string_array.h"

#include <algorithm>
#include <cstring>

#include "number_text.h"

namespace orvo {
namespace {

constexpr std::string_view kLevelCharacters = "!@#$%^&*()-_+=[]{};':,.<>/?\\1234567890";
static_assert(kLevelCharacters.size() == StringArray::kMaxLevel + 1);

bool StartsWithCookie(std::string_view text) {
  return text.substr(0, StringArray::kCookie.size()) == StringArray::kCookie;
}

// The level written after the cookie ("%d" read: leading blanks and a sign allowed).
int CookieLevel(std::string_view text) {
  return AtoI(text.substr(StringArray::kCookie.size()));
}

// Level the array needs so that its delimiter differs from every nested element's.
bool RequiredLevel(const std::vector<std::string>& elements, int level, int& out) {
  for (const std::string& element : elements) {
    if (!StartsWithCookie(element)) continue;
    const int nested = CookieLevel(element);
    if (nested < level) continue;
    if (nested >= StringArray::kMaxLevel) return false;
    level = nested + 1;
  }
  out = level;
  return true;
}

}  // namespace

std::string StringArrayDelimiter(int level) {
  if (level < 0 || level > StringArray::kMaxLevel) return {};
  return std::string{'|', kLevelCharacters[static_cast<size_t>(level)], '|'};
}

StringArray::StringArray(std::vector<std::string> elements) : elements_(std::move(elements)) {
  Resync();
}

bool StringArray::FromString(std::string_view text) {
  if (!StartsWithCookie(text)) return true;
  std::string_view rest = text.substr(kCookie.size());
  const int level = AtoI(rest);
  if (level < 0 || level > kMaxLevel) {
    error_ = "[StringArray::FromString] delimiter out of range.";
    return false;
  }
  const size_t underscore = rest.find('_');
  rest = underscore == std::string_view::npos ? std::string_view{} : rest.substr(underscore + 1);

  std::vector<std::string> elements;
  const std::string delimiter = StringArrayDelimiter(level);
  size_t at;
  while ((at = rest.find(delimiter)) != std::string_view::npos) {
    elements.emplace_back(rest.substr(0, at));
    rest.remove_prefix(at + delimiter.size());
  }
  if (!rest.empty()) elements.emplace_back(rest);

  int resynced;
  if (!RequiredLevel(elements, level, resynced)) {
    error_ = "[StringArray::Resync] Out of array delimiters!";
    return false;
  }
  // Elements that no delimiter level can keep apart could never be written back.
  const bool has_bar = std::any_of(elements.begin(), elements.end(), [](const std::string& e) {
    return e.find('|') != std::string::npos;
  });
  if (has_bar) {
    std::string form;
    int used;
    if (!FormatStringArray(
            resynced, elements.size(),
            [&elements](size_t i) -> const std::string& { return elements[i]; }, form, used)) {
      error_ = "[StringArray::Resync] Out of array delimiters!";
      return false;
    }
  }
  elements_ = std::move(elements);
  level_ = resynced;
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
  size_t from = 0;
  for (size_t i = 0; i < count; ++i) {
    if (body.find(delimiter, from) != boundaries[i]) return false;
    from = boundaries[i] + delimiter.size();
  }
  return body.find(delimiter, from) == std::string_view::npos;
}

std::string CookiePrefix(int level) {
  std::string prefix(StringArray::kCookie);
  prefix += IntText(level);
  prefix += '_';
  return prefix;
}

}  // namespace string_array_detail

std::string StringArray::ToString() {
  Resync();
  std::string out;
  int used;
  if (!FormatStringArray(
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
