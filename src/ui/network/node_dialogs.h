// The property dialogs of a node: "Segment Parameters", "Segment Exchange Data" and
// "Label Dialog", with the per-node group editors they open. They edit a copy and change
// the node only on OK.
#pragma once

class QWidget;

namespace orvo {
class COrvoBuilderCntrItem;
}

namespace orvo::ui {

// Runs the dialog of the node's kind; true when the user pressed OK and the node was changed.
// Meant as the dialog callback of COrvoBuilderDoc::EditProperties.
bool RunNodeDialog(QWidget* parent, COrvoBuilderCntrItem& node);

}  // namespace orvo::ui
