#include "ui/editors/group_a_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/time_function_editing.h"
#include "model/number_text.h"
#include "ui/editors/bypass_options_dialog.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

QComboBox* OptionList(QWidget* parent, const QStringList& items, int stored) {
  auto* combo = new QComboBox(parent);
  combo->addItems(items);
  combo->setCurrentIndex(editing::OptionIndex(stored, static_cast<int>(items.size())));
  return combo;
}

int StoredOption(const QComboBox* combo, int stored) {
  return editing::OptionStored(stored, combo->currentIndex(), combo->count());
}

// The type list shows the simulation types in their order.
SimulationType ChosenType(const QComboBox* combo, SimulationType stored) {
  return static_cast<SimulationType>(StoredOption(combo, stored));
}

}  // namespace

GroupAEditor::GroupAEditor(COrvoBuilderDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(editing::OpenGroupA(doc)) {
  setWindowTitle("Edit Group A Global Parameters (Model Identification)");
  const GroupADlg& v = form_.values;
  auto* form_layout = new QFormLayout;

  simtyp_ = OptionList(this, {"FENU", "VERDA", "KOBALS"}, v.SIMTYP);
  form_layout->addRow("Simulation Type (SIMTYP):", simtyp_);
  title1_ = new QLineEdit(FromStored(v.TITLE1), this);
  title1_->setMaxLength(75);
  form_layout->addRow("Simulation Title (TITLE1):", title1_);
  title2_ = new QLineEdit(FromStored(v.TITLE2), this);
  title2_->setMaxLength(80);
  form_layout->addRow("Description (TITLE2):", title2_);
  header_ = new QLineEdit(FromStored(v.HEADER), this);
  header_->setMaxLength(80);
  form_layout->addRow("Header (HEADER):", header_);
  noseg_ = new QLineEdit(Text(IntText(v.NOSEG)), this);
  noseg_->setReadOnly(true);
  form_layout->addRow("Number of Segments (NOSEG):", noseg_);
  nosys_ = new QLineEdit(Text(IntText(v.NOSYS)), this);
  form_layout->addRow("Number of Model Systems (NOSYS):", nosys_);
  icfl_ = OptionList(
      this,
      {"(0) Ignore restart file (use input file)", "(1) Write final sim results to restart file",
       "(2) Read IC from restart file; write results to new restart file"},
      v.ICFL);
  form_layout->addRow("Restart File Control Flag (ICFL):", icfl_);
  mflag_ = OptionList(this,
                      {"(0) All messages printed", "(1) Simulation time only printed",
                       "(2) All messages supressed"},
                      v.MFLAG);
  form_layout->addRow("Message Output (MFLAG):", mflag_);
  jmass_ = new QComboBox(this);
  form_layout->addRow("Mass Balance Analysis (JMASS):", jmass_);
  negsln_ =
      OptionList(this, {"(0) No negative solutions", "(1) Negative solutions allowed"}, v.NEGSLN);
  form_layout->addRow("Negative Solution Option (NEGSLN):", negsln_);
  intyp_ = OptionList(this, {"(0) User inputs time step history", "(1) Model calculates time step"},
                      v.INTYP);
  form_layout->addRow("Time Step Options: (INTYP):", intyp_);
  adfac_ = new QLineEdit(Text(RealText(v.ADFAC)), this);
  form_layout->addRow("Advection Factor (ADFAC):", adfac_);
  zday_ = new QLineEdit(Text(RealText(v.ZDAY)), this);
  form_layout->addRow("Start Day (ZDAY):", zday_);
  zhr_ = new QLineEdit(Text(RealText(v.ZHR)), this);
  form_layout->addRow("Start Hour (ZHR):", zhr_);
  zmin_ = new QLineEdit(Text(RealText(v.ZMIN)), this);
  form_layout->addRow("Start Minute (ZMIN):", zmin_);
  tflg_ = OptionList(this, {"(0) Generate file", "(1) Do not generate file"}, v.TFLG);
  form_layout->addRow("Transport File (TFLG):", tflg_);

  QStringList segments;
  for (int id = 1; id <= v.NOSEG; ++id) segments << QString::number(id);
  auto* isegout_row = new QHBoxLayout;
  for (size_t i = 0; i < isegout_.size(); ++i) {
    isegout_[i] = new QComboBox(this);
    isegout_[i]->setEditable(true);
    isegout_[i]->addItems(segments);
    isegout_[i]->setCurrentText(Text(IntText(v.ISEGOUT[i])));
    isegout_row->addWidget(isegout_[i]);
  }
  form_layout->addRow("Segments to display at runtime (ISEGOUT):", isegout_row);

  auto with_button = [this](QLineEdit* edit, const QString& label, void (GroupAEditor::*slot)()) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    auto* button = new QPushButton(label, this);
    connect(button, &QPushButton::clicked, this, slot);
    row->addWidget(button);
    return row;
  };
  time_steps_ = new QLineEdit(Text(form_.time_steps_text), this);
  form_layout->addRow("Model time steps (DTS(I), T(I)):",
                      with_button(time_steps_, "Edit Time Steps", &GroupAEditor::EditTimeSteps));
  print_intervals_ = new QLineEdit(Text(form_.print_intervals_text), this);
  form_layout->addRow(
      "Print intervals (PRINT(I), TPRINT(I)):",
      with_button(print_intervals_, "Edit Print Intervals", &GroupAEditor::EditPrintIntervals));
  sysby_ = new QLineEdit(Text(form_.sysby_text), this);
  form_layout->addRow("System bypass options  (SYSBY(K)):",
                      with_button(sysby_, "Edit Bypass Options", &GroupAEditor::EditBypassOptions));

  MakeNumberField(nosys_, "Number of Model Systems (NOSYS)", NumberKind::kInteger);
  MakeNumberField(adfac_, "Advection Factor (ADFAC)");
  MakeNumberField(zday_, "Start Day (ZDAY)");
  MakeNumberField(zhr_, "Start Hour (ZHR)");
  MakeNumberField(zmin_, "Start Minute (ZMIN)");
  for (QComboBox* segment : isegout_) {
    MakeNumberField(segment->lineEdit(), "Segments to display at runtime (ISEGOUT)",
                    NumberKind::kInteger);
  }
  MakeNumberField(time_steps_, "Model time steps (DTS(I), T(I))", NumberKind::kRealList);
  MakeNumberField(print_intervals_, "Print intervals (PRINT(I), TPRINT(I))", NumberKind::kRealList);
  MakeNumberField(sysby_, "System bypass options (SYSBY(K))", NumberKind::kIntegerList);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GroupAEditor::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form_layout);
  layout->addWidget(buttons);

  FillJMASS();
  connect(simtyp_, &QComboBox::activated, this, &GroupAEditor::SimulationTypeChosen);
  connect(nosys_, &QLineEdit::editingFinished, this, &GroupAEditor::LeaveNOSYS);
  connect(time_steps_, &QLineEdit::editingFinished, this, &GroupAEditor::LeaveTimeSteps);
  connect(print_intervals_, &QLineEdit::editingFinished, this, &GroupAEditor::LeavePrintIntervals);
  connect(sysby_, &QLineEdit::editingFinished, this, &GroupAEditor::LeaveSYSBY);
}

