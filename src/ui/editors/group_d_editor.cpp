#include "ui/editors/group_d_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/time_function_editing.h"
#include "model/number_text.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

constexpr int kHydrodynamicFileOption = 2;  // IQOPT 3

const char* const kFieldNames[GroupDDlg::kFieldCount] = {
    "Advective flows in the water column", "Pore water flows",
    "Sediment 1 transport field",          "Sediment 2 transport field",
    "Sediment 3 transport field",          "Evap and Precipitation field"};

}  // namespace

GroupDEditor::GroupDEditor(COrvoBuilderDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(editing::OpenGroupD(doc)) {
  setWindowTitle("Edit Group D Global Parameters (Flows)");
  auto* layout = new QVBoxLayout(this);
  auto message = [this](const QString& m) { doc_.platform().ShowMessage(m.toStdString()); };

  layout->addWidget(new QLabel("Flow Option (IQOPT):", this));
  iqopt_ = new QComboBox(this);
  iqopt_->addItems(
      {"(1) Field 1 (advective flows) are specified by the user; flows at each segment "
       "interface are summed by the model.",
       "(2) Field 1 flows are specified directly by the user; flows at each segment are "
       "applied directly by the model.",
       "(3) Flows are read from file created by CORVEN5"});
  iqopt_->setCurrentIndex(editing::OptionIndex(form_.values.flow_option, iqopt_->count()));
  layout->addWidget(iqopt_);

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(new QLabel("Name of hydrodynamic file (HYDFIL):", this));
  hydfil_ = new QLineEdit(FromStored(form_.values.hydrodynamic_file), this);
  file_row->addWidget(hydfil_, 1);
  auto* file_button = new QPushButton("File", this);
  file_row->addWidget(file_button);
  layout->addLayout(file_row);

  fields_ = new GridWidget(1 + GroupDDlg::kFieldCount, 4, this);
  fields_->SetFixedRowCount(1);
  fields_->SetFixedColumnCount(1);
  fields_->SetRowSelection(true);
  fields_->setSelectionMode(QAbstractItemView::SingleSelection);
  fields_->SetMessageHandler(message);
  const char* headers[4] = {"Flow Types", "Scaling Factor (SCALQ)",
                            "Units Conversion Factor (CONVQ)", "Units Name"};
  for (int c = 0; c < 4; ++c) fields_->SetCellText(0, c, headers[c]);
  fields_->SetNumberColumn(1, NumberKind::kReal);
  fields_->SetNumberColumn(2, NumberKind::kReal);
  for (int k = 0; k < GroupDDlg::kFieldCount; ++k) {
    fields_->SetCellText(1 + k, 0, kFieldNames[k]);
    FillFieldRow(k);
  }
  fields_->resizeColumnsToContents();
  layout->addWidget(fields_, 1);

  field_name_ = new QLineEdit(this);
  field_name_->setReadOnly(true);
  layout->addWidget(field_name_);
  layout->addWidget(new QLabel("Time function list for selected flow (NINQ):", this));
  functions_ = new GridWidget(0, 1, this);
  MakeTimeFunctionList(*functions_, &editing::NormaliseNumberList, message);
  functions_->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(functions_, 1);
  layout->addWidget(new QLabel("Time function editing commands:", this));
  QHBoxLayout* function_buttons = FunctionButtons(
      this, [this] { NewFunction(); }, [this] { DeleteFunction(); }, [this] { EditFunction(); });
  function_buttons->addStretch(1);
  layout->addLayout(function_buttons);

  auto* bypass_row = new QHBoxLayout;
  bypass_row->addWidget(new QLabel("Flow bypass options (QBY(ISYS)):", this));
  bypass_ = new QLineEdit(Text(form_.values.bypass.Join(' ')), this);
  bypass_row->addWidget(bypass_, 1);
  MakeNumberField(bypass_, "Flow bypass options (QBY(ISYS))", NumberKind::kIntegerList);
  auto* bypass_button = new QPushButton("Edit Bypass Options", this);
  bypass_row->addWidget(bypass_button);
  layout->addLayout(bypass_row);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &GroupDEditor::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(iqopt_, &QComboBox::activated, this, &GroupDEditor::FlowOptionChosen);
  connect(file_button, &QPushButton::clicked, this, &GroupDEditor::ChooseFile);
  connect(bypass_button, &QPushButton::clicked, this, &GroupDEditor::EditBypassOptions);
  connect(bypass_, &QLineEdit::editingFinished, this,
          [this] { bypass_->setText(Text(editing::NormaliseList(Std(bypass_)))); });
  connect(fields_, &QTableWidget::cellClicked, this, [this](int row, int) {
    SelectField(row >= fields_->FixedRowCount() ? row - fields_->FixedRowCount() : -1);
  });
  // Moving through the grid with the keyboard picks the field as a click does.
  connect(fields_, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int previous, int) {
            if (row != previous && row >= fields_->FixedRowCount())
              SelectField(row - fields_->FixedRowCount());
          });
  connect(fields_, &GridWidget::CellEdited, this,
          [this](int row, int column, const QString& old_text, const QString& text) {
            if (text == old_text) return;
            std::string stored;
            if (!ToStored(text, stored)) {
              doc_.platform().ShowMessage("The text holds a character that cannot be stored.");
              stored = old_text.toStdString();
            }
            const int field = row - fields_->FixedRowCount();
            editing::SetFlowFieldCell(form_, field, column, stored);
            FillFieldRow(field);
            if (field == field_) FillFunctions(0);
          });
  connect(functions_, &GridWidget::CellEdited, this,
          [this](int row, int, const QString&, const QString& text) {
            editing::SetFlowFunctionText(form_, field_, row, text.toStdString());
          });

  FlowOptionChosen();
  SelectField(0);
  resize(820, 640);
}

