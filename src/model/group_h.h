// Group H (constants): a title and nine blocks ("Globals", then one per system), each a
// (name, field list) array; a field list holds (field name, constant list) pairs and a
// constant list (TNAME, ISC, CONST) triples.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/archive.h"
#include "model/model_vocabulary.h"
#include "model/string_array.h"

namespace orvo {

class GroupHDlg {
 public:
  static constexpr uint16_t kCookie = 0x1007;
  static constexpr int kBlocks = 9;

  std::string title;
  std::array<StringArray, kBlocks> blocks;

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);

  // An empty block gets its two entries: an empty name and an empty field list.
  static void GiveEmptyShape(StringArray& block);
  // Block 0 becomes "Globals", blocks 1..nosys take the type's system names.
  void ApplyNames(int nosys, SimulationType simtyp);
};

}  // namespace orvo