void GroupAEditor::FillJMASS() {
  // The chosen system survives a refill while it still exists; otherwise "None".
  int chosen = jmass_->count() > 0 ? jmass_->currentIndex() : form_.values.JMASS;
  jmass_->clear();
  jmass_->addItem("None");
  for (int system = 1; system <= form_.values.NOSYS; ++system)
    jmass_->addItem(QString::number(system));
  jmass_->setCurrentIndex(chosen >= 0 && chosen < jmass_->count() ? chosen : 0);
}

void GroupAEditor::SimulationTypeChosen(int index) {
  form_.sysby_text = editing::NormaliseList(Std(sysby_));
  editing::ChooseSimulationType(form_, static_cast<SimulationType>(index));
  nosys_->setText(Text(IntText(form_.values.NOSYS)));
  sysby_->setText(Text(form_.sysby_text));
  FillJMASS();
}

void GroupAEditor::LeaveNOSYS() {
  form_.values.SIMTYP = ChosenType(simtyp_, form_.values.SIMTYP);
  form_.sysby_text = editing::NormaliseList(Std(sysby_));
  editing::LeaveNOSYS(form_, AtoI(Std(nosys_)));
  nosys_->setText(Text(IntText(form_.values.NOSYS)));
  sysby_->setText(Text(form_.sysby_text));
  FillJMASS();
}

