#include <algorithm>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/number_text.h"

namespace orvo::group_h {
namespace {

// Blocks 0 ("Globals") to NOSYS, never past the last block the holder keeps.
int LastBlock(const COrvoBuilderDoc& doc) {
  return std::clamp(doc.group_a.NOSYS, 0, GroupHDlg::kBlocks - 1);
}

StringArray FieldList(const StringArray& block) {
  StringArray fields;
  fields.FromString(block.At(1));
  return fields;
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const GroupHDlg& group = doc.group_h;
  out.Line(group.title);
  const int last = LastBlock(doc);
  for (int k = 0; k <= last; ++k) {
    const StringArray& block = group.blocks[static_cast<size_t>(k)];
    const StringArray fields = FieldList(block);
    const size_t field_count = fields.size() / 2;
    out.Name(block.At(0), 10);
    out.Int(static_cast<long long>(field_count), 10, "Group H: the field count NFLD");
    out.EndLine();
    for (size_t f = 0; f < field_count; ++f) {
      StringArray constants;
      constants.FromString(fields.At(2 * f + 1));
      const size_t constant_count = constants.size() / 3;
      out.Name(fields.At(2 * f), 10);
      out.Int(static_cast<long long>(constant_count), 10, "Group H: the constant count");
      out.EndLine();
      for (size_t c = 0; c < constant_count; ++c) {
        double value = AtoF(constants.At(3 * c + 2));
        if (variation != nullptr && variation->block == k &&
            variation->field == static_cast<int>(f) && variation->constant == static_cast<int>(c)) {
          value = variation->Apply(value);
        }
        out.Name(constants.At(3 * c), 10);
        out.Int(AtoI(constants.At(3 * c + 1)), 10, "Group H: the constant number ISC");
        out.Real(value);
        if (c % 2 == 1 || c + 1 == constant_count) out.EndLine();
      }
    }
  }
  if (variation != nullptr) variation->AppendNote();
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  if (doc.group_a.NOSYS <= 0) return;
  const int last = LastBlock(doc);
  for (int k = 0; k <= last; ++k) {
    if (!FieldList(doc.group_h.blocks[static_cast<size_t>(k)]).empty()) continue;
    findings.push_back("Group H: Warning: No constants defined for group " + IntText(k) +
                       " (NFLD).");
  }
}

}  // namespace orvo::group_h
