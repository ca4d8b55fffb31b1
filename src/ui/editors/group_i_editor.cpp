// "Edit Group I Parameters (Kinetic Time Functions)": one row per kinetic time function the
// simulation type offers, each a name and a function kept as blank-separated numbers.
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/group_editing.h"
#include "groups/time_function_editing.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
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
    const int simtyp = doc.group_a.SIMTYP;
    group_.SetSlotCountFromType(simtyp);
    const int rows = std::clamp(group_.slot_count, 0, GroupIDlg::kSlots);

    title_ = new QLineEdit(FromStored(group_.title), this);
    title_->setObjectName("title");
    auto* title_row = new QHBoxLayout;
    title_row->addWidget(new QLabel(tr("Title:"), this));
    title_row->addWidget(title_, 1);

    grid_ =
        HeaderedGrid(this, "functionGrid",
                     {tr("ISC"), tr("Name (ANAME)"), tr("Time Functions (VALT(K), T(K))")}, rows);
    for (int slot = 0; slot < rows; ++slot) {
      const size_t at = static_cast<size_t>(slot);
      grid_->SetCellText(slot + 1, 0, QString::number(slot + 1));
      grid_->SetCellText(slot + 1, 1, FromStored(group_.names[at]));
      grid_->SetCellText(slot + 1, 2, QString::fromStdString(group_.functions[at]));
    }
    grid_->setColumnWidth(1, 120);
    grid_->setColumnWidth(2, 400);
    grid_->SetNumberColumn(2, NumberKind::kRealList, true);
    grid_->SetCellValidator([this](int row, int column, const QString& text) {
      GridWidget::CellCheck check;
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      check.text = FromStored(ed::SetGroupICell(group_, row - 1, column, stored));
      return check;
    });

    description_ = new QPlainTextEdit(this);
    description_->setObjectName("description");
    description_->setReadOnly(true);
    description_->setMaximumHeight(70);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this, simtyp](int row) {
      const TimeFunctionRow* entry = vocabulary::TimeFunction(simtyp, row - 1);
      description_->setPlainText(entry != nullptr ? QString(entry->description) : QString());
    });

    auto* edit = new QPushButton(tr("Edit Time Functions"), this);
    edit->setObjectName("editTimeFunctions");
    connect(edit, &QPushButton::clicked, this, [this] { EditTimeFunction(); });
    auto* defaults = new QPushButton(tr("Use/Restore default parameter names (PNAME)"), this);
    defaults->setObjectName("defaultNames");
    connect(defaults, &QPushButton::clicked, this, [this, simtyp, rows] {
      for (int slot = 0; slot < rows; ++slot) {
        const TimeFunctionRow* entry = vocabulary::TimeFunction(simtyp, slot);
        const std::string name = entry != nullptr ? entry->name : "";
        grid_->SetCellText(slot + 1, 1, FromStored(ed::SetGroupICell(group_, slot, 1, name)));
      }
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupIEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title_row);
    layout->addWidget(grid_, 1);
    layout->addWidget(description_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(edit);
    bottom->addWidget(defaults);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(720, 560);
    if (rows > 0) grid_->setCurrentCell(1, 1);  // shows the first description
  }

  void accept() override {
    if (!ToStored(title_->text(), group_.title)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    ed::AcceptGroupI(doc_, group_);
    QDialog::accept();
  }

 private:
  void EditTimeFunction() {
    const int row = grid_->SelectedRow() >= 1 ? grid_->SelectedRow() : grid_->currentRow();
    if (row < 1) return;
    const std::optional<std::string> text = TimeFunctionEditor::EditText(
        this, time_function::kKineticFunction, group_.functions[static_cast<size_t>(row - 1)]);
    if (!text) return;
    grid_->SetCellText(row, 2,
                       QString::fromStdString(ed::SetGroupICell(group_, row - 1, 2, *text)));
  }

  COrvoBuilderDoc& doc_;
  GroupIDlg group_;
  QLineEdit* title_ = nullptr;
  GridWidget* grid_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
};

}  // namespace

bool RunGroupIEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupIEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
