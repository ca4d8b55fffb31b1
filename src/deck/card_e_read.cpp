// Card E (boundary concentrations) from a deck, and the helpers card F shares with it.
#include "deck/segment_functions.h"

#include <algorithm>
#include <utility>

#include "deck/deck_reading.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo {
namespace segment_functions {

bool ParseSystems(DeckScanner& in, const DeckShape& shape, const std::string& group,
                  bool record2_unless_zero, std::vector<SystemBlock>& systems, Platform& platform) {
  if (shape.NOSYS < 0 || shape.NOSYS > kMaxSystems) {
    platform.ShowMessage(group + ": the deck has NOSYS = " + IntText(shape.NOSYS) +
                         "; only 0 to 8 systems can be held.");
    return false;
  }
  std::string line;
  for (int k = 0; k < shape.NOSYS; ++k) {
    if (!in.ReadLine(line)) {
      platform.ShowMessage(group + ": EOF reading record 1");
      return false;
    }
    SystemBlock system;
    const int count = ColumnInt(line, 1, 10);
    system.title = TrimRight(ColumnsFrom(line, 11));
    if (!CheckStorableText(system.title, group, "the title of system " + IntText(k + 1),
                           platform)) {
      return false;
    }
    if (record2_unless_zero ? count != 0 : count > 0) {
      if (!in.ReadLine(line)) {
        platform.ShowMessage(group + ": EOF reading record 2");
        return false;
      }
      system.scale = ColumnReal(line, 1, 10);
      system.conversion = ColumnReal(line, 11, 10);
    }
    // One function per segment actually read: a huge count ends at the end of the text.
    for (int i = 0; i < count; ++i) {
      SegmentFunction function;
      if (!in.ScanInt(5, function.segment) || !ScanTimeFunction(in, function.breaks)) {
        platform.ShowMessage(group + ": parse error reading record 3, system " + IntText(k));
        return false;
      }
      system.functions.push_back(std::move(function));
    }
    systems.push_back(std::move(system));
  }
  return true;
}

std::string FunctionText(const Breaks& breaks) {
  std::vector<std::string> numbers;
  numbers.reserve(breaks.size());
  for (double number : breaks) numbers.push_back(RealText(number));
  return StringArray(std::move(numbers)).ToString();
}

int ProjectSystems(const COrvoBuilderDoc& doc) {
  return std::clamp(doc.group_a.NOSYS, 0, kMaxSystems);
}

SegmentRecords BuildSegmentRecords(COrvoBuilderDoc& doc,
                                   const std::vector<const std::vector<SegmentFunction>*>& systems,
                                   size_t width, bool& missing) {
  SegmentRecords records;
  for (size_t k = 0; k < systems.size(); ++k) {
    for (const SegmentFunction& function : *systems[k]) {
      COrvoBuilderCntrItem* node = doc.GetSegmentNode(function.segment);
      if (node == nullptr) {
        missing = true;
        continue;
      }
      std::vector<std::string>& entries = records.try_emplace(node, width).first->second;
      if (entries.size() <= k) entries.resize(k + 1);
      entries[k] = FunctionText(function.breaks);
    }
  }
  return records;
}

}  // namespace segment_functions

bool ParseCardE(DeckScanner& in, const DeckShape& shape, CardERecord& card, Platform& platform) {
  std::vector<segment_functions::SystemBlock> systems;
  if (!segment_functions::ParseSystems(in, shape, "ReadGroupE", false, systems, platform)) {
    return false;
  }
  card.systems.clear();
  for (segment_functions::SystemBlock& block : systems) {
    card.systems.push_back(
        {std::move(block.title), block.scale, block.conversion, std::move(block.functions)});
  }
  return true;
}

namespace group_e {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  const size_t from_deck =
      std::min(deck.e.systems.size(), static_cast<size_t>(segment_functions::kMaxSystems));
  for (size_t k = 0; k < from_deck; ++k) {
    const CardERecord::System& system = deck.e.systems[k];
    doc.group_e.systems[k] =
        StringArray{RealText(system.SCALB), RealText(system.CONVB), "mg/L", system.title};
  }
  const size_t project = static_cast<size_t>(segment_functions::ProjectSystems(doc));
  for (size_t k = from_deck; k < project; ++k) {
    doc.group_e.systems[k] =
        StringArray{"1.0", "1.0", "mg/L", "Group E system #" + IntText(static_cast<int>(k) + 1)};
  }
}

}  // namespace group_e

bool ReadGroupE(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardERecord card;
  if (!ParseCardE(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  const size_t project = static_cast<size_t>(segment_functions::ProjectSystems(doc));
  for (size_t k = 0; k < project; ++k)
    doc.group_e.systems[k] = StringArray{"1.0", "1.0", "mg/L", ""};
  // The deck may have more systems than the project; their slots start from the same reset.
  std::vector<const std::vector<SegmentFunction>*> functions;
  for (size_t k = 0; k < card.systems.size(); ++k) {
    const CardERecord::System& system = card.systems[k];
    // Record 2 was read exactly when the system lists segments.
    const bool factors = !system.boundaries.empty();
    doc.group_e.systems[k] =
        StringArray{factors ? RealText(system.SCALB) : "1.0",
                    factors ? RealText(system.CONVB) : "1.0", "mg/L", system.title};
    functions.push_back(&system.boundaries);
  }

  bool missing = false;
  segment_functions::SegmentRecords records =
      segment_functions::BuildSegmentRecords(doc, functions, project, missing);
  const std::string cleared = StringArray(std::vector<std::string>(project)).ToString();
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    const auto found = records.find(node.get());
    node->SetParameter(segment_param::kGroupE,
                       found == records.end() ? cleared : StringArray(found->second).ToString());
  }
  if (missing) {
    doc.platform().ShowMessage(
        "ReadGroupE: Warning: at least one segment in the input was not found in network.");
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
