#include "vcs/rcs_log.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "model/text_trim.h"
#include "vcs/revision_number.h"

namespace orvo {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

bool Contains(std::string_view line, std::string_view part) {
  return line.find(part) != std::string_view::npos;
}

// The number of a "revision 1.2" line (rlog may add "\tlocked by: name;"), or empty.
std::string RevisionOf(std::string_view line) {
  constexpr std::string_view kPrefix = "revision ";
  if (line.substr(0, kPrefix.size()) != kPrefix) return {};
  line.remove_prefix(kPrefix.size());
  const std::string number(line.substr(0, line.find_first_of(" \t")));
  return IsRevisionNumber(number) ? number : std::string();
}

// The count of "selected revisions: N" in the header, or -1.
long SelectedCount(std::string_view line) {
  constexpr std::string_view kLabel = "selected revisions:";
  const size_t at = line.find(kLabel);
  if (at == std::string_view::npos) return -1;
  const std::string digits(Trim(line.substr(at + kLabel.size()), " \t").substr(0, 9));
  char* end = nullptr;
  const long count = std::strtol(digits.c_str(), &end, 10);
  return end != digits.c_str() && count >= 0 ? count : -1;
}

// A revision number without leading zeros in its fields: equal numbers, equal texts.
std::string Canonical(std::string_view number) {
  std::string canonical;
  size_t start = 0;
  for (;;) {
    const size_t dot = std::min(number.find('.', start), number.size());
    std::string_view field = number.substr(start, dot - start);
    field.remove_prefix(std::min(field.find_first_not_of('0'), field.size() - 1));
    canonical += field;
    if (dot == number.size()) return canonical;
    canonical += '.';
    start = dot + 1;
  }
}

void Append(std::string& text, std::string_view line, bool& first) {
  if (!first) text += '\n';
  text += line;
  first = false;
}

}  // namespace

LogStatus ParseRcsLog(std::string_view output, RcsLog& log) {
  log = {};
  const std::vector<std::string_view> lines = SplitLines(output);
  size_t i = 0;
  // The missing archive is rlog's first and only word.
  if (!lines.empty() && lines[0].ends_with(": No such file or directory")) {
    return LogStatus::kNoArchive;
  }

  while (i < lines.size() && !Contains(lines[i], "symbolic names:")) ++i;
  if (i == lines.size()) return LogStatus::kCutInHeader;
  for (++i; i < lines.size() && !Contains(lines[i], "keyword substitution:"); ++i) {
    log.symbolic_name_lines.emplace_back(lines[i]);
  }
  if (i == lines.size()) return LogStatus::kCutInHeader;

  long expected = -1;
  for (; i < lines.size() && !Contains(lines[i], "description:"); ++i) {
    if (const long count = SelectedCount(lines[i]); count >= 0) expected = count;
  }
  if (i == lines.size()) return LogStatus::kCutInHeader;
  ++i;

  // Where a revision block starts (its number) and where the log ends.
  const auto block_at = [&](size_t at) -> std::string {
    if (at + 2 >= lines.size() || !Contains(lines[at], "-----------")) return {};
    if (expected >= 0 && static_cast<long>(log.revisions.size()) >= expected) return {};
    if (!lines[at + 2].starts_with("date: ") || !Contains(lines[at + 2], "author: ")) return {};
    return RevisionOf(lines[at + 1]);
  };
  const auto end_at = [&](size_t at) {
    return Contains(lines[at], "===========") &&
           (expected < 0 || static_cast<long>(log.revisions.size()) >= expected);
  };

  bool first = true;
  for (; i < lines.size(); ++i) {
    if (end_at(i) || !block_at(i).empty()) break;
    Append(log.description, lines[i], first);
  }
  if (i == lines.size()) return LogStatus::kCutInHeader;

  while (!end_at(i)) {
    // Counted before its message is read, so that the closing line is known in the last one.
    log.revisions.push_back(block_at(i));
    i += 2;  // the separator and the revision line; the date line follows
    log.revision_dates.emplace_back(lines[i].substr(0, lines[i].find(';')));
    ++i;
    // rlog names the branches that start at a revision on a line of their own.
    if (i < lines.size() && lines[i].starts_with("branches:") && lines[i].ends_with(";")) ++i;
    std::string& message = log.log_messages.emplace_back();
    first = true;
    for (; i < lines.size(); ++i) {
      if (end_at(i) || !block_at(i).empty()) break;
      Append(message, lines[i], first);
    }
    if (i == lines.size()) {
      log.revision_names.resize(log.revisions.size());
      return LogStatus::kCutInRevisions;
    }
  }

  log.revision_names.resize(log.revisions.size());
  // Numbers compare field by field: each revision by its canonical text, the first one kept.
  std::unordered_map<std::string, size_t> index;
  for (size_t r = 0; r < log.revisions.size(); ++r) index.emplace(Canonical(log.revisions[r]), r);
  for (const std::string& line : log.symbolic_name_lines) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string name(Trim(std::string_view(line).substr(0, colon), " \t"));
    const std::string number(Trim(std::string_view(line).substr(colon + 1), " \t"));
    if (name.empty() || !IsRevisionNumber(number)) continue;
    const auto found = index.find(Canonical(number));
    if (found == index.end()) continue;
    std::string& names = log.revision_names[found->second];
    names += names.empty() ? name : ", " + name;
  }
  return LogStatus::kRead;
}

}  // namespace orvo
