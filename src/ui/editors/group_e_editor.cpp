#include "ui/editors/group_e_editor.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "ui/editors/group_editors.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

GroupEEditor::GroupEEditor(COrvoBuilderDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(editing::OpenGroupE(doc)) {
  setWindowTitle("Edit Group E Global Parameters (Boundary Concentrations)");
  const int systems = std::clamp(doc.group_a.NOSYS, 0, GroupEDlg::kSystemSlots);
  grid_ = new GridWidget(1 + systems, 6, this);
  grid_->SetFixedRowCount(1);
  grid_->SetFixedColumnCount(1);
  grid_->SetMessageHandler(
      [this](const QString& m) { doc_.platform().ShowMessage(m.toStdString()); });
  const char* headers[6] = {"System name", "Scale factor (SCALB)",    "Conversion factor (CONVB)",
                            "Units",       "No. of breaks in system", "Title (TITLE)"};
  for (int c = 0; c < 6; ++c) grid_->SetCellText(0, c, headers[c]);
  for (int k = 0; k < systems; ++k) {
    const size_t slot = static_cast<size_t>(k);
    const StringArray& settings = form_.systems[slot];
    grid_->SetCellText(1 + k, 0, FromStored(vocabulary::SystemName(doc.group_a.SIMTYP, k + 1)));
    grid_->SetCellText(1 + k, kScale, FromStored(settings.At(0)));
    grid_->SetCellText(1 + k, kConversion, FromStored(settings.At(1)));
    grid_->SetCellText(1 + k, kUnits, FromStored(settings.At(2)));
    const int breaks = slot < form_.breaks.size() ? form_.breaks[slot] : 0;
    grid_->SetCellText(1 + k, kBreaks, QString::number(breaks));
    grid_->SetCellText(1 + k, kTitle, FromStored(settings.At(3)));
  }
  grid_->SetNumberColumn(kScale, NumberKind::kReal);
  grid_->SetNumberColumn(kConversion, NumberKind::kReal);
  grid_->SetNumberColumn(kBreaks, NumberKind::kInteger);
  // The form takes every accepted cell; numbers come back as "%g" text.
  grid_->SetCellValidator([this](int row, int column, const QString& text) {
    GridWidget::CellCheck check;
    std::string stored;
    if (!ToStored(text, stored)) {
      check.accepted = false;
      check.message = "The text holds a character that cannot be stored.";
      return check;
    }
    check.text = FromStored(editing::SetGroupECell(form_, row - 1, column, stored));
    return check;
  });
  grid_->resizeColumnsToContents();
  grid_->horizontalHeader()->setStretchLastSection(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GroupEEditor::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addWidget(buttons);
  resize(820, 320);
}

void GroupEEditor::accept() {
  editing::AcceptGroupE(doc_, form_);
  QDialog::accept();
}

bool RunGroupEEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupEEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
