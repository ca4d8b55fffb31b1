// Cutting blanks off the ends of text read from files, program output and typed lists. Each
// reader says which characters count as blank where it matters (a typed list keeps its line
// breaks, so that they can be refused); by default, every ASCII white space character.
#pragma once

#include <string_view>

namespace orvo {

inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view TrimRight(std::string_view text, std::string_view blanks = kWhiteSpace);
std::string_view Trim(std::string_view text, std::string_view blanks = kWhiteSpace);

}  // namespace orvo
