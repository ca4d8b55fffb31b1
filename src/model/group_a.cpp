#include "group_a.h"

namespace orvo {

void GroupADlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  ar.I32(SIMTYP);
  ar.String(TITLE1);
  ar.String(TITLE2);
  ar.String(HEADER);
  ar.I32(NOSEG);
  ar.I32(NOSYS);
  ar.I32(ICFL);
  ar.I32(MFLAG);
  ar.I32(JMASS);
  ar.I32(NEGSLN);
  ar.I32(INTYP);
  ar.F64(ADFAC);
  ar.F64(ZDAY);
  ar.F64(ZHR);
  ar.F64(ZMIN);
  ar.I32(TFLG);
  for (int segment : ISEGOUT) ar.I32(segment);
  // The three lists travel as plain blank-separated text, not in the cookie form.
  ar.String(time_steps.Join(' '));
  ar.String(print_intervals.Join(' '));
  ar.String(SYSBY.Join(' '));
}

bool GroupADlg::Serialize(ArchiveReader& ar, int /*version*/) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group A from archive (bad cookie).");
    return false;
  }
  SIMTYP = static_cast<SimulationType>(ar.I32());
  TITLE1 = ar.String();
  TITLE2 = ar.String();
  HEADER = ar.String();
  NOSEG = ar.I32();
  NOSYS = ar.I32();
  ICFL = ar.I32();
  MFLAG = ar.I32();
  JMASS = ar.I32();
  NEGSLN = ar.I32();
  INTYP = ar.I32();
  ADFAC = ar.F64();
  ZDAY = ar.F64();
  ZHR = ar.F64();
  ZMIN = ar.F64();
  TFLG = ar.I32();
  for (int& segment : ISEGOUT) segment = ar.I32();
  time_steps.Parse(ar.String(), false);
  print_intervals.Parse(ar.String(), false);
  SYSBY.Parse(ar.String(), false);
  return ar.ok();
}

}  // namespace orvo
