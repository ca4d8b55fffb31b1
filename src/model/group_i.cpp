#include "model/group_i.h"

#include <algorithm>

#include "model/model_vocabulary.h"

namespace orvo {

void GroupIDlg::Serialize(ArchiveWriter& ar) const {
  const int count = std::clamp(slot_count, 0, kSlots);
  ar.U16(kCookie);
  ar.String(title);
  ar.I32(count);
  for (size_t slot = 0; slot < static_cast<size_t>(count); ++slot) ar.String(functions[slot]);
}

bool GroupIDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group I from archive (bad cookie).");
    return false;
  }
  title = ar.String();
  const int count = ar.I32();
  if (!ar.ok()) return false;
  if (count < 0 || count > kSlots) {
    ar.Fail("Error reading group I from archive (bad slot count).");
    return false;
  }
  slot_count = count;
  for (size_t slot = 0; slot < static_cast<size_t>(count); ++slot) functions[slot] = ar.String();
  return ar.ok();
}

void GroupIDlg::SetSlotCountFromType(SimulationType simtyp) {
  slot_count = vocabulary::TimeFunctionCount(simtyp);
}

void GroupIDlg::RestoreDefaultNames(SimulationType simtyp) {
  for (int slot = 0; slot < kSlots; ++slot) {
    const TimeFunctionRow* row = slot < vocabulary::TimeFunctionCount(simtyp)
                                     ? vocabulary::TimeFunction(simtyp, slot)
                                     : nullptr;
    names[static_cast<size_t>(slot)] = row != nullptr ? row->name : "";
  }
}

}  // namespace orvo
