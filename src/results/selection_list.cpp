#include "results/selection_list.h"

#include "model/number_text.h"

namespace orvo {
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    items.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

std::optional<std::vector<int>> ParseNumberList(const std::string& list, int count) {
  std::vector<int> numbers;
  for (const std::string& item : SplitList(list)) {
    const std::size_t dash = item.find('-', 1);
    const std::string first_text = item.substr(0, dash);
    const std::string last_text = dash == std::string::npos ? first_text : item.substr(dash + 1);
    const auto is_number = [](const std::string& text) {
      return !text.empty() && text.size() < 10 &&
             text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!is_number(first_text) || !is_number(last_text)) return std::nullopt;
    const int first = AtoI(first_text);
    const int last = AtoI(last_text);
    if (first < 1 || last < first || last > count) return std::nullopt;
    for (int n = first; n <= last; ++n) numbers.push_back(n - 1);
  }
  return numbers;
}

std::optional<std::vector<int>> ParseLabelList(const std::string& list,
                                               const std::vector<std::string>& labels,
                                               std::string& unknown) {
  std::vector<int> positions;
  for (const std::string& label : SplitList(list)) {
    std::size_t index = 0;
    while (index < labels.size() && labels[index] != label) ++index;
    if (index == labels.size()) {
      unknown = label;
      return std::nullopt;
    }
    positions.push_back(static_cast<int>(index));
  }
  return positions;
}

std::vector<int> AllPositions(int count) {
  std::vector<int> all;
  for (int i = 0; i < count; ++i) all.push_back(i);
  return all;
}

}  // namespace orvo
