// "Edit Group A Global Parameters (Model Identification)": works on a form of group A and
// hands it to the document on OK (groups/group_editing.h).
#pragma once

#include <QDialog>
#include <array>

#include "groups/group_editing.h"

class QComboBox;
class QLineEdit;

namespace orvo::ui {

class GroupAEditor : public QDialog {
  Q_OBJECT

 public:
  GroupAEditor(COrvoBuilderDoc& doc, QWidget* parent = nullptr);

  const editing::GroupAForm& form() const { return form_; }
  QComboBox* simtyp() const { return simtyp_; }
  QComboBox* jmass() const { return jmass_; }
  QLineEdit* nosys() const { return nosys_; }
  QLineEdit* title1() const { return title1_; }
  QLineEdit* timeSteps() const { return time_steps_; }
  QLineEdit* printIntervals() const { return print_intervals_; }
  QLineEdit* sysby() const { return sysby_; }
  QComboBox* isegout(int i) const { return isegout_[static_cast<size_t>(i)]; }

 public slots:
  void SimulationTypeChosen(int index);
  void LeaveNOSYS();
  void LeaveTimeSteps();
  void LeavePrintIntervals();
  void LeaveSYSBY();
  void EditTimeSteps();
  void EditPrintIntervals();
  void EditBypassOptions();
  void accept() override;

 private:
  void FillJMASS();
  bool TakeFields();

  COrvoBuilderDoc& doc_;
  editing::GroupAForm form_;
  QComboBox* simtyp_ = nullptr;
  QLineEdit* title1_ = nullptr;
  QLineEdit* title2_ = nullptr;
  QLineEdit* header_ = nullptr;
  QLineEdit* noseg_ = nullptr;
  QLineEdit* nosys_ = nullptr;
  QComboBox* icfl_ = nullptr;
  QComboBox* mflag_ = nullptr;
  QComboBox* jmass_ = nullptr;
  QComboBox* negsln_ = nullptr;
  QComboBox* intyp_ = nullptr;
  QLineEdit* adfac_ = nullptr;
  QLineEdit* zday_ = nullptr;
  QLineEdit* zhr_ = nullptr;
  QLineEdit* zmin_ = nullptr;
  QComboBox* tflg_ = nullptr;
  std::array<QComboBox*, 6> isegout_{};
  QLineEdit* time_steps_ = nullptr;
  QLineEdit* print_intervals_ = nullptr;
  QLineEdit* sysby_ = nullptr;
};

}  // namespace orvo::ui
