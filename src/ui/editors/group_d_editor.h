// "Edit Group D Global Parameters (Flows)": works on a form of group D and hands it to the
// document on OK (groups/group_editing.h).
#pragma once

#include <QDialog>

#include "groups/group_editing.h"

class QComboBox;
class QLineEdit;

namespace orvo::ui {

class GridWidget;

class GroupDEditor : public QDialog {
  Q_OBJECT

 public:
  GroupDEditor(COrvoBuilderDoc& doc, QWidget* parent = nullptr);

  const editing::GroupDForm& form() const { return form_; }
  int selectedField() const { return field_; }
  GridWidget* fieldsGrid() const { return fields_; }
  GridWidget* functionList() const { return functions_; }
  QComboBox* flowOption() const { return iqopt_; }
  QLineEdit* hydrodynamicFile() const { return hydfil_; }
  QLineEdit* fieldName() const { return field_name_; }
  QLineEdit* bypass() const { return bypass_; }

 public slots:
  // -1 deselects the field.
  void SelectField(int field);
  void FlowOptionChosen();
  void NewFunction();
  void DeleteFunction();
  void EditFunction();
  void ChooseFile();
  void EditBypassOptions();
  void accept() override;

 private:
  void FillFieldRow(int field);
  void FillFunctions(int selected);
  int SelectedFunction() const;

  COrvoBuilderDoc& doc_;
  editing::GroupDForm form_;
  int field_ = -1;
  QComboBox* iqopt_ = nullptr;
  QLineEdit* hydfil_ = nullptr;
  GridWidget* fields_ = nullptr;
  QLineEdit* field_name_ = nullptr;
  GridWidget* functions_ = nullptr;
  QLineEdit* bypass_ = nullptr;
};

}  // namespace orvo::ui
