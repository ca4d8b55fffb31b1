// "Edit Group G Global Parameters (Parameters)": one row per segment-parameter slot of the
// simulation type, with the global value that decides whether the parameter is written.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "groups/group_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

namespace ed = orvo::editing;

class GroupGEditor : public QDialog {
 public:
  GroupGEditor(COrvoBuilderDoc& doc, QWidget* parent)
      : QDialog(parent), doc_(doc), group_(doc.group_g) {
    setWindowTitle(tr("Edit Group G Global Parameters (Parameters)"));
    const SimulationType simtyp = doc.group_a.SIMTYP;
    group_.SetSlotCountFromType(simtyp);
    const SlotCellKeeper keep = [this](int slot, int column, const std::string& text) {
      return ed::SetGroupGCell(group_, slot, column, text);
    };
    table_ = MakeSlotTable(
        *this, group_.title, "parameterGrid",
        {tr("Parameter Number (ISC)"), tr("Parameter Name (PNAME)"), tr("Value (PARAM)")},
        std::clamp(group_.slot_count, 0, GroupGDlg::kSlots), keep, [simtyp](int slot) {
          const SegmentParameterRow* entry = vocabulary::SegmentParameter(simtyp, slot);
          return entry != nullptr ? QString(entry->description) : QString();
        });
    GridWidget* grid = table_.grid;
    for (int slot = 0; slot < table_.rows; ++slot) {
      const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
      grid->SetCellText(slot + 1, 0, row != nullptr ? QString(row->number) : QString());
      grid->SetCellText(slot + 1, 1, FromStored(group_.names[static_cast<size_t>(slot)]));
      grid->SetCellText(slot + 1, 2,
                        QString::fromStdString(RealText(group_.values[static_cast<size_t>(slot)])));
    }
    grid->resizeColumnsToContents();
    grid->SetNumberColumn(2, NumberKind::kReal);
    QPushButton* defaults = RestoreNamesButton(*this, table_, keep, [simtyp](int slot) {
      const SegmentParameterRow* entry = vocabulary::SegmentParameter(simtyp, slot);
      return std::string(entry != nullptr ? entry->name : "");
    });
    LayOutSlotTable(*this, table_, {defaults}, 620);
  }

  void accept() override {
    if (!ToStored(table_.title->text(), group_.title)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    ed::AcceptGroupG(doc_, group_);
    QDialog::accept();
  }

 private:
  COrvoBuilderDoc& doc_;
  GroupGDlg group_;
  SlotTable table_;
};

}  // namespace

bool RunGroupGEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupGEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
