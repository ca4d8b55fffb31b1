#include <algorithm>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo::group_i {
namespace {

// The slots the simulation type's table offers: a stale slot count must not reach past it.
int SlotCount(const COrvoBuilderDoc& doc) {
  const int offered = vocabulary::TimeFunctionCount(doc.group_a.SIMTYP);
  return std::clamp(doc.group_i.slot_count, 0, std::min(offered, GroupIDlg::kSlots));
}

}  // namespace

std::vector<int> DefinedFunctions(const COrvoBuilderDoc& doc) {
  std::vector<int> defined;
  const int count = SlotCount(doc);
  for (int slot = 0; slot < count; ++slot) {
    if (TimeFunctionEntries(doc.group_i.functions[static_cast<size_t>(slot)]).size() >= 2) {
      defined.push_back(slot);
    }
  }
  return defined;
}

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out) {
  const GroupIDlg& group = doc.group_i;
  const std::vector<int> defined = DefinedFunctions(doc);
  out.Int(static_cast<long long>(defined.size()), 10, "Group I: the function count NFUNC");
  out.Line(group.title);
  for (int slot : defined) {
    const std::vector<std::string> entries =
        TimeFunctionEntries(group.functions[static_cast<size_t>(slot)]);
    const size_t breaks = entries.size() / 2;
    out.Name(group.names[static_cast<size_t>(slot)], 5);
    out.Int(static_cast<long long>(breaks), 5, "Group I: the break count NOBRK");
    out.Int(AtoI(vocabulary::TimeFunction(doc.group_a.SIMTYP, slot)->number), 5,
            "Group I: the function number");
    out.EndLine();
    for (size_t i = 0; i < entries.size(); ++i) {
      out.Real(AtoF(entries[i]));
      if (i % 2 == 1 && (i / 2) % 4 == 3) out.EndLine();
    }
    // A value without its time: the model would read the next record as that time.
    if (entries.size() % 2 == 1) {
      out.Fail("");
      return false;
    }
    if (breaks % 4 != 0) out.EndLine();
  }
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  if (DefinedFunctions(doc).empty()) {
    findings.push_back("Group I: Warning: No time functions defined (NFUNC).");
  }
}

}  // namespace orvo::group_i
