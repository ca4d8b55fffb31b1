// Group G (segment parameters): one global value and name per parameter slot; the
// per-segment values live on the segment nodes as label/value pairs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/archive.h"
#include "model/model_vocabulary.h"
#include "model/string_array.h"

namespace orvo {

class GroupGDlg {
 public:
  static constexpr uint16_t kCookie = 0x1006;
  static constexpr int kSlots = 32;

  std::string title;
  int slot_count = 0;                   // rows of the simulation type's segment-parameter table
  std::array<double, kSlots> values{};  // global value; a parameter is used when above 0
  std::array<std::string, kSlots> names;

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);

  // Only while the count is still 0.
  void SetSlotCountFromType(SimulationType simtyp);
  // Table names for the type's slots, empty past the table.
  void RestoreDefaultNames(SimulationType simtyp);

  // The per-segment record of a new segment: label, value for each of the 32 slots.
  static StringArray DefaultSegmentRecord(SimulationType simtyp);
};

}  // namespace orvo
