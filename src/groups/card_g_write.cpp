#include <algorithm>
#include <string_view>

#include "groups/cards.h"
#include "groups/group_e.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo::group_g {
namespace {

struct UsedSlot {
  size_t slot;
  int isc;
};

// The type's slots whose global value is above 0, in slot order; slots past the type's
// table carry no number and are never written.
std::vector<UsedSlot> UsedSlots(const COrvoBuilderDoc& doc) {
  const SimulationType simtyp = doc.group_a.SIMTYP;
  const int count = std::min(
      {doc.group_g.slot_count, vocabulary::SegmentParameterCount(simtyp), GroupGDlg::kSlots});
  std::vector<UsedSlot> used;
  for (int slot = 0; slot < count; ++slot) {
    const size_t at = static_cast<size_t>(slot);
    if (!(doc.group_g.values[at] > 0.0)) continue;
    const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
    used.push_back({at, row != nullptr ? AtoI(row->number) : 0});
  }
  return used;
}

// "%5s%5d" and the value; four entries to a line, the last line ended too.
void WriteEntry(DeckOut& out, std::string_view name, int isc, double value, size_t index,
                size_t count) {
  out.Name(name, 5);
  out.Int(isc, 5, "ISC");
  out.Real(value);
  if (index % 4 == 3 || index + 1 == count) out.EndLine();
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const std::vector<UsedSlot> used = UsedSlots(doc);
  out.Int(static_cast<long long>(used.size()), 10, "NOPAM");
  out.Line(doc.group_g.title);
  if (!out.ok()) return false;
  for (size_t i = 0; i < used.size(); ++i) {
    WriteEntry(out, doc.group_g.names[used[i].slot], used[i].isc, doc.group_g.values[used[i].slot],
               i, used.size());
  }
  if (!used.empty()) {
    const std::vector<bool> targets = variation != nullptr
                                          ? group_e::TargetFlags(*variation, doc.group_a.NOSEG)
                                          : std::vector<bool>();
    const std::vector<const COrvoBuilderCntrItem*> by_id = SegmentsById(doc);
    // Only the used slots' pairs are read from each segment's record.
    size_t pairs_read = 0;
    for (const UsedSlot& slot : used) pairs_read = std::max(pairs_read, slot.slot + 1);
    StringArrayView record;
    for (size_t index = 0; index < by_id.size(); ++index) {
      if (by_id[index] == nullptr) continue;
      const int segment_id = static_cast<int>(index) + 1;
      out.Int(segment_id, 10, "Segment ID");
      out.EndLine();
      record.ResetFirst(by_id[index]->segment()->group_g, 2 * pairs_read);
      const bool varied = variation != nullptr && targets[static_cast<size_t>(segment_id)];
      for (size_t i = 0; i < used.size(); ++i) {
        const size_t slot = used[i].slot;
        double value = AtoF(record.At(2 * slot + 1));
        if (varied && variation->item == static_cast<int>(slot)) value = variation->Apply(value);
        WriteEntry(out, record.At(2 * slot), used[i].isc, value, i, used.size());
      }
      if (!out.ok()) return false;
    }
  }
  if (variation != nullptr) variation->AppendNote();
  return true;
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  if (UsedSlots(doc).empty())
    findings.push_back("Group G: Warning: No parameters defined (NOPAM).");
}

std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  if (!node.is_segment() || node.segment() == nullptr) return "Wrong Segment Type";
  const StringArray record(node.segment()->group_g);
  // Pairs past the type's table have no names by design, so only the type's slots count.
  const size_t slots =
      std::min(static_cast<size_t>(std::clamp(doc.group_g.slot_count, 0, GroupGDlg::kSlots)),
               record.size() / 2);
  for (size_t slot = 0; slot < slots; ++slot) {
    const std::string name = record.At(2 * slot);
    if (name.find_first_not_of(" \t") == std::string::npos)
      return "No parameter name given for param no. " + IntText(static_cast<long long>(slot) + 1);
  }
  std::string zeros;
  for (size_t slot = 0; slot < slots; ++slot) {
    if (AtoF(record.At(2 * slot + 1)) == 0.0) zeros += IntText(static_cast<long long>(slot)) + " ";
  }
  if (!zeros.empty()) return "Parameters with zero values: " + zeros;
  return "All parameters initialized.";
}

}  // namespace orvo::group_g
