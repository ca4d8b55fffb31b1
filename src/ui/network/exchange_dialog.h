// "Segment Exchange Data": the two ends of an exchange and the buttons to its group B and
// group D editors. Edits go to a copy of the node's parameter texts, set on the node only
// when this dialog ends with OK.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "model/network_node.h"

class QLineEdit;

namespace orvo::ui {

class ExchangeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ExchangeDialog(COrvoBuilderCntrItem& node, QWidget* parent = nullptr);
  void accept() override;

  // The working copy of parameter index (2..8).
  std::string Parameter(int index) const;

 public slots:
  void EditGroupB();
  void EditGroupD();

 private:
  COrvoBuilderCntrItem& node_;
  using Parameters = std::array<std::string, exchange_param::kGroupD + 1>;
  // Takes into the copy what a global editor changed on the node (entries the user left).
  void RefreshFromNode(const Parameters& before);
  Parameters copy_;
  QLineEdit* upstream_ = nullptr;
  QLineEdit* downstream_ = nullptr;
};

}  // namespace orvo::ui
