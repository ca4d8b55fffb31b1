#include "number_text.h"

#include "model/number_syntax.h"

#include <locale.h>

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace orvo {
namespace {

locale_t CLocale() {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c_locale;
}

// Switches the calling thread to the C locale for its lifetime.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(CLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t previous_;
};

}  // namespace

std::string CFormat(const char* format, ...) {
  CLocaleScope scope;
  char small[128];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (needed < 0) {
    va_end(again);
    return out;
  }
  if (static_cast<size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<size_t>(needed));
  } else {
    out.resize(static_cast<size_t>(needed) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<size_t>(needed));
  }
  va_end(again);
  return out;
}

// to_chars is locale-independent by definition and, given a precision, prints exactly what
// printf's "%.6g" (that is, "%g") prints in the C locale, without printf's cost.
std::string IntText(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string RealText(double value) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

int AtoI(std::string_view text) {
  size_t i = 0;
  // A digit, as nearly every text starts, is no blank: the locale need not be asked.
  while (i < text.size() && (text[i] < '0' || text[i] > '9') &&
         std::isspace(static_cast<unsigned char>(text[i]))) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

double AtoF(std::string_view text) {
  // strtod needs a terminated string; after the blanks a number never needs 511 characters.
  size_t start = 0;
  // Printable characters need not ask the locale whether they are blanks.
  while (start < text.size() &&
         (text[start] == ' ' || ((text[start] <= ' ' || text[start] >= 0x7F) &&
                                 std::isspace(static_cast<unsigned char>(text[start]))))) {
    ++start;
  }
  text.remove_prefix(start);
  // Plain decimal numbers, nearly all there are, convert without a terminated copy: both
  // conversions round correctly. Hexadecimal, signs, infinities and out-of-range values go
  // through strtod.
  const auto digit = [&text](size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
  };
  if (digit(0) || ((text.size() > 1 && (text[0] == '-' || text[0] == '.')) && digit(1))) {
    double value;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() &&
        (end == text.data() + text.size() || (*end != 'x' && *end != 'X'))) {
      return value;
    }
  }
  char buffer[512];
  const size_t n = text.size() < sizeof buffer - 1 ? text.size() : sizeof buffer - 1;
  text.copy(buffer, n);
  buffer[n] = '\0';
  return strtod_l(buffer, nullptr, CLocale());
}

bool IsNumberText(std::string_view text, bool integer_only) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  size_t i = 0;
  const auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (!integer_only && i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (!integer_only && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

bool IsNumberListText(std::string_view text, bool integer_only) {
  const std::string_view separators = " ,\t\r\n";
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && separators.find(text[i]) != std::string_view::npos) ++i;
    if (i >= text.size()) break;
    size_t end = i;
    while (end < text.size() && separators.find(text[end]) == std::string_view::npos) ++end;
    if (!IsNumberText(text.substr(i, end - i), integer_only)) return false;
    i = end;
  }
  return true;
}

}  // namespace orvo
