// "Edit Group I Parameters (Kinetic Time Functions)": one row per kinetic time function the
// simulation type offers, each a name and a function kept as blank-separated numbers.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "groups/group_editing.h"
#include "groups/time_function_editing.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "ui/editors/editor_parts.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

namespace ed = orvo::editing;

class GroupIEditor : public QDialog {
 public:
  GroupIEditor(COrvoBuilderDoc& doc, QWidget* parent)
      : QDialog(parent), doc_(doc), group_(doc.group_i) {
    setWindowTitle(tr("Edit Group I Parameters (Kinetic Time Functions)"));
    const SimulationType simtyp = doc.group_a.SIMTYP;
    group_.SetSlotCountFromType(simtyp);
    const SlotCellKeeper keep = [this](int slot, int column, const std::string& text) {
      return ed::SetGroupICell(group_, slot, column, text);
    };
    table_ = MakeSlotTable(*this, group_.title, "functionGrid",
                           {tr("ISC"), tr("Name (ANAME)"), tr("Time Functions (VALT(K), T(K))")},
                           std::clamp(group_.slot_count, 0, GroupIDlg::kSlots), keep,
                           [simtyp](int slot) {
                             const TimeFunctionRow* entry = vocabulary::TimeFunction(simtyp, slot);
                             return entry != nullptr ? QString(entry->description) : QString();
                           });
    GridWidget* grid = table_.grid;
    for (int slot = 0; slot < table_.rows; ++slot) {
      const size_t at = static_cast<size_t>(slot);
      grid->SetCellText(slot + 1, 0, QString::number(slot + 1));
      grid->SetCellText(slot + 1, 1, FromStored(group_.names[at]));
      grid->SetCellText(slot + 1, 2, QString::fromStdString(group_.functions[at]));
    }
    grid->setColumnWidth(1, 120);
    grid->setColumnWidth(2, 400);
    grid->SetNumberColumn(2, NumberKind::kRealList, true);

    auto* edit = new QPushButton(tr("Edit Time Functions"), this);
    edit->setObjectName("editTimeFunctions");
    connect(edit, &QPushButton::clicked, this, [this] { EditTimeFunction(); });
    QPushButton* defaults = RestoreNamesButton(*this, table_, keep, [simtyp](int slot) {
      const TimeFunctionRow* entry = vocabulary::TimeFunction(simtyp, slot);
      return std::string(entry != nullptr ? entry->name : "");
    });
    LayOutSlotTable(*this, table_, {edit, defaults}, 720);
  }

  void accept() override {
    if (!ToStored(table_.title->text(), group_.title)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    ed::AcceptGroupI(doc_, group_);
    QDialog::accept();
  }

 private:
  void EditTimeFunction() {
    GridWidget* grid = table_.grid;
    const int row = grid->SelectedRow() >= 1 ? grid->SelectedRow() : grid->currentRow();
    if (row < 1) return;
    const std::optional<std::string> text = TimeFunctionEditor::EditText(
        this, time_function::kKineticFunction, group_.functions[static_cast<size_t>(row - 1)]);
    if (!text) return;
    grid->SetCellText(row, 2, QString::fromStdString(ed::SetGroupICell(group_, row - 1, 2, *text)));
  }

  COrvoBuilderDoc& doc_;
  GroupIDlg group_;
  SlotTable table_;
};

}  // namespace

bool RunGroupIEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupIEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
