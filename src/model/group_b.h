// Group B: the field-wide data of the dispersive exchanges of card B (surface water is
// field 1, pore water field 2). Which exchange uses which function lives on the exchanges.
#pragma once

#include <cstdint>
#include <string>

#include "archive.h"
#include "string_array.h"

namespace orvo {

class GroupBDlg {
 public:
  static constexpr uint16_t kCookie = 0x1001;

  std::string title;
  double pore_CONVR = 1.0;
  double pore_SCALR = 1.0;
  double surface_CONVR = 1.0;
  double surface_SCALR = 1.0;
  std::string surface_units = "m";  // shown only, never written to the deck
  std::string pore_units = "m";
  // One element per exchange time function: "RT1 TR1 RT2 TR2 ..." as number text.
  StringArray surface_functions;
  StringArray pore_functions;
  StringArray bypass;  // one "1" (bypassed) or "0" per system

  int SurfaceFunctionCount() const { return static_cast<int>(surface_functions.size()); }
  int PoreFunctionCount() const { return static_cast<int>(pore_functions.size()); }
  // Pore-water functions alone still make two fields, the first one empty.
  int NRFLD() const;

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);
};

}  // namespace orvo
