#include "ui/editors/group_c_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "groups/group_editing.h"
#include "model/number_text.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

GroupCEditor::GroupCEditor(COrvoBuilderDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), group_(doc.group_c) {
  setWindowTitle("Edit Group C Global Parameters (Volumes)");
  auto* fields = new QFormLayout;
  title_ = new QLineEdit(FromStored(group_.title), this);
  fields->addRow("Title:", title_);
  ivopt_ = new QComboBox(this);
  ivopt_->addItems(
      {"(1) Constant water column volumes", "(2, 3) Volumes adjusted to maintain flow continuity"});
  ivopt_->setCurrentIndex(editing::OptionIndex(group_.IVOPT, ivopt_->count()));
  fields->addRow("Water Column Volume (IVOPT):", ivopt_);
  ibedv_ = new QComboBox(this);
  ibedv_->addItems(
      {"(0) Constant bed volumes", "(1) Bed volumes change in response to sediment transport"});
  ibedv_->setCurrentIndex(editing::OptionIndex(group_.IBEDV, ibedv_->count()));
  fields->addRow("Bentic Volume Option (IBEDV):", ibedv_);
  tdints_prompt_ = new QLabel(this);
  tdints_ = new QLineEdit(Text(RealText(group_.TDINTS)), this);
  fields->addRow(tdints_prompt_, tdints_);
  scalv_ = new QLineEdit(Text(RealText(group_.SCALV)), this);
  fields->addRow("Scale Factor for Volumes (SCALV):", scalv_);
  convv_ = new QLineEdit(Text(RealText(group_.CONVV)), this);
  fields->addRow("Conversion Factor for Volumes (CONVV):", convv_);
  units_ = new QLineEdit(FromStored(group_.units), this);
  fields->addRow("Name of units:", units_);
  MakeNumberField(tdints_, "Benthic time step (TDINTS)");
  MakeNumberField(scalv_, "Scale Factor for Volumes (SCALV)");
  MakeNumberField(convv_, "Conversion Factor for Volumes (CONVV)");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GroupCEditor::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);

  IBEDVChosen();
  connect(ibedv_, &QComboBox::activated, this, &GroupCEditor::IBEDVChosen);
}

void GroupCEditor::IBEDVChosen() {
  const int ibedv = editing::OptionStored(group_.IBEDV, ibedv_->currentIndex(), ibedv_->count());
  if (ibedv == 0) {
    tdints_prompt_->setText("Benthic time step in days for recomputing porosity (TDINTS):");
  } else if (ibedv == 1) {
    tdints_prompt_->setText(
        "Benthic time step in days for recomputing sediment bed compaction (TDINTS):");
  }
}

void GroupCEditor::accept() {
  if (!CheckNumberFields(this)) return;
  if (!TakeStoredTexts(doc_.platform(),
                       "The title or the unit name holds a character that cannot be stored.",
                       {{title_, &group_.title}, {units_, &group_.units}})) {
    return;
  }
  group_.IVOPT = editing::OptionStored(group_.IVOPT, ivopt_->currentIndex(), ivopt_->count());
  group_.IBEDV = editing::OptionStored(group_.IBEDV, ibedv_->currentIndex(), ibedv_->count());
  group_.TDINTS = AtoF(Std(tdints_));
  group_.SCALV = AtoF(Std(scalv_));
  group_.CONVV = AtoF(Std(convv_));
  editing::AcceptGroupC(doc_, group_);
  QDialog::accept();
}

bool RunGroupCEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupCEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
