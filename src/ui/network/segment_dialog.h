// "Segment Parameters": the segment ID and the buttons to the segment's group C, E, F and G
// editors. Everything is edited on a copy of the node's parameter texts, which is set on the
// node only when this dialog ends with OK.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "model/network_node.h"

class QLineEdit;

namespace orvo::ui {

class SegmentDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SegmentDialog(COrvoBuilderCntrItem& node, QWidget* parent = nullptr);
  void accept() override;

  // The working copy of parameter index (2..12).
  std::string Parameter(int index) const;

 public slots:
  void EditGroupC();
  void EditGroupE();
  void EditGroupF();
  void EditGroupG();

 private:
  COrvoBuilderCntrItem& node_;
  std::array<std::string, segment_param::kGroupG + 1> copy_;
  QLineEdit* segment_id_ = nullptr;
};

}  // namespace orvo::ui
