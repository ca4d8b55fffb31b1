#include "real_scan.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "model/number_text.h"

namespace orvo {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Powers of ten that doubles hold exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of model output ("1.234E+00"): a short mantissa and a small exponent give
// the correctly rounded value with one multiplication or division. false leaves the number to
// the general parser.
inline __attribute__((always_inline)) bool FastReal(const char*& p, const char* end, bool negative,
                                                    double& value) {
  const char* q = p;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  while (q != end && IsDigit(*q)) {
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(*q - '0');
    ++digits;
    ++q;
  }
  bool any_digit = digits > 0;
  if (q != end && *q == '.') {
    ++q;
    while (q != end && IsDigit(*q)) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*q - '0');
      ++digits;
      --exponent;
      ++q;
    }
    any_digit = any_digit || digits > 0;
  }
  if (!any_digit || digits > 19) return false;
  if (q != end && (*q == 'e' || *q == 'E')) {
    const char* r = q + 1;
    bool exponent_negative = false;
    if (r != end && (*r == '+' || *r == '-')) {
      exponent_negative = *r == '-';
      ++r;
    }
    if (r != end && IsDigit(*r)) {
      int written = 0;
      int exponent_digits = 0;
      while (r != end && IsDigit(*r)) {
        written = written * 10 + (*r - '0');
        if (++exponent_digits > 4) return false;
        ++r;
      }
      exponent += exponent_negative ? -written : written;
      q = r;
    }
  }
  // The digits and the power of ten are both exact doubles here, so one multiplication or
  // division gives the correctly rounded value. Text right after the
  // number ("0x10", "1.0d0") is left for the caller, as std::from_chars leaves it.
  if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
  double result = static_cast<double>(mantissa);
  result = exponent < 0 ? result / kExactPowers[-exponent] : result * kExactPowers[exponent];
  value = negative ? -result : result;
  p = q;
  return true;
}

// Inlined into the six-value scan, which runs for every value line of an output file.
inline __attribute__((always_inline)) bool ScanRealInline(const char*& p, const char* end,
                                                          double& value) {
  while (p != end && IsBlankChar(*p)) ++p;
  bool negative = false;
  const char* start = p;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (FastReal(p, end, negative, value)) return true;
  // from_chars takes no '+' and no sign after it.
  if (p != end && (*p == '+' || *p == '-')) return false;
  double result = 0;
  const std::from_chars_result parsed = std::from_chars(p, end, result);
  if (parsed.ec == std::errc::invalid_argument) return false;
  if (parsed.ec == std::errc::result_out_of_range) {
    // Overflow gives an infinity and underflow zero, as strtod does.
    value = AtoF(std::string_view(start, static_cast<std::size_t>(parsed.ptr - start)));
  } else {
    value = negative ? -result : result;
  }
  p = parsed.ptr;
  return true;
}

}  // namespace

bool ScanInt(const char*& p, const char* end, long long& value) {
  while (p != end && IsBlankChar(*p)) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  if (p == end || !IsDigit(*p)) return false;
  long long result = 0;
  constexpr long long kLimit = std::numeric_limits<long long>::max() / 10;
  for (; p != end && IsDigit(*p); ++p) {
    const int digit = *p - '0';
    result = result > kLimit || (result == kLimit && digit > 7)
                 ? std::numeric_limits<long long>::max()
                 : result * 10 + digit;
  }
  value = negative ? -result : result;
  return true;
}

bool ScanReal(const char*& p, const char* end, double& value) {
  return ScanRealInline(p, end, value);
}

bool ScanSixReals(std::string_view line, double (&values)[6]) {
  const char* p = line.data();
  const char* end = p + line.size();
  for (double& value : values) {
    if (!ScanRealInline(p, end, value)) return false;
  }
  return true;
}

}  // namespace orvo
