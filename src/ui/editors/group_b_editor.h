// "Edit Group B Global Parameters (Exchange Coefficients)": works on a form of group B and
// hands it to the document on OK (groups/group_editing.h).
#pragma once

#include <QDialog>
#include <array>

#include "groups/group_editing.h"

class QLineEdit;

namespace orvo::ui {

class GridWidget;

class GroupBEditor : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSurface = 0;
  static constexpr int kPore = 1;

  GroupBEditor(COrvoBuilderDoc& doc, QWidget* parent = nullptr);

  const editing::GroupBForm& form() const { return form_; }
  GridWidget* functions(int field) const { return lists_[static_cast<size_t>(field)]; }
  QLineEdit* scalr(int field) const { return scalr_[static_cast<size_t>(field)]; }
  QLineEdit* bypass() const { return bypass_; }

 public slots:
  void NewFunction(int field);
  void DeleteFunction(int field);
  void EditFunction(int field);
  void LeaveBypass();
  void EditBypassOptions();
  void accept() override;

 private:
  void FillList(int field, int selected);
  int SelectedFunction(int field) const;

  COrvoBuilderDoc& doc_;
  editing::GroupBForm form_;
  QLineEdit* title_ = nullptr;
  std::array<QLineEdit*, 2> scalr_{};
  std::array<QLineEdit*, 2> convr_{};
  std::array<QLineEdit*, 2> units_{};
  std::array<GridWidget*, 2> lists_{};
  QLineEdit* bypass_ = nullptr;
};

}  // namespace orvo::ui
