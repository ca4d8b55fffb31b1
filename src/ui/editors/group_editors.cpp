#include "ui/editors/group_editors.h"

#include <array>

#include "deck/card_registry.h"

namespace orvo::ui {

bool RunGroupEditor(char group, COrvoBuilderDoc& doc, QWidget* parent) {
  using Editor = bool (*)(COrvoBuilderDoc&, QWidget*);
  // Cards A to J in deck order, as the card registry lists them; the registry itself knows
  // no windows.
  static constexpr std::array<Editor, kCardCount> kEditors = {
      RunGroupAEditor, RunGroupBEditor, RunGroupCEditor, RunGroupDEditor, RunGroupEEditor,
      RunGroupFEditor, RunGroupGEditor, RunGroupHEditor, RunGroupIEditor, RunGroupJEditor};
  if (group < 'A' || group >= 'A' + static_cast<int>(kEditors.size())) return false;
  return kEditors[static_cast<size_t>(group - 'A')](doc, parent);
}

}  // namespace orvo::ui
