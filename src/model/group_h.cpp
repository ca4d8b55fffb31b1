#include "model/group_h.h"

#include <algorithm>

#include "model/array_record.h"
#include "model/model_vocabulary.h"

namespace orvo {

void GroupHDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  ar.String(title);
  for (StringArray block : blocks) ar.String(block.ToString());
}

bool GroupHDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group H from archive (bad cookie).");
    return false;
  }
  title = ar.String();
  for (StringArray& block : blocks) {
    if (!ReadArray(ar, block)) return false;
  }
  return ar.ok();
}

void GroupHDlg::GiveEmptyShape(StringArray& block) {
  if (!block.empty()) return;
  block.GetList().emplace_back();
  block.SetList(StringArray(), 1);
}

void GroupHDlg::ApplyNames(int nosys, SimulationType simtyp) {
  const int last = std::clamp(nosys, 0, kBlocks - 1);
  for (int k = 0; k <= last; ++k) {
    StringArray& block = blocks[static_cast<size_t>(k)];
    GiveEmptyShape(block);
    block[0] = k == 0 ? std::string("Globals") : vocabulary::SystemName(simtyp, k);
  }
}

}  // namespace orvo
