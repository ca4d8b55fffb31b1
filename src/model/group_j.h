// Group J (initial conditions): per-system settings and, per system, one row per segment
// (ANAME, C, DISSF) kept in segment order.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/archive.h"
#include "model/group_f.h"
#include "model/model_vocabulary.h"
#include "model/string_array.h"

namespace orvo {

class GroupJDlg {
 public:
  static constexpr uint16_t kCookie = 0x1009;
  static constexpr int kSystems = 8;
  // Slot entries.
  static constexpr size_t kCheml = 0, kIfield = 1, kDsed = 2, kCmax = 3, kTitle = 4,
                          kSegmentList = 5;

  // `between` runs after each system's slot (see ListSlot::WriteSlots).
  bool Serialize(ArchiveWriter& ar, const std::function<bool()>& between = {}) const;
  bool Serialize(ArchiveReader& ar, int version);

  // Slots count systems from 0; an out-of-range system reads as an empty slot and ignores
  // changes.
  bool SlotEmpty(int system) const;
  StringArray Slot(int system) const;
  std::string SlotText(int system) const;
  void SetSlot(int system, const StringArray& slot);
  std::string Entry(int system, size_t entry) const;
  void SetEntry(int system, size_t entry, std::string text);

  // Segment rows, each the text of a (ANAME, C, DISSF) array, in segment order.
  const PackedTexts& Rows(int system) const;
  int RowCount(int system) const { return static_cast<int>(Rows(system).size()); }
  StringArray Row(int system, int position) const;
  void SetRow(int system, int position, const StringArray& row);
  void SetRows(int system, PackedTexts rows);
  static std::string DefaultRow(int segment_number);

  // Keeping step with the network: every one of the eight slots gets or loses the row.
  void AddSegmentRow(int new_noseg);
  void RemoveSegmentRow(int position);

  void ApplyDefaults(int nosys, int noseg, SimulationType simtyp);

 private:
  struct SystemSlot {
    ListSlot data{kSegmentList};
  };

  ListSlot* At(int system);
  const ListSlot* At(int system) const;
  // Five empty entries and an empty segment list.
  static void GiveEmptyShape(ListSlot& slot);

  std::array<SystemSlot, kSystems> slots_;
};

}  // namespace orvo
