// The stored texts of exchange and segment records, and small networks of a few segments and
// exchanges, shared by the card writer, card reader and command tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/project_document.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo::testing {

using TextList = std::vector<std::string>;

inline std::string ArrayText(const TextList& elements) {
  return StringArray(elements).ToString();
}

// Exchange parameter 7: one (area, length) entry per exchange function.
inline std::string Entries(const std::vector<std::pair<std::string, std::string>>& pairs) {
  TextList entries;
  for (const auto& [area, length] : pairs) entries.push_back(ArrayText({area, length}));
  return ArrayText(entries);
}

// An exchange's entries as "area length" texts.
inline TextList EntryTexts(const COrvoBuilderCntrItem* node) {
  TextList texts;
  const StringArray entries(node->GetParameter(7));
  for (const std::string& entry : entries.GetList()) texts.push_back(StringArray(entry).Join(' '));
  return texts;
}

// `count` segments of type 0 in a row, with IDs 1 to `count`.
inline std::vector<COrvoBuilderCntrItem*> AddSegments(COrvoBuilderDoc& doc, int count) {
  std::vector<COrvoBuilderCntrItem*> segments;
  for (int i = 0; i < count; ++i) segments.push_back(AddSegmentWithLabel(doc, 80 * (i + 1), 80));
  return segments;
}

// Exchanges by the IDs of their ends, in this order; an end 0 lies outside the model and
// makes an inflow or outflow.
inline std::vector<COrvoBuilderCntrItem*> AddExchanges(
    COrvoBuilderDoc& doc, const std::vector<std::pair<int, int>>& ends) {
  std::vector<COrvoBuilderCntrItem*> exchanges;
  for (const auto& [up, down] : ends) {
    const ExchangeMode mode = up == 0 ? kInflow : down == 0 ? kOutflow : kInterface;
    exchanges.push_back(doc.AddExchange(up == 0 ? nullptr : doc.GetSegmentNode(up),
                                        down == 0 ? nullptr : doc.GetSegmentNode(down), mode));
  }
  return exchanges;
}

}  // namespace orvo::testing
