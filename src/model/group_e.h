// Group E: the per-system settings of the boundary concentrations of card E. The boundary
// time functions themselves live on the segments.
#pragma once

#include <array>
#include <cstdint>

#include "archive.h"
#include "string_array.h"

namespace orvo {

class GroupEDlg {
 public:
  static constexpr uint16_t kCookie = 0x1004;
  static constexpr int kSystemSlots = 8;

  // Slot k describes system k+1: SCALB, CONVB, units (shown only), title.
  std::array<StringArray, kSystemSlots> systems;

  // Gives every empty slot below nosys (at most eight) its default settings.
  void ApplyDefaults(int nosys);

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);
};

}  // namespace orvo
