#include "ui/network/node_dialogs.h"

#include "model/network_node.h"
#include "ui/network/exchange_dialog.h"
#include "ui/network/label_dialog.h"
#include "ui/network/segment_dialog.h"

namespace orvo::ui {

bool RunNodeDialog(QWidget* parent, COrvoBuilderCntrItem& node) {
  switch (node.type()) {
    case kSegmentNode: {
      SegmentDialog dialog(node, parent);
      return dialog.exec() == QDialog::Accepted;
    }
    case kExchangeNode: {
      ExchangeDialog dialog(node, parent);
      return dialog.exec() == QDialog::Accepted;
    }
    case kLabelNode: {
      LabelDialog dialog(node, parent);
      return dialog.exec() == QDialog::Accepted;
    }
    default:
      return false;
  }
}

}  // namespace orvo::ui
