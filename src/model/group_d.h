// Group D: the field-wide data of the advective flows of card D. The portion of each flow
// function that an exchange carries lives on the exchange.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "archive.h"
#include "string_array.h"

namespace orvo {

class GroupDDlg {
 public:
  static constexpr uint16_t kCookie = 0x1003;
  static constexpr int kFieldCount = 6;

  std::string hydrodynamic_file;            // HYDFIL, used with IQOPT 3
  int flow_option = -1;                     // IQOPT - 1; -1 unset
  std::string bypass_text = "1 1 1 1 1 1";  // last text of the editor's field; not stored
  // A field is defined when not empty: SCALQ, CONVQ, units name, then one
  // "QT1 TQ1 QT2 TQ2 ..." entry per flow time function.
  std::array<StringArray, kFieldCount> fields;
  std::array<StringArray, kFieldCount> field_copies;  // restored when the editor cancels
  StringArray bypass;                                 // one "1" (bypassed) or "0" per system

  // Flow time functions of field 0..5; 0 for an undefined field or a bad position.
  int NINQ(int field) const;
  // 1-based position of the last defined field, 0 when none is.
  int NFIELD() const;
  // The portion record a new exchange gets: six entries, entry k the string form of NINQ(k)
  // empty portions.
  StringArray EmptyExchangeRecord() const;

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);
};

}  // namespace orvo
