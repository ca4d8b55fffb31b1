#include "vcs/revision_number.h"

#include <algorithm>
#include <string_view>

namespace orvo {
namespace {

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t dot = text.find('.', start);
    fields.push_back(text.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) return fields;
    start = dot + 1;
  }
}

bool AllDigits(std::string_view field) {
  return !field.empty() &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Numeric comparison of digit strings of any length.
int CompareField(std::string_view a, std::string_view b) {
  const auto significant = [](std::string_view field) {
    if (!AllDigits(field)) return std::string_view("0");
    const size_t first = field.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view("0") : field.substr(first);
  };
  a = significant(a);
  b = significant(b);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string PlusOne(std::string_view digits) {
  std::string result(digits);
  for (size_t i = result.size(); i-- > 0;) {
    if (result[i] != '9') {
      ++result[i];
      return result;
    }
    result[i] = '0';
  }
  return "1" + result;
}

}  // namespace

bool IsRevisionNumber(const std::string& text) {
  const std::vector<std::string_view> fields = Fields(text);
  return fields.size() >= 2 && fields.size() % 2 == 0 &&
         std::all_of(fields.begin(), fields.end(), AllDigits);
}

int CompareRevisions(const std::string& a, const std::string& b) {
  const std::vector<std::string_view> left = Fields(a), right = Fields(b);
  for (size_t i = 0; i < std::min(left.size(), right.size()); ++i) {
    if (const int order = CompareField(left[i], right[i]); order != 0) return order;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

std::string NextRevision(const std::vector<std::string>& revisions) {
  for (const std::string& revision : revisions) {
    if (!IsRevisionNumber(revision)) continue;
    const std::vector<std::string_view> fields = Fields(revision);
    if (fields.size() != 2) continue;  // a branch revision: the trunk goes on from its head
    // RCS writes numbers without leading zeros; "1.09" is read as 1.9.
    std::string_view minor = fields[1];
    minor.remove_prefix(std::min(minor.find_first_not_of('0'), minor.size() - 1));
    std::string_view major = fields[0];
    major.remove_prefix(std::min(major.find_first_not_of('0'), major.size() - 1));
    if (minor == "9") return PlusOne(major);
    return std::string(major) + "." + PlusOne(minor);
  }
  return {};
}

}  // namespace orvo
