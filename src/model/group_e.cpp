#include "group_e.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/array_record.h"
#include "number_text.h"

namespace orvo {

void GroupEDlg::ApplyDefaults(int nosys) {
  const int count = std::min(nosys, kSystemSlots);
  for (int slot = 0; slot < count; ++slot) {
    if (!systems[slot].empty()) continue;
    systems[slot] = StringArray(
        std::vector<std::string>{"1.0", "1.0", "mg/L", "Group E system #" + IntText(slot + 1)});
  }
}

void GroupEDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  for (const StringArray& system : systems) ar.String(StringArray(system).ToString());
}

bool GroupEDlg::Serialize(ArchiveReader& ar, int version) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group E from archive (bad cookie).");
    return false;
  }
  for (StringArray& system : systems) {
    if (!ReadArray(ar, system)) return false;
    // Version 0 files predate the units entry, which goes in front of the title.
    auto& entries = system.GetList();
    if (version == 0 && entries.size() >= 3) entries.insert(entries.begin() + 2, "mg/L");
  }
  return ar.ok();
}

}  // namespace orvo
