// The lists' selections as command lines give them: "3,5-7" for numbered entries, run labels
// ("Base,0,2") for runs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvo {

// "3,5-7" -> 3, 5, 6, 7 (1-based, as the lists show them), each within 1..count; as 0-based
// positions. nullopt for anything else.
std::optional<std::vector<int>> ParseNumberList(const std::string& list, int count);

// "Base,2" -> the positions of those labels in labels; nullopt with the first unknown label in
// unknown.
std::optional<std::vector<int>> ParseLabelList(const std::string& list,
                                               const std::vector<std::string>& labels,
                                               std::string& unknown);

// "a,b,,c" -> "a", "b", "", "c"; "" -> one empty item.
std::vector<std::string> SplitList(const std::string& list);

// 0, 1, ..., count - 1.
std::vector<int> AllPositions(int count);

}  // namespace orvo
