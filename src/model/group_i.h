// Group I (kinetic time functions): one function per row of the simulation type's
// time-function table, as numbers joined by single blanks (value, time, value, time ...).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/archive.h"
#include "model/model_vocabulary.h"

namespace orvo {

class GroupIDlg {
 public:
  static constexpr uint16_t kCookie = 0x1008;
  static constexpr int kSlots = 32;

  std::string title;
  int slot_count = 0;  // rows of the simulation type's time-function table
  std::array<std::string, kSlots> functions;
  std::array<std::string, kSlots> names;  // ANAME; not kept in the project file

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);

  void SetSlotCountFromType(SimulationType simtyp);
  // Table names for the type's slots, empty past the table.
  void RestoreDefaultNames(SimulationType simtyp);
};

}  // namespace orvo
