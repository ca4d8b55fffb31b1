// Number text as the system keeps it: "%d" and "%g" out, leading-number parsing in.
// Everything here uses the C locale whatever the process locale is, so a
// comma-decimal desktop locale never leaks "1,5" into a deck or a project.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

// printf into a std::string under the C locale.
std::string CFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string IntText(long long value);  // "%d"
std::string RealText(double value);    // "%g"

// atoi / atof: leading blanks skipped, the longest leading number taken, 0 when none.
// AtoI saturates instead of overflowing.
int AtoI(std::string_view text);
double AtoF(std::string_view text);

}  // namespace orvo
