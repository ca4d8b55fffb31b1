// The global editors of the ten data groups. Each runs modally on a form (a copy of its
// group, see groups/group_editing.h) and changes the document only on OK, as one undo step.
#pragma once

class QWidget;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

// true when the user pressed OK.
bool RunGroupAEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupBEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupCEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupDEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupEEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupFEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupGEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupHEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupIEditor(COrvoBuilderDoc& doc, QWidget* parent);
bool RunGroupJEditor(COrvoBuilderDoc& doc, QWidget* parent);

// The editor of group letter 'A' to 'J'; false for any other letter.
bool RunGroupEditor(char group, COrvoBuilderDoc& doc, QWidget* parent);

}  // namespace orvo::ui
