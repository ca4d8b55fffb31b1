// "Edit Group G Global Parameters (Parameters)": one row per segment-parameter slot of the
// simulation type, with the global value that decides whether the parameter is written.
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
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
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
    const int simtyp = doc.group_a.SIMTYP;
    group_.SetSlotCountFromType(simtyp);
    const int rows = std::clamp(group_.slot_count, 0, GroupGDlg::kSlots);

    title_ = new QLineEdit(FromStored(group_.title), this);
    title_->setObjectName("title");
    auto* title_row = new QHBoxLayout;
    title_row->addWidget(new QLabel(tr("Title:"), this));
    title_row->addWidget(title_, 1);

    grid_ = HeaderedGrid(
        this, "parameterGrid",
        {tr("Parameter Number (ISC)"), tr("Parameter Name (PNAME)"), tr("Value (PARAM)")}, rows);
    for (int slot = 0; slot < rows; ++slot) {
      const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
      grid_->SetCellText(slot + 1, 0, row != nullptr ? QString(row->number) : QString());
      grid_->SetCellText(slot + 1, 1, FromStored(group_.names[static_cast<size_t>(slot)]));
      grid_->SetCellText(
          slot + 1, 2, QString::fromStdString(RealText(group_.values[static_cast<size_t>(slot)])));
    }
    grid_->resizeColumnsToContents();
    grid_->SetNumberColumn(2, NumberKind::kReal);
    grid_->SetCellValidator([this](int row, int column, const QString& text) {
      GridWidget::CellCheck check;
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      check.text = FromStored(ed::SetGroupGCell(group_, row - 1, column, stored));
      return check;
    });

    description_ = new QPlainTextEdit(this);
    description_->setObjectName("description");
    description_->setReadOnly(true);
    description_->setMaximumHeight(70);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this, simtyp](int row) {
      const SegmentParameterRow* entry = vocabulary::SegmentParameter(simtyp, row - 1);
      description_->setPlainText(entry != nullptr ? QString(entry->description) : QString());
    });

    auto* defaults = new QPushButton(tr("Use/Restore default parameter names (PNAME)"), this);
    defaults->setObjectName("defaultNames");
    connect(defaults, &QPushButton::clicked, this, [this, simtyp, rows] {
      for (int slot = 0; slot < rows; ++slot) {
        const SegmentParameterRow* entry = vocabulary::SegmentParameter(simtyp, slot);
        const QString name = entry != nullptr ? QString(entry->name) : QString();
        grid_->SetCellText(slot + 1, 1,
                           FromStored(ed::SetGroupGCell(group_, slot, 1, name.toStdString())));
      }
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupGEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title_row);
    layout->addWidget(grid_, 1);
    layout->addWidget(description_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(620, 560);
    if (rows > 0) grid_->setCurrentCell(1, 1);  // shows the first description
  }

  void accept() override {
    if (!ToStored(title_->text(), group_.title)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    ed::AcceptGroupG(doc_, group_);
    QDialog::accept();
  }

 private:
  COrvoBuilderDoc& doc_;
  GroupGDlg group_;
  QLineEdit* title_ = nullptr;
  GridWidget* grid_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
};

}  // namespace

bool RunGroupGEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupGEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