void GroupDEditor::FillFieldRow(int field) {
  const StringArray& entries = form_.values.fields[static_cast<size_t>(field)];
  for (int c = 0; c < 3; ++c)
    fields_->SetCellText(1 + field, 1 + c, FromStored(entries.At(static_cast<size_t>(c))));
}

void GroupDEditor::FillFunctions(int selected) {
  functions_->clearSelection();
  const int ninq = form_.values.NINQ(field_);
  functions_->setRowCount(ninq);
  for (int t = 0; t < ninq; ++t) {
    functions_->SetCellText(
        t, 0,
        Text(form_.values.fields[static_cast<size_t>(field_)].At(3 + static_cast<size_t>(t))));
  }
  if (selected >= 0 && selected < ninq) functions_->selectRow(selected);
}

int GroupDEditor::SelectedFunction() const {
  return functions_->SelectedRow();
}

void GroupDEditor::SelectField(int field) {
  field_ = field >= 0 && field < GroupDDlg::kFieldCount ? field : -1;
  if (field_ >= 0) {
    fields_->selectRow(1 + field_);
  } else {
    fields_->clearSelection();
  }
  field_name_->setText(field_ >= 0 ? kFieldNames[field_] : "");
  FillFunctions(0);
}

void GroupDEditor::FlowOptionChosen() {
  hydfil_->setEnabled(iqopt_->currentIndex() == kHydrodynamicFileOption);
}

void GroupDEditor::NewFunction() {
  const int position = editing::NewFlowFunction(form_, field_, SelectedFunction());
  if (position < 0) return;
  FillFieldRow(field_);
  FillFunctions(position);
}

void GroupDEditor::DeleteFunction() {
  const editing::ActionResult result =
      editing::DeleteFlowFunction(form_, field_, SelectedFunction());
  if (!result.message.empty()) {
    doc_.platform().ShowMessage(result.message);
    return;
  }
  FillFunctions(result.selection);
}

void GroupDEditor::EditFunction() {
  const editing::ActionResult need =
      editing::EditFlowFunctionNeed(form_, field_, SelectedFunction());
  if (!need.message.empty()) {
    doc_.platform().ShowMessage(need.message);
    return;
  }
  if (need.selection < 0) return;
  const std::string text =
      form_.values.fields[static_cast<size_t>(field_)].At(3 + static_cast<size_t>(need.selection));
  std::optional<std::string> edited =
      TimeFunctionEditor::EditText(this, time_function::kAdvectiveFlow + field_, text);
  if (!edited) return;
  editing::SetFlowFunctionText(form_, field_, need.selection, *edited);
  FillFunctions(need.selection);
}

void GroupDEditor::ChooseFile() {
  std::optional<std::string> path =
      doc_.platform().ChooseOpenFile("CORVEN input files (*.hyd)|*.hyd|All Files (*.*)|*.*||");
  if (path) hydfil_->setText(FromStored(*path));
}

void GroupDEditor::EditBypassOptions() {
  ui::EditBypassOptions(this, doc_.group_a.SIMTYP, *bypass_);
}

void GroupDEditor::accept() {
  if (!CheckNumberFields(this)) return;
  GroupDDlg& v = form_.values;
  if (!TakeStoredTexts(doc_.platform(), "The file name holds a character that cannot be stored.",
                       {{hydfil_, &v.hydrodynamic_file}})) {
    return;
  }
  v.flow_option = editing::OptionStored(v.flow_option, iqopt_->currentIndex(), iqopt_->count());
  // Typed bypass text counts, as in group B's editor, not only the check list's.
  v.bypass_text = editing::NormaliseList(Std(bypass_));
  v.bypass.Parse(v.bypass_text, false);
  editing::AcceptGroupD(doc_, form_);
  QDialog::accept();
}

bool RunGroupDEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupDEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
