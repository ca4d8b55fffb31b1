// Whether a text is a number at all, as number fields need to know before they store what
// AtoF reads from it (which takes the leading number of "3x" and 0 from "abc").
#pragma once

#include <string_view>

namespace orvo {

// The whole text (blanks around it aside) is one number: a decimal with optional sign, point
// and exponent ("1.5", "-2e3"), or with integer_only a whole number.
bool IsNumberText(std::string_view text, bool integer_only = false);
// Every item of a list separated by blanks or commas is a number; an empty list is.
bool IsNumberListText(std::string_view text, bool integer_only = false);

}  // namespace orvo