void GroupAEditor::LeaveTimeSteps() {
  time_steps_->setText(Text(editing::NormaliseNumberList(Std(time_steps_))));
}

void GroupAEditor::LeavePrintIntervals() {
  print_intervals_->setText(Text(editing::NormaliseNumberList(Std(print_intervals_))));
}

void GroupAEditor::LeaveSYSBY() {
  sysby_->setText(Text(editing::NormaliseList(Std(sysby_))));
}

void GroupAEditor::EditTimeSteps() {
  std::optional<std::string> edited = TimeFunctionEditor::EditText(
      this, time_function::kTimeSteps, editing::NormaliseNumberList(Std(time_steps_)));
  if (edited) time_steps_->setText(Text(*edited));
}

void GroupAEditor::EditPrintIntervals() {
  std::optional<std::string> edited = TimeFunctionEditor::EditText(
      this, time_function::kPrintIntervals, editing::NormaliseNumberList(Std(print_intervals_)));
  if (edited) print_intervals_->setText(Text(*edited));
}

void GroupAEditor::EditBypassOptions() {
  StringArray entries;
  entries.Parse(Std(sysby_), false);
  std::optional<std::vector<std::string>> edited =
      BypassOptionsDialog::Edit(this, ChosenType(simtyp_, form_.values.SIMTYP), entries.GetList());
  if (edited) sysby_->setText(Text(StringArray(*edited).Join(' ')));
}

bool GroupAEditor::TakeFields() {
  GroupADlg& v = form_.values;
  std::string title1, title2, header;
  if (!ToStored(title1_->text(), title1) || !ToStored(title2_->text(), title2) ||
      !ToStored(header_->text(), header)) {
    doc_.platform().ShowMessage("The titles hold a character that cannot be stored.");
    return false;
  }
  // OK may come straight from a field that has not been left yet.
  LeaveNOSYS();
  v.TITLE1 = title1;
  v.TITLE2 = title2;
  v.HEADER = header;
  v.SIMTYP = ChosenType(simtyp_, v.SIMTYP);
  v.ICFL = StoredOption(icfl_, v.ICFL);
  v.MFLAG = StoredOption(mflag_, v.MFLAG);
  v.JMASS = StoredOption(jmass_, v.JMASS);
  v.NEGSLN = StoredOption(negsln_, v.NEGSLN);
  v.INTYP = StoredOption(intyp_, v.INTYP);
  v.TFLG = StoredOption(tflg_, v.TFLG);
  v.ADFAC = AtoF(Std(adfac_));
  v.ZDAY = AtoF(Std(zday_));
  v.ZHR = AtoF(Std(zhr_));
  v.ZMIN = AtoF(Std(zmin_));
  for (size_t i = 0; i < isegout_.size(); ++i)
    v.ISEGOUT[i] = AtoI(isegout_[i]->currentText().toStdString());
  form_.time_steps_text = Std(time_steps_);
  form_.print_intervals_text = Std(print_intervals_);
  form_.sysby_text = Std(sysby_);
  return true;
}

void GroupAEditor::accept() {
  if (!CheckNumberFields(this) || !TakeFields()) return;
  editing::AcceptGroupA(doc_, form_);
  QDialog::accept();
}

bool RunGroupAEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupAEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
