#include "ui/network/segment_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/cards.h"
#include "groups/group_e.h"
#include "groups/node_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "ui/editors/node_group_editors.h"
#include "ui/widgets/number_field.h"

namespace orvo::ui {

namespace ne = orvo::node_editing;

SegmentDialog::SegmentDialog(COrvoBuilderCntrItem& node, QWidget* parent)
    : QDialog(parent), node_(node) {
  setWindowTitle(tr("Segment Parameters"));
  for (int i = segment_param::kSegmentId; i < static_cast<int>(copy_.size()); ++i) {
    copy_[static_cast<size_t>(i)] = node_.GetParameter(i);
  }
  segment_id_ = new QLineEdit(QString::fromStdString(copy_[segment_param::kSegmentId]), this);
  segment_id_->setObjectName("segmentId");
  auto* form = new QFormLayout;
  form->addRow(tr("Segment ID:"), segment_id_);
  MakeNumberField(segment_id_, tr("Segment ID"), NumberKind::kInteger);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto button = [this, layout](const QString& text, const char* name,
                               void (SegmentDialog::*slot)()) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    layout->addWidget(b);
  };
  button(tr("Edit Group C (Volumes) "), "editGroupC", &SegmentDialog::EditGroupC);
  button(tr("Edit Group E (Boundary Concentrations)"), "editGroupE", &SegmentDialog::EditGroupE);
  button(tr("Edit Group F (Waste Loads)"), "editGroupF", &SegmentDialog::EditGroupF);
  button(tr("Edit Group G (Parameters)"), "editGroupG", &SegmentDialog::EditGroupG);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::string SegmentDialog::Parameter(int index) const {
  return index >= segment_param::kSegmentId && index < static_cast<int>(copy_.size())
             ? copy_[static_cast<size_t>(index)]
             : std::string();
}

void SegmentDialog::EditGroupC() {
  const COrvoBuilderDoc& doc = node_.document();
  const GroupCValues values{copy_[segment_param::kSegmentType], copy_[segment_param::kIBOTSEG],
                            copy_[segment_param::kBVOL],        copy_[segment_param::kVMULT],
                            copy_[segment_param::kVEXP],        copy_[segment_param::kDMULT],
                            copy_[segment_param::kDXP]};
  GroupCNodeEditor editor(doc.platform(), values, doc.group_a.NOSEG, doc.group_c.units,
                          doc.group_c.CONVV, this);
  if (editor.exec() != QDialog::Accepted) return;
  const GroupCValues& v = editor.values();
  copy_[segment_param::kSegmentType] = v.segment_type;
  copy_[segment_param::kIBOTSEG] = v.IBOTSEG;
  copy_[segment_param::kDMULT] = v.DMULT;
  copy_[segment_param::kDXP] = v.DXP;
  copy_[segment_param::kVEXP] = v.VEXP;
  copy_[segment_param::kVMULT] = v.VMULT;
  copy_[segment_param::kBVOL] = v.BVOL;
}

namespace {

// Systems are set up in group A; without any a per-system editor has no rows.
bool HaveSystems(QWidget* parent, COrvoBuilderDoc& doc) {
  if (group_e::SystemCount(doc) > 0) return true;
  return OfferGlobalEditor(parent, doc, 'A',
                           QStringLiteral("The project has no systems yet. Choose the simulation "
                                          "type and the number of systems (NOSYS) in Group A "
                                          "first.")) &&
         group_e::SystemCount(doc) > 0;
}

}  // namespace

void SegmentDialog::EditGroupE() {
  if (!HaveSystems(this, node_.document())) return;
  const COrvoBuilderDoc& doc = node_.document();
  const int systems = group_e::SystemCount(doc);
  const std::vector<std::string> texts =
      ne::SystemFunctionTexts(copy_[segment_param::kGroupE], static_cast<size_t>(systems));
  SystemFunctionEditor editor(SystemFunctionEditor::kBoundaries, doc.platform(), doc.group_a.SIMTYP,
                              systems, texts, group_e::BreakCounts(doc), this);
  if (editor.exec() != QDialog::Accepted || editor.texts() == texts) return;
  copy_[segment_param::kGroupE] = ne::SystemRecordText(editor.texts());
}

void SegmentDialog::EditGroupF() {
  if (!HaveSystems(this, node_.document())) return;
  const COrvoBuilderDoc& doc = node_.document();
  const int systems = group_e::SystemCount(doc);
  // The value always has one entry per settings slot, rows past NOSYS staying empty.
  const std::vector<std::string> texts = ne::SystemFunctionTexts(
      copy_[segment_param::kGroupF], static_cast<size_t>(GroupFDlg::kSystems));
  SystemFunctionEditor editor(SystemFunctionEditor::kLoads, doc.platform(), doc.group_a.SIMTYP,
                              systems, texts, {}, this);
  if (editor.exec() != QDialog::Accepted || editor.texts() == texts) return;
  copy_[segment_param::kGroupF] = ne::SystemRecordText(editor.texts());
}

void SegmentDialog::EditGroupG() {
  // The parameters a segment has depend on the simulation type.
  if (vocabulary::SegmentParameterCount(node_.document().group_a.SIMTYP) == 0 &&
      (!OfferGlobalEditor(this, node_.document(), 'A',
                          QStringLiteral("The segment parameters depend on the simulation type, "
                                         "which is not chosen yet. Choose it in Group A first.")) ||
       vocabulary::SegmentParameterCount(node_.document().group_a.SIMTYP) == 0)) {
    return;
  }
  const COrvoBuilderDoc& doc = node_.document();
  const SimulationType simtyp = doc.group_a.SIMTYP;
  std::vector<ne::ParameterPair> pairs;
  if (!ne::SplitParameterPairs(copy_[segment_param::kGroupG], simtyp, pairs)) {
    doc.platform().ShowMessage(ne::kGroupGCorrupt);
    return;
  }
  GroupGNodeEditor editor(doc.platform(), simtyp, pairs, this);
  if (editor.exec() != QDialog::Accepted) return;
  const std::string text = ne::ParameterPairsText(editor.pairs());
  // Unchanged pairs keep the stored text as it was.
  if (text != ne::ParameterPairsText(pairs)) copy_[segment_param::kGroupG] = text;
}

void SegmentDialog::accept() {
  if (!CheckNumberFields(this)) return;
  copy_[segment_param::kSegmentId] = IntText(AtoI(segment_id_->text().toStdString()));
  // The loads of group F are copied under the node's segment ID, so the ID goes last; an ID
  // typed here is carried out by the document (ChangeSegmentID) after the dialog.
  for (int i = segment_param::kSegmentType; i <= segment_param::kGroupG; ++i) {
    const std::string& text = copy_[static_cast<size_t>(i)];
    if (node_.GetParameter(i) != text) node_.SetParameter(i, text);
  }
  if (node_.GetParameter(segment_param::kSegmentId) != copy_[segment_param::kSegmentId])
    node_.SetParameter(segment_param::kSegmentId, copy_[segment_param::kSegmentId]);
  QDialog::accept();
}

}  // namespace orvo::ui
