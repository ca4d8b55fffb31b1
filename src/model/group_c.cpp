#include "group_c.h"

namespace orvo {

void GroupCDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  ar.I32(IVOPT);
  ar.I32(IBEDV);
  ar.F64(TDINTS);
  ar.String(title);
  ar.F64(SCALV);
  ar.F64(CONVV);
  ar.String(units);
}

bool GroupCDlg::Serialize(ArchiveReader& ar, int version) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group C from archive (bad cookie).");
    return false;
  }
  IVOPT = ar.I32();
  IBEDV = ar.I32();
  TDINTS = ar.F64();
  title = ar.String();
  SCALV = ar.F64();
  CONVV = ar.F64();
  // Version 0 files predate the unit name.
  if (version >= 1) units = ar.String();
  return ar.ok();
}

}  // namespace orvo
