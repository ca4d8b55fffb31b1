// "Edit Group E Global Parameters (Boundary Concentrations)": works on a form of group E and
// hands it to the document on OK (groups/group_editing.h).
#pragma once

#include <QDialog>

#include "groups/group_editing.h"

namespace orvo::ui {

class GridWidget;

class GroupEEditor : public QDialog {
  Q_OBJECT

 public:
  // Grid columns after the system name.
  enum Column { kScale = 1, kConversion = 2, kUnits = 3, kBreaks = 4, kTitle = 5 };

  GroupEEditor(COrvoBuilderDoc& doc, QWidget* parent = nullptr);

  const editing::GroupEForm& form() const { return form_; }
  GridWidget* grid() const { return grid_; }

 public slots:
  void accept() override;

 private:
  COrvoBuilderDoc& doc_;
  editing::GroupEForm form_;
  GridWidget* grid_ = nullptr;
};

}  // namespace orvo::ui
