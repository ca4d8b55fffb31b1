// Group C: the volume options of card C. The per-segment volumes live on the segments.
#pragma once

#include <cstdint>
#include <string>

#include "archive.h"

namespace orvo {

class GroupCDlg {
 public:
  static constexpr uint16_t kCookie = 0x1002;

  int IVOPT = -1;  // list position: 0 is IVOPT 1, 1 is IVOPT 2; -1 unset
  std::string title;
  double CONVV = 1.0;
  int IBEDV = 0;
  double SCALV = 1.0;
  double TDINTS = 0.0;        // benthic time step, days
  std::string units = "m^3";  // shown only, never written to the deck

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);
};

}  // namespace orvo
