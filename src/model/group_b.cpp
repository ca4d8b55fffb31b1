#include "group_b.h"

#include "model/array_record.h"

namespace orvo {

int GroupBDlg::NRFLD() const {
  if (!pore_functions.empty()) return 2;
  return surface_functions.empty() ? 0 : 1;
}

void GroupBDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  ar.String(title);
  ar.F64(surface_SCALR);
  ar.F64(pore_SCALR);
  ar.F64(surface_CONVR);
  ar.F64(pore_CONVR);
  ar.String(surface_units);
  ar.String(pore_units);
  ar.String(StringArray(surface_functions).ToString());
  ar.String(StringArray(pore_functions).ToString());
  ar.String(StringArray(bypass).ToString());
}

bool GroupBDlg::Serialize(ArchiveReader& ar, int version) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group B from archive (bad cookie).");
    return false;
  }
  title = ar.String();
  surface_SCALR = ar.F64();
  pore_SCALR = ar.F64();
  surface_CONVR = ar.F64();
  pore_CONVR = ar.F64();
  // Version 0 files predate the unit names.
  if (version > 0) {
    surface_units = ar.String();
    pore_units = ar.String();
  }
  if (!ReadArray(ar, surface_functions)) return false;
  if (!ReadArray(ar, pore_functions)) return false;
  if (!ReadArray(ar, bypass)) return false;
  return ar.ok();
}

}  // namespace orvo
