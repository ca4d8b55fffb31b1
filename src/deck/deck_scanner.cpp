#include "deck/deck_scanner.h"

#include <algorithm>
#include <cctype>

#include "model/number_text.h"

namespace orvo {
namespace {

bool IsSpace(char c) {
  // Printable characters and the blank, nearly all a deck holds, need not ask the locale.
  if (c == ' ') return true;
  if (c > ' ' && c < 0x7F) return false;
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool DeckScanner::ReadLine(std::string& line) {
  if (AtEnd()) return false;
  const size_t end = text_.find('\n', position_);
  const size_t stop = end == std::string_view::npos ? text_.size() : end;
  std::string_view found = text_.substr(position_, stop - position_);
  if (!found.empty() && found.back() == '\r') found.remove_suffix(1);
  line.assign(found);
  position_ = end == std::string_view::npos ? text_.size() : end + 1;
  at_field_start_ = true;
  return true;
}

size_t DeckScanner::FieldLimit(int width, size_t& field_end) {
  size_t field_start = position_;
  bool known = at_field_start_;
  while (position_ < text_.size() && IsSpace(text_[position_])) {
    if (text_[position_] == '\n') {
      field_start = position_ + 1;
      known = true;
    }
    ++position_;
  }
  const size_t w = static_cast<size_t>(width);
  field_end = std::string_view::npos;
  if (known && position_ < field_start + w) field_end = field_start + w;
  const size_t limit = field_end != std::string_view::npos ? field_end : position_ + w;
  return std::min(limit, text_.size());
}

bool DeckScanner::ScanInt(int width, int& value) {
  size_t field_end;
  const size_t limit = FieldLimit(width, field_end);
  const size_t start = position_;
  size_t at = start;
  if (at < limit && (text_[at] == '+' || text_[at] == '-')) ++at;
  const size_t digits = at;
  while (at < limit && IsDigit(text_[at])) ++at;
  if (at == digits) return false;
  value = AtoI(text_.substr(start, at - start));
  Took(at, field_end);
  return true;
}

bool DeckScanner::ScanDouble(int width, double& value) {
  size_t field_end;
  const size_t limit = FieldLimit(width, field_end);
  const size_t start = position_;
  // The longest prefix of the field that reads as a decimal number.
  size_t at = start;
  if (at < limit && (text_[at] == '+' || text_[at] == '-')) ++at;
  // Infinities and NaNs as the writer prints them for values beyond the double range (looked
  // for only where a letter starts the number: nearly every field starts with a digit).
  const char lead = at < limit ? static_cast<char>(text_[at] | 0x20) : '\0';
  for (std::string_view word : {"infinity", "inf", "nan"}) {
    if (lead == word[0] && at + word.size() <= limit) {
      bool same = true;
      for (size_t i = 0; i < word.size() && same; ++i) {
        same = std::tolower(static_cast<unsigned char>(text_[at + i])) == word[i];
      }
      if (same) {
        value = AtoF(text_.substr(start, at + word.size() - start));
        Took(at + word.size(), field_end);
        return true;
      }
    }
  }
  size_t mantissa = 0;
  while (at < limit && IsDigit(text_[at])) ++at, ++mantissa;
  if (at < limit && text_[at] == '.') {
    ++at;
    while (at < limit && IsDigit(text_[at])) ++at, ++mantissa;
  }
  if (mantissa == 0) return false;
  if (at < limit && (text_[at] == 'e' || text_[at] == 'E')) {
    size_t exponent = at + 1;
    if (exponent < limit && (text_[exponent] == '+' || text_[exponent] == '-')) ++exponent;
    if (exponent < limit && IsDigit(text_[exponent])) {
      while (exponent < limit && IsDigit(text_[exponent])) ++exponent;
      at = exponent;
    }
  }
  value = AtoF(text_.substr(start, at - start));
  Took(at, field_end);
  return true;
}

bool DeckScanner::ScanWord(int width, std::string& value) {
  size_t field_end;
  const size_t limit = FieldLimit(width, field_end);
  const size_t start = position_;
  size_t at = start;
  while (at < limit && !IsSpace(text_[at])) ++at;
  if (at == start) return false;
  value.assign(text_.substr(start, at - start));
  Took(at, field_end);
  return true;
}

bool DeckScanner::ScanName(int width, std::string& value) {
  // A line whose rest is blank holds no more fields: the name starts the next line.
  for (;;) {
    size_t at = position_;
    while (at < text_.size() && text_[at] != '\n' && IsSpace(text_[at])) ++at;
    if (at >= text_.size() || text_[at] != '\n') break;
    position_ = at + 1;
  }
  if (AtEnd()) return false;
  size_t end = position_;
  const size_t limit = std::min(text_.size(), position_ + static_cast<size_t>(width));
  while (end < limit && text_[end] != '\n' && text_[end] != '\r') ++end;
  value = std::string(Trim(text_.substr(position_, end - position_)));
  position_ = end;
  at_field_start_ = true;
  return true;
}

bool DeckScanner::ScanChars(int count, std::string& value) {
  const size_t end = position_ + static_cast<size_t>(count);
  if (end > text_.size()) return false;
  const std::string_view chars = text_.substr(position_, static_cast<size_t>(count));
  if (chars.find('\n') != std::string_view::npos) return false;
  value.assign(chars);
  position_ = end;
  at_field_start_ = true;
  return true;
}

int DeckScanner::LineNumber() const {
  const size_t upto = std::min(position_, text_.size());
  return 1 +
         static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<long>(upto), '\n'));
}

std::string_view ColumnsFrom(std::string_view line, int first) {
  const size_t start = static_cast<size_t>(first - 1);
  return start < line.size() ? line.substr(start) : std::string_view{};
}

std::string ColumnText(std::string_view line, int first, int width) {
  return std::string(ColumnsFrom(line, first).substr(0, static_cast<size_t>(width)));
}

int ColumnInt(std::string_view line, int first, int width) {
  return AtoI(ColumnsFrom(line, first).substr(0, static_cast<size_t>(width)));
}

double ColumnReal(std::string_view line, int first, int width) {
  return AtoF(ColumnsFrom(line, first).substr(0, static_cast<size_t>(width)));
}

}  // namespace orvo
