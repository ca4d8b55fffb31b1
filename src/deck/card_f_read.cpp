// Card F (waste loads) from a deck.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "deck/deck_reading.h"
#include "deck/segment_functions.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo {
namespace {

constexpr const char* kNonpointFilter = "Nonpoint source files (*.*)|*.*|All Files (*.*)|*.*||";

// Segment nodes by segment ID, node-list order among equal IDs: setting their group F values
// in this order appends to the load lists instead of inserting into them.
std::vector<COrvoBuilderCntrItem*> SegmentNodesInIdOrder(const COrvoBuilderDoc& doc) {
  std::vector<COrvoBuilderCntrItem*> segments;
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) segments.push_back(node.get());
  }
  std::stable_sort(segments.begin(), segments.end(),
                   [](const COrvoBuilderCntrItem* a, const COrvoBuilderCntrItem* b) {
                     return a->segment()->segment_id < b->segment()->segment_id;
                   });
  return segments;
}

}  // namespace

bool ParseCardF(DeckScanner& in, const DeckShape& shape, CardFRecord& card, Platform& platform) {
  std::vector<segment_functions::SystemBlock> systems;
  if (!segment_functions::ParseSystems(in, shape, "ReadGroupF", true, systems, platform)) {
    return false;
  }
  std::string line;
  if (!in.ReadLine(line)) {
    platform.ShowMessage("ReadGroupF: EOF reading record 5");
    return false;
  }
  card.systems.clear();
  for (segment_functions::SystemBlock& block : systems) {
    card.systems.push_back(
        {std::move(block.title), block.scale, block.conversion, std::move(block.functions)});
  }
  card.nonpoint_source = ColumnInt(line, 1, 10) != 0;
  return true;
}

namespace group_f {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  const size_t from_deck =
      std::min(deck.f.systems.size(), static_cast<size_t>(segment_functions::kMaxSystems));
  for (size_t k = 0; k < from_deck; ++k) {
    const CardFRecord::System& system = deck.f.systems[k];
    // Load records by segment index; a segment listed twice keeps both, in deck order.
    std::vector<std::pair<long long, std::string>> loads;
    for (const SegmentFunction& load : system.loads) {
      loads.emplace_back(static_cast<long long>(load.segment) - 1,
                         segment_functions::FunctionText(load.breaks));
    }
    std::stable_sort(loads.begin(), loads.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> list;
    list.reserve(loads.size());
    for (auto& [index, function] : loads) {
      list.push_back(StringArray{IntText(index), std::move(function)}.ToString());
    }
    StringArray slot{RealText(system.SCALW), RealText(system.CONVW), "kg/day", system.title};
    slot.SetList(StringArray(std::move(list)), GroupFDlg::kLoadList);
    doc.group_f.SetSlot(static_cast<int>(k), slot);
  }
  const int project = segment_functions::ProjectSystems(doc);
  for (int k = static_cast<int>(from_deck); k < project; ++k) {
    doc.group_f.SetSlot(k, StringArray());
    doc.group_f.ApplyDefaultsToSlot(k);
  }
  doc.group_f.nonpoint_file = deck.f.nonpoint_file;
}

}  // namespace group_f

bool ReadGroupF(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardFRecord card;
  if (!ParseCardF(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  const size_t project = static_cast<size_t>(segment_functions::ProjectSystems(doc));
  const std::vector<COrvoBuilderCntrItem*> segments = SegmentNodesInIdOrder(doc);
  // Setting a segment's value copies its functions, empty ones too, into the load lists.
  if (!card.systems.empty()) {
    const std::string cleared = StringArray(std::vector<std::string>(project)).ToString();
    for (COrvoBuilderCntrItem* node : segments) node->SetParameter(segment_param::kGroupF, cleared);
  }
  std::vector<const std::vector<SegmentFunction>*> functions;
  for (const CardFRecord::System& system : card.systems) functions.push_back(&system.loads);
  bool missing = false;
  const segment_functions::SegmentRecords records =
      segment_functions::BuildSegmentRecords(doc, functions, project, missing);
  // Read system by system, a segment is set again for every system that lists it, and each
  // system's list starts afresh: the list of system K ends up with the segments listed in K
  // or a later system. Each segment is set once here and the lists are rebuilt to match.
  std::unordered_map<const COrvoBuilderCntrItem*, size_t> last_system;
  for (size_t k = 0; k < card.systems.size(); ++k) {
    for (const SegmentFunction& load : card.systems[k].loads) {
      const COrvoBuilderCntrItem* node = doc.GetSegmentNode(load.segment);
      if (node != nullptr) last_system[node] = k;
    }
  }
  for (COrvoBuilderCntrItem* node : segments) {
    const auto found = records.find(node);
    if (found != records.end())
      node->SetParameter(segment_param::kGroupF, StringArray(found->second).ToString());
  }
  for (size_t k = 0; k < card.systems.size(); ++k) {
    const CardFRecord::System& system = card.systems[k];
    const int slot = static_cast<int>(k);
    doc.group_f.SetSlot(slot, StringArray());
    doc.group_f.ApplyDefaultsToSlot(slot);
    doc.group_f.SetEntry(slot, GroupFDlg::kTitle, system.title);
    // Record 2 was read when NWKS was not 0; without it the factors are 0 and the defaults
    // already say so.
    if (!system.loads.empty() || system.SCALW != 0.0 || system.CONVW != 0.0) {
      doc.group_f.SetEntry(slot, GroupFDlg::kScalw, RealText(system.SCALW));
      doc.group_f.SetEntry(slot, GroupFDlg::kConvw, RealText(system.CONVW));
    }
  }
  // System by system (the systems' lists are independent), each in one pass.
  std::vector<std::vector<GroupFDlg::LoadUpdate>> updates(card.systems.size());
  for (COrvoBuilderCntrItem* node : segments) {
    const auto found = records.find(node);
    if (found == records.end()) continue;
    const int index = node->segment()->segment_id - 1;
    const size_t last = last_system.at(node);
    for (size_t k = 0; k <= last; ++k) {
      updates[k].push_back(
          {index, k < found->second.size() ? std::string_view(found->second[k]) : ""});
    }
  }
  for (size_t k = 0; k < updates.size(); ++k) {
    doc.group_f.UpdateLoadLists(static_cast<int>(k), updates[k]);
  }
  if (missing) {
    doc.platform().ShowMessage(
        "ReadGroupF: Warning: at least one segment in the input was not found in network.");
  }

  if (card.nonpoint_source) {
    doc.group_f.nonpoint_file = doc.platform().ChooseOpenFile(kNonpointFilter).value_or("");
  } else {
    doc.group_f.nonpoint_file.clear();
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
