#include "ui/editors/group_b_editor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "groups/time_function_editing.h"
#include "model/number_text.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

GroupBEditor::GroupBEditor(COrvoBuilderDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(editing::OpenGroupB(doc)) {
  setWindowTitle("Edit Group B Global Parameters (Exchange Coefficients)");
  auto* layout = new QVBoxLayout(this);
  auto* title_row = new QFormLayout;
  title_ = new QLineEdit(FromStored(form_.values.title), this);
  title_row->addRow("Title:", title_);
  layout->addLayout(title_row);

  const GroupBDlg& v = form_.values;
  const double scalr[2] = {v.surface_SCALR, v.pore_SCALR};
  const double convr[2] = {v.surface_CONVR, v.pore_CONVR};
  const std::string units[2] = {v.surface_units, v.pore_units};
  const char* boxes[2] = {"Surface Water Data", "Pore Water Data"};
  const char* list_labels[2] = {"Surface water exchange time functions:",
                                "Porewater exchange time functions:"};
  const char* headers[2] = {"Surface water exchange time functions",
                            "Pore water exchange time functions"};
  auto* boxes_row = new QHBoxLayout;
  for (int f = 0; f < 2; ++f) {
    const size_t i = static_cast<size_t>(f);
    auto* box = new QGroupBox(boxes[f], this);
    auto* box_layout = new QVBoxLayout(box);
    auto* fields = new QFormLayout;
    scalr_[i] = new QLineEdit(Text(RealText(scalr[f])), box);
    fields->addRow("Scale Factor (SCALR):", scalr_[i]);
    convr_[i] = new QLineEdit(Text(RealText(convr[f])), box);
    fields->addRow("Conversion Factor (CONVR):", convr_[i]);
    units_[i] = new QLineEdit(FromStored(units[f]), box);
    fields->addRow("Name of units:", units_[i]);
    MakeNumberField(scalr_[i], "Scale Factor (SCALR)");
    MakeNumberField(convr_[i], "Conversion Factor (CONVR)");
    box_layout->addLayout(fields);
    box_layout->addWidget(new QLabel(list_labels[f], box));
    GridWidget* list = new GridWidget(1, 1, box);
    list->SetFixedRowCount(1);
    list->SetCellText(0, 0, headers[f]);
    // Typed text is kept in the form as normalised number text.
    MakeTimeFunctionList(*list, &editing::NormaliseList, [this](const QString& m) {
      doc_.platform().ShowMessage(m.toStdString());
    });
    connect(list, &GridWidget::CellEdited, this,
            [this, f](int row, int, const QString&, const QString& text) {
              editing::SetExchangeFunctionText(form_, f, row - 1, text.toStdString());
            });
    lists_[i] = list;
    box_layout->addWidget(list, 1);
    box_layout->addLayout(FunctionButtons(
        box, [this, f] { NewFunction(f); }, [this, f] { DeleteFunction(f); },
        [this, f] { EditFunction(f); }));
    boxes_row->addWidget(box);
    FillList(f, -1);
  }
  layout->addLayout(boxes_row, 1);

  auto* bypass_row = new QHBoxLayout;
  bypass_row->addWidget(new QLabel("Exchange Bypass Options (RBY(K)):", this));
  bypass_ = new QLineEdit(Text(form_.bypass_text), this);
  bypass_row->addWidget(bypass_, 1);
  MakeNumberField(bypass_, "Exchange Bypass Options (RBY(K))", NumberKind::kIntegerList);
  auto* bypass_button = new QPushButton("Edit Bypass Options", this);
  bypass_row->addWidget(bypass_button);
  layout->addLayout(bypass_row);
  connect(bypass_, &QLineEdit::editingFinished, this, &GroupBEditor::LeaveBypass);
  connect(bypass_button, &QPushButton::clicked, this, &GroupBEditor::EditBypassOptions);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GroupBEditor::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(760, 520);
}

void GroupBEditor::FillList(int field, int selected) {
  GridWidget* list = lists_[static_cast<size_t>(field)];
  const std::vector<editing::FunctionRow>& rows = form_.rows[static_cast<size_t>(field)];
  list->clearSelection();
  list->setRowCount(1 + static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    list->SetCellText(1 + static_cast<int>(r), 0, Text(rows[r].text));
  if (selected >= 0) list->selectRow(1 + selected);
}

int GroupBEditor::SelectedFunction(int field) const {
  const int row = lists_[static_cast<size_t>(field)]->SelectedRow();
  return row < 1 ? -1 : row - 1;
}

void GroupBEditor::NewFunction(int field) {
  FillList(field, editing::NewExchangeFunction(form_, field));
}

void GroupBEditor::DeleteFunction(int field) {
  const editing::ActionResult result =
      editing::DeleteExchangeFunction(form_, field, SelectedFunction(field));
  if (!result.message.empty()) {
    doc_.platform().ShowMessage(result.message);
    return;
  }
  FillList(field, result.selection);
}

void GroupBEditor::EditFunction(int field) {
  const editing::ActionResult need =
      editing::EditExchangeFunctionNeed(form_, field, SelectedFunction(field));
  if (!need.message.empty()) {
    doc_.platform().ShowMessage(need.message);
    return;
  }
  const int mode =
      field == kSurface ? time_function::kSurfaceDispersion : time_function::kPoreDispersion;
  const std::string text =
      form_.rows[static_cast<size_t>(field)][static_cast<size_t>(need.selection)].text;
  std::optional<std::string> edited = TimeFunctionEditor::EditText(this, mode, text);
  if (!edited) return;
  editing::SetExchangeFunctionText(form_, field, need.selection, *edited);
  FillList(field, need.selection);
}

void GroupBEditor::LeaveBypass() {
  bypass_->setText(Text(editing::NormaliseList(Std(bypass_))));
}

void GroupBEditor::EditBypassOptions() {
  ui::EditBypassOptions(this, doc_.group_a.SIMTYP, *bypass_);
}

void GroupBEditor::accept() {
  if (!CheckNumberFields(this)) return;
  GroupBDlg& v = form_.values;
  if (!TakeStoredTexts(
          doc_.platform(), "The title or a unit name holds a character that cannot be stored.",
          {{title_, &v.title}, {units_[0], &v.surface_units}, {units_[1], &v.pore_units}})) {
    return;
  }
  v.surface_SCALR = AtoF(Std(scalr_[0]));
  v.surface_CONVR = AtoF(Std(convr_[0]));
  v.pore_SCALR = AtoF(Std(scalr_[1]));
  v.pore_CONVR = AtoF(Std(convr_[1]));
  form_.bypass_text = Std(bypass_);
  editing::AcceptGroupB(doc_, form_);
  QDialog::accept();
}

bool RunGroupBEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupBEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
