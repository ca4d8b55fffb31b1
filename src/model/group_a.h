// Group A: model identification and the global run options of card A.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "archive.h"
#include "model_vocabulary.h"
#include "string_array.h"

namespace orvo {

class GroupADlg {
 public:
  static constexpr uint16_t kCookie = 0x1000;

  SimulationType SIMTYP = kSimUnset;
  std::string TITLE1;
  std::string TITLE2;
  std::string HEADER = " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS";
  int NOSEG = 0;  // follows the network's segment count
  int NOSYS = 0;
  // Option list positions; each equals its option code, -1 while unset.
  int ICFL = -1;
  int MFLAG = -1;
  int JMASS = -1;
  int NEGSLN = -1;
  int INTYP = -1;
  double ADFAC = 0.0;
  double ZDAY = 1.0;
  double ZHR = 0.0;
  double ZMIN = 0.0;
  int TFLG = -1;
  std::array<int, 6> ISEGOUT{};
  StringArray time_steps;       // DTS(1) T(1) DTS(2) T(2) ...
  StringArray print_intervals;  // PRINT(1) TPRINT(1) ...
  StringArray SYSBY;            // one "1" (bypassed) or "0" per system

  void Serialize(ArchiveWriter& ar) const;
  bool Serialize(ArchiveReader& ar, int version);
};

}  // namespace orvo
