// Card G (segment parameters) from a deck.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "deck/deck_reading.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo {
namespace {

// Slot of each parameter number of a simulation type's table (the first slot where a number
// repeats).
class SlotTable {
 public:
  explicit SlotTable(SimulationType simtyp) {
    const int count = std::min(vocabulary::SegmentParameterCount(simtyp), GroupGDlg::kSlots);
    for (int slot = 0; slot < count; ++slot) {
      const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
      if (row != nullptr) slots_.try_emplace(row->number, static_cast<size_t>(slot));
    }
  }
  // -1 when no slot has the number.
  int Find(int isc) const {
    const auto found = slots_.find(IntText(isc));
    return found == slots_.end() ? -1 : static_cast<int>(found->second);
  }

 private:
  std::unordered_map<std::string, size_t> slots_;
};

// "%5s%5d%10lg" entries, the rest of the line skipped after every fourth and after the last.
// The name is read by its five columns: vocabulary names such as "FOC 1" hold a blank.
bool ParseEntries(DeckScanner& in, int count, std::vector<ParameterEntry>& entries,
                  Platform& platform) {
  for (int i = 0; i < count; ++i) {
    ParameterEntry entry;
    if (!in.ScanName(5, entry.name) || !in.ScanInt(5, entry.isc) ||
        !in.ScanDouble(10, entry.value)) {
      platform.ShowMessage("ReadGroupG: parse error reading record 2");
      return false;
    }
    entries.push_back(std::move(entry));
    if ((i % 4 == 3 || i + 1 == count) && !in.SkipRestOfLine()) {
      platform.ShowMessage("ReadGroupG: EOF reading record 2.");
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseCardG(DeckScanner& in, const DeckShape& shape, CardGRecord& card, Platform& platform) {
  std::string line;
  if (!in.ReadLine(line)) {
    platform.ShowMessage("ReadGroupG: EOF reading record 1");
    return false;
  }
  CardGRecord read;
  const int nopam = ColumnInt(line, 1, 10);
  read.title = TrimRight(ColumnsFrom(line, 11));
  // Without parameters the writer stops after record 1: no segment lines follow.
  if (nopam > 0) {
    if (!ParseEntries(in, nopam, read.parameters, platform)) return false;
    for (int i = 0; i < shape.NOSEG; ++i) {
      if (!in.ReadLine(line)) {
        platform.ShowMessage("ReadGroupG: EOF reading record 3.");
        return false;
      }
      CardGRecord::Segment segment;
      segment.ISEG = ColumnInt(line, 1, 10);
      if (!ParseEntries(in, nopam, segment.parameters, platform)) return false;
      read.segments.push_back(std::move(segment));
    }
  }
  card = std::move(read);
  return true;
}

namespace group_g {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  const SimulationType simtyp = doc.group_a.SIMTYP;
  GroupGDlg& g = doc.group_g;
  g.values.fill(0.0);
  g.title = deck.g.title;
  g.slot_count = vocabulary::SegmentParameterCount(simtyp);
  const SlotTable table(simtyp);
  for (const ParameterEntry& entry : deck.g.parameters) {
    const int slot = table.Find(entry.isc);
    if (slot < 0) continue;
    g.values[static_cast<size_t>(slot)] = entry.value;
    g.names[static_cast<size_t>(slot)] = entry.name;
  }
}

}  // namespace group_g

bool ReadGroupG(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardGRecord card;
  if (!ParseCardG(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  // Slots follow the project's simulation type, whatever program wrote the deck.
  const SimulationType simtyp = doc.group_a.SIMTYP;
  const SlotTable table(simtyp);
  GroupGDlg& g = doc.group_g;
  g.title = card.title;
  g.slot_count = vocabulary::SegmentParameterCount(simtyp);
  g.names.fill(std::string());
  g.values.fill(0.0);
  for (const ParameterEntry& entry : card.parameters) {
    const int slot = table.Find(entry.isc);
    if (slot < 0) continue;
    g.names[static_cast<size_t>(slot)] = entry.name;
    g.values[static_cast<size_t>(slot)] = entry.value;
  }

  std::vector<std::string> cleared;
  for (int slot = 0; slot < GroupGDlg::kSlots; ++slot) {
    cleared.emplace_back();
    cleared.emplace_back("0.0");
  }
  // Each segment's record is built once, from every record 3 that names it.
  std::unordered_map<COrvoBuilderCntrItem*, std::vector<std::string>> records;
  bool missing = false;
  for (const CardGRecord::Segment& segment : card.segments) {
    COrvoBuilderCntrItem* node = doc.GetSegmentNode(segment.ISEG);
    if (node == nullptr) {
      missing = true;
      continue;
    }
    std::vector<std::string>& pairs = records.try_emplace(node, cleared).first->second;
    for (const ParameterEntry& entry : segment.parameters) {
      const int slot = table.Find(entry.isc);
      if (slot < 0) continue;
      pairs[2 * static_cast<size_t>(slot)] = entry.name;
      pairs[2 * static_cast<size_t>(slot) + 1] = RealText(entry.value);
    }
  }
  const std::string cleared_text = StringArray(cleared).ToString();
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    const auto found = records.find(node.get());
    node->SetParameter(
        12, found == records.end() ? cleared_text : StringArray(found->second).ToString());
  }
  if (missing) {
    doc.platform().ShowMessage(
        "ReadGroupG: Warning: at least one segment in the input was not found in network.");
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
