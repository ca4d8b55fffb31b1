// "Edit Group F Global Parameters (Waste Loads)": per-system factors in the upper grid and,
// for the selected system, each segment's load function in the lower one.
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/group_editing.h"
#include "groups/time_function_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

namespace ed = orvo::editing;

constexpr const char* kNonpointFilter = "Nonpoint source files (*.*)|*.*|All Files (*.*)|*.*||";

class GroupFEditor : public QDialog {
 public:
  GroupFEditor(COrvoBuilderDoc& doc, QWidget* parent)
      : QDialog(parent), doc_(doc), form_(ed::OpenGroupF(doc)) {
    setWindowTitle(tr("Edit Group F Global Parameters (Waste Loads)"));
    const int nosys = std::clamp(doc.group_a.NOSYS, 0, GroupFDlg::kSystems);

    file_ = new QLineEdit(FromStored(form_.values.nonpoint_file), this);
    file_->setObjectName("nonpointFile");
    auto* file_button = new QPushButton(tr("File"), this);
    file_button->setObjectName("fileButton");
    connect(file_button, &QPushButton::clicked, this, [this] { ChooseFile(); });
    auto* file_row = new QHBoxLayout;
    file_row->addWidget(new QLabel(tr("Optional Nonpoint Source file name:"), this));
    file_row->addWidget(file_, 1);
    file_row->addWidget(file_button);

    systems_ = HeaderedGrid(this, "systemGrid",
                            {tr("System"), tr("Scale Factor (SCALW)"),
                             tr("Conversion Factor (CONVW)"), tr("Units"), tr("Title (TITLE)")},
                            nosys);
    for (int k = 0; k < nosys; ++k) {
      systems_->SetCellText(k + 1, 0,
                            FromStored(vocabulary::SystemName(doc.group_a.SIMTYP, k + 1)));
      for (int c = 1; c <= 4; ++c)
        systems_->SetCellText(k + 1, c,
                              FromStored(form_.values.Entry(k, static_cast<size_t>(c - 1))));
    }
    systems_->SetNumberColumn(1, NumberKind::kReal);
    systems_->SetNumberColumn(2, NumberKind::kReal);
    systems_->SetCellValidator([this](int row, int column, const QString& text) {
      GridWidget::CellCheck check;
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      check.text = FromStored(ed::SetGroupFCell(form_, row - 1, column, stored));
      return check;
    });
    // A first edit of an empty slot gives it its defaults: show them all.
    connect(systems_, &GridWidget::CellEdited, this, [this](int row, int column) {
      for (int c = 1; c <= 4; ++c) {
        if (c != column)
          systems_->SetCellText(
              row, c, FromStored(form_.values.Entry(row - 1, static_cast<size_t>(c - 1))));
      }
    });
    connect(systems_, &QTableWidget::currentCellChanged, this,
            [this](int row) { SelectSystem(row - 1); });

    system_line_ = new QLineEdit(this);
    system_line_->setObjectName("systemName");
    system_line_->setReadOnly(true);

    const int noseg = std::max(doc.group_a.NOSEG, 0);
    loads_ = HeaderedGrid(this, "loadGrid", {tr("Segment ID"), tr("Time Function List")}, noseg);
    for (int i = 0; i < noseg; ++i) loads_->SetCellText(i + 1, 0, QString::number(i + 1));
    loads_->setColumnWidth(1, 400);
    loads_->SetNumberColumn(1, NumberKind::kRealList, true);
    loads_->SetCellValidator([this](int row, int, const QString& text) {
      GridWidget::CellCheck check;
      const std::string typed = text.toStdString();
      // Only a changed text counts as an edit of the segment's load.
      if (ed::NormaliseNumberList(typed) == loads_->CellText(row, 1).toStdString()) {
        check.text = loads_->CellText(row, 1);
        return check;
      }
      check.text = QString::fromStdString(ed::SetLoadFunction(form_, system_, row, typed));
      return check;
    });

    auto* edit_button = new QPushButton(tr("Edit Time Function"), this);
    edit_button->setObjectName("editTimeFunction");
    connect(edit_button, &QPushButton::clicked, this, [this] { EditTimeFunction(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupFEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file_row);
    layout->addWidget(systems_, 1);
    layout->addWidget(system_line_);
    layout->addWidget(loads_, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(edit_button);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(760, 560);

    SelectSystem(std::clamp(form_.values.current_system, 0, std::max(nosys - 1, 0)));
  }

  void accept() override {
    std::string file;
    if (!ToStored(file_->text(), file)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    form_.values.nonpoint_file = file;
    ed::AcceptGroupF(doc_, form_);
    QDialog::accept();
  }

 private:
  void SelectSystem(int system) {
    if (system < 0 || system >= systems_->rowCount() - 1) return;
    system_ = system;
    form_.values.current_system = system;
    system_line_->setText(
        tr("System ") + FromStored(vocabulary::SystemName(doc_.group_a.SIMTYP, system + 1)) + ":");
    const std::vector<std::string> rows = ed::LoadRows(doc_, form_, system);
    for (size_t i = 0; i < rows.size(); ++i)
      loads_->SetCellText(static_cast<int>(i) + 1, 1, QString::fromStdString(rows[i]));
  }

  void ChooseFile() {
    const std::optional<std::string> path =
        doc_.platform().ChooseSaveFile(kNonpointFilter, form_.values.nonpoint_file);
    if (!path) return;
    form_.values.nonpoint_file = *path;
    file_->setText(FromStored(*path));
  }

  void EditTimeFunction() {
    const int row = loads_->SelectedRow() >= 1 ? loads_->SelectedRow() : loads_->currentRow();
    if (row < 1) return;
    const std::optional<std::string> text = TimeFunctionEditor::EditText(
        this, time_function::kPointSource, loads_->CellText(row, 1).toStdString());
    if (!text) return;
    loads_->SetCellText(row, 1,
                        QString::fromStdString(ed::SetLoadFunction(form_, system_, row, *text)));
  }

  COrvoBuilderDoc& doc_;
  ed::GroupFForm form_;
  int system_ = 0;
  QLineEdit* file_ = nullptr;
  GridWidget* systems_ = nullptr;
  QLineEdit* system_line_ = nullptr;
  GridWidget* loads_ = nullptr;
};

}  // namespace

bool RunGroupFEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupFEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
