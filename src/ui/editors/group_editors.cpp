#include "ui/editors/group_editors.h"

namespace orvo::ui {

bool RunGroupEditor(char group, COrvoBuilderDoc& doc, QWidget* parent) {
  switch (group) {
    case 'A':
      return RunGroupAEditor(doc, parent);
    case 'B':
      return RunGroupBEditor(doc, parent);
    case 'C':
      return RunGroupCEditor(doc, parent);
    case 'D':
      return RunGroupDEditor(doc, parent);
    case 'E':
      return RunGroupEEditor(doc, parent);
    case 'F':
      return RunGroupFEditor(doc, parent);
    case 'G':
      return RunGroupGEditor(doc, parent);
    case 'H':
      return RunGroupHEditor(doc, parent);
    case 'I':
      return RunGroupIEditor(doc, parent);
    case 'J':
      return RunGroupJEditor(doc, parent);
    default:
      return false;
  }
}

}  // namespace orvo::ui
