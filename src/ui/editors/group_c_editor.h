// "Edit Group C Global Parameters (Volumes)": edits a copy of group C and hands it to the
// document on OK.
#pragma once

#include <QDialog>

#include "model/project_document.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace orvo::ui {

class GroupCEditor : public QDialog {
  Q_OBJECT

 public:
  GroupCEditor(COrvoBuilderDoc& doc, QWidget* parent = nullptr);

  const GroupCDlg& group() const { return group_; }
  QComboBox* ivopt() const { return ivopt_; }
  QComboBox* ibedv() const { return ibedv_; }
  QLabel* tdintsPrompt() const { return tdints_prompt_; }
  QLineEdit* scalv() const { return scalv_; }

 public slots:
  // The prompt follows the IBEDV list when it closes; other values leave it as it is.
  void IBEDVChosen();
  void accept() override;

 private:
  COrvoBuilderDoc& doc_;
  GroupCDlg group_;
  QLineEdit* title_ = nullptr;
  QComboBox* ivopt_ = nullptr;
  QComboBox* ibedv_ = nullptr;
  QLabel* tdints_prompt_ = nullptr;
  QLineEdit* tdints_ = nullptr;
  QLineEdit* scalv_ = nullptr;
  QLineEdit* convv_ = nullptr;
  QLineEdit* units_ = nullptr;
};

}  // namespace orvo::ui
