#include <algorithm>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/number_text.h"
#include "model/string_array_view.h"

namespace orvo::group_j {

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const GroupJDlg& group = doc.group_j;
  const int nosys = std::clamp(doc.group_a.NOSYS, 0, GroupJDlg::kSystems);
  const int noseg = std::max(doc.group_a.NOSEG, 0);
  // Marked once: looking each segment up in the target list would be quadratic.
  std::vector<bool> varied;
  if (variation != nullptr && (variation->quantity == 1 || variation->quantity == 2)) {
    varied.assign(static_cast<size_t>(noseg), false);
    for (int target : variation->targets) {
      if (target >= 0 && target < noseg) varied[static_cast<size_t>(target)] = true;
    }
  }
  for (int system = 0; system < nosys; ++system) {
    // Left-aligned in 40 columns; a longer name is kept whole.
    const std::string cheml = group.Entry(system, GroupJDlg::kCheml);
    out.Text(cheml);
    if (cheml.size() < 40) out.Text(std::string(40 - cheml.size(), ' '));
    out.Int(AtoI(group.Entry(system, GroupJDlg::kIfield)), 5, "Group J: the solids field IFIELD");
    out.Real(AtoF(group.Entry(system, GroupJDlg::kDsed)), 5);
    out.Real(AtoF(group.Entry(system, GroupJDlg::kCmax)));
    out.Line(group.Entry(system, GroupJDlg::kTitle));
    const bool varied_system = !varied.empty() && variation->item == system;
    const int row_count = group.RowCount(system);
    const PackedTexts& rows = group.Rows(system);
    std::string default_row;
    StringArrayView row;
    for (int position = 0; position < noseg; ++position) {
      // A list shorter than NOSEG (read from a smaller deck) still gives every segment its
      // entry, as a new segment would have it.
      if (position < row_count) {
        row.Reset(rows[static_cast<size_t>(position)]);
      } else {
        default_row = GroupJDlg::DefaultRow(position + 1);
        row.Reset(default_row);
      }
      double c = AtoF(row.At(1));
      double dissf = AtoF(row.At(2));
      if (varied_system && varied[static_cast<size_t>(position)]) {
        if (variation->quantity == 1) {
          c = variation->Apply(c);
        } else {
          dissf = variation->Apply(dissf);
        }
      }
      out.Name(row.At(0), 5);
      out.Real(c);
      out.Real(dissf);
      if (position % 3 == 2 || position + 1 == noseg) out.EndLine();
    }
  }
  if (variation != nullptr) variation->AppendNote();
  return out.ok();
}

}  // namespace orvo::group_j
