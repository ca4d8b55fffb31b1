// Number scanning for the output reader with the C library's "%d" and "%lf" rules (blanks
// skipped, a leading number taken), independent of the locale and without allocating.
#pragma once

#include <string_view>

namespace orvo {

inline bool IsBlankChar(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Each advances p past the number on success; p is unspecified on failure.
bool ScanInt(const char*& p, const char* end, long long& value);
bool ScanReal(const char*& p, const char* end, double& value);
// "%lf %lf %lf %lf %lf %lf": true when six reals were read (anything after them is ignored).
bool ScanSixReals(std::string_view line, double (&values)[6]);

}  // namespace orvo
