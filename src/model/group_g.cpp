#include "model/group_g.h"

#include <algorithm>
#include <vector>

#include "model/model_vocabulary.h"

namespace orvo {
namespace {

std::string TableName(SimulationType simtyp, int slot) {
  const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
  return row != nullptr ? row->name : "";
}

}  // namespace

void GroupGDlg::Serialize(ArchiveWriter& ar) const {
  const int count = std::clamp(slot_count, 0, kSlots);
  ar.U16(kCookie);
  ar.String(title);
  ar.I32(count);
  for (size_t slot = 0; slot < static_cast<size_t>(count); ++slot) {
    ar.F64(values[slot]);
    ar.String(names[slot]);
  }
}

bool GroupGDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group G from archive (bad cookie).");
    return false;
  }
  title = ar.String();
  const int count = ar.I32();
  if (!ar.ok()) return false;
  if (count < 0 || count > kSlots) {
    ar.Fail("Error reading group G from archive (bad slot count).");
    return false;
  }
  slot_count = count;
  for (size_t slot = 0; slot < static_cast<size_t>(count); ++slot) {
    values[slot] = ar.F64();
    names[slot] = ar.String();
  }
  return ar.ok();
}

void GroupGDlg::SetSlotCountFromType(SimulationType simtyp) {
  if (slot_count == 0) slot_count = vocabulary::SegmentParameterCount(simtyp);
}

void GroupGDlg::RestoreDefaultNames(SimulationType simtyp) {
  for (int slot = 0; slot < kSlots; ++slot)
    names[static_cast<size_t>(slot)] = TableName(simtyp, slot);
}

StringArray GroupGDlg::DefaultSegmentRecord(SimulationType simtyp) {
  std::vector<std::string> pairs;
  pairs.reserve(2 * kSlots);
  for (int slot = 0; slot < kSlots; ++slot) {
    pairs.push_back(TableName(simtyp, slot));
    pairs.push_back("0");
  }
  return StringArray(std::move(pairs));
}

}  // namespace orvo
