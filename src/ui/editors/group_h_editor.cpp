// "Edit Group H Parameters (Constants)": blocks ("Globals" and one per system), the fields
// of the selected block and the constants of the selected field, side by side.
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/group_editing.h"
#include "model/project_document.h"
#include "ui/editors/group_editors.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

namespace ed = orvo::editing;

GridWidget* ListGrid(QWidget* parent, const char* name, const QStringList& headers) {
  auto* grid = new GridWidget(1, static_cast<int>(headers.size()), parent);
  grid->setObjectName(name);
  grid->SetFixedRowCount(1);
  grid->SetRowSelection(true);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->horizontalHeader()->setVisible(false);
  grid->verticalHeader()->setVisible(false);
  for (int c = 0; c < headers.size(); ++c) grid->SetCellText(0, c, headers[c]);
  return grid;
}

// The data row (from 0) selected in a grid with one header row; -1 when none.
int Selected(const GridWidget* grid) {
  const int row = grid->SelectedRow();
  return row >= 1 ? row - 1 : -1;
}

void SelectRow(GridWidget* grid, int data_row) {
  grid->clearSelection();
  if (data_row >= 0 && data_row + 1 < grid->rowCount()) grid->selectRow(data_row + 1);
}

class GroupHEditor : public QDialog {
 public:
  GroupHEditor(COrvoBuilderDoc& doc, QWidget* parent)
      : QDialog(parent), doc_(doc), group_(doc.group_h) {
    setWindowTitle(tr("Edit Group H Parameters (Constants)"));
    const int block_count = std::clamp(doc.group_a.NOSYS + 1, 1, GroupHDlg::kBlocks);

    title_ = new QLineEdit(FromStored(group_.title), this);
    title_->setObjectName("title");
    title_->setMaxLength(80);
    auto* title_row = new QHBoxLayout;
    title_row->addWidget(new QLabel(tr("Title:"), this));
    title_row->addWidget(title_, 1);

    blocks_ = ListGrid(this, "systemGrid", {tr("System Name")});
    blocks_->setRowCount(block_count + 1);
    for (int b = 0; b < block_count; ++b)
      blocks_->SetCellText(b + 1, 0, FromStored(group_.blocks[static_cast<size_t>(b)].At(0)));
    blocks_->SetCellValidator([this](int row, int, const QString& text) {
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      ed::SetBlockName(group_, row - 1, stored);
      if (row - 1 == Selected(blocks_)) RefreshFields(Selected(fields_));
      return GridWidget::CellCheck{true, text, {}};
    });

    fields_ = ListGrid(this, "fieldGrid", {tr("Field Name")});
    fields_->SetCellValidator([this](int row, int, const QString& text) {
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      ed::SetFieldName(group_, Selected(blocks_), row - 1, stored);
      return GridWidget::CellCheck{true, text, {}};
    });
    connect(fields_, &GridWidget::CellEdited, this, [this] { RefreshConstants(-1); });

    constants_ =
        ListGrid(this, "constantGrid",
                 {tr("Constant Name (TNAME(ISC))"), tr("ISC"), tr("Constant Value (CONST(ISC))")});
    constants_->SetNumberColumn(1, NumberKind::kReal);  // ISC keeps its whole part, as typed before
    constants_->SetNumberColumn(2, NumberKind::kReal);
    constants_->SetCellValidator([this](int row, int column, const QString& text) {
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      return GridWidget::CellCheck{
          true,
          FromStored(ed::SetConstantCell(group_, Selected(blocks_), Selected(fields_), row - 1,
                                         column, stored)),
          {}};
    });

    field_heading_ = new QLabel(this);
    field_heading_->setObjectName("fieldHeading");
    constant_heading_ = new QLabel(this);
    constant_heading_->setObjectName("constantHeading");

    connect(blocks_, &QTableWidget::itemSelectionChanged, this, [this] {
      if (!filling_) RefreshFields(-1);
    });
    connect(fields_, &QTableWidget::itemSelectionChanged, this, [this] {
      if (!filling_) RefreshConstants(-1);
    });

    auto button = [this](const QString& text, const char* name, auto action) {
      auto* b = new QPushButton(text, this);
      b->setObjectName(name);
      connect(b, &QPushButton::clicked, this, action);
      return b;
    };
    QPushButton* new_field = button(tr("New"), "newField", [this] { NewField(); });
    QPushButton* delete_field = button(tr("Delete"), "deleteField", [this] { DeleteField(); });
    QPushButton* new_constant = button(tr("New"), "newConstant", [this] { NewConstant(); });
    QPushButton* delete_constant =
        button(tr("Delete"), "deleteConstant", [this] { DeleteConstant(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupHEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grids = new QGridLayout;
    grids->addWidget(new QLabel(tr("Systems:"), this), 0, 0);
    grids->addWidget(field_heading_, 0, 1);
    grids->addWidget(constant_heading_, 0, 2);
    grids->addWidget(blocks_, 1, 0);
    grids->addWidget(fields_, 1, 1);
    grids->addWidget(constants_, 1, 2);
    auto* field_buttons = new QHBoxLayout;
    field_buttons->addWidget(new_field);
    field_buttons->addWidget(delete_field);
    grids->addLayout(field_buttons, 2, 1);
    auto* constant_buttons = new QHBoxLayout;
    constant_buttons->addWidget(new_constant);
    constant_buttons->addWidget(delete_constant);
    grids->addLayout(constant_buttons, 2, 2);
    grids->setColumnStretch(2, 2);
    grids->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title_row);
    layout->addLayout(grids, 1);
    layout->addWidget(buttons);
    resize(900, 480);
    RefreshFields(-1);
  }

  void accept() override {
    if (!ToStored(title_->text(), group_.title)) {
      doc_.platform().ShowMessage(kNotStorable);
      return;
    }
    ed::AcceptGroupH(doc_, group_);
    QDialog::accept();
  }

 private:
  // Refills the field grid from the selected block and selects field (-1 none).
  void RefreshFields(int field) {
    const int block = Selected(blocks_);
    const std::vector<std::string> names = ed::FieldNames(group_, block);
    filling_ = true;
    fields_->setRowCount(static_cast<int>(names.size()) + 1);
    for (size_t f = 0; f < names.size(); ++f)
      fields_->SetCellText(static_cast<int>(f) + 1, 0, FromStored(names[f]));
    SelectRow(fields_, field);
    filling_ = false;
    field_heading_->setText(
        block < 0 ? QString()
                  : tr("Fields for system ") +
                        FromStored(group_.blocks[static_cast<size_t>(block)].At(0)) + ":");
    RefreshConstants(-1);
  }

  void RefreshConstants(int constant) {
    const int block = Selected(blocks_);
    const int field = Selected(fields_);
    const std::vector<std::array<std::string, 3>> rows = ed::Constants(group_, block, field);
    filling_ = true;
    constants_->setRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
      for (int c = 0; c < 3; ++c)
        constants_->SetCellText(static_cast<int>(r) + 1, c,
                                FromStored(rows[r][static_cast<size_t>(c)]));
    }
    SelectRow(constants_, constant);
    filling_ = false;
    const std::vector<std::string> names = ed::FieldNames(group_, block);
    constant_heading_->setText(field < 0 || static_cast<size_t>(field) >= names.size()
                                   ? QString()
                                   : tr("Constants for field ") +
                                         FromStored(names[static_cast<size_t>(field)]) + ":");
  }

  void Report(const ed::ActionResult& result) {
    if (!result.message.empty()) doc_.platform().ShowMessage(result.message);
  }

  void NewField() {
    const ed::ActionResult result = ed::NewField(group_, Selected(blocks_));
    Report(result);
    if (result.message.empty()) RefreshFields(result.selection);
  }
  void DeleteField() {
    const ed::ActionResult result = ed::DeleteField(group_, Selected(blocks_), Selected(fields_));
    Report(result);
    if (result.message.empty()) RefreshFields(result.selection);
  }
  void NewConstant() {
    const ed::ActionResult result = ed::NewConstant(group_, Selected(blocks_), Selected(fields_));
    Report(result);
    if (result.message.empty()) RefreshConstants(result.selection);
  }
  void DeleteConstant() {
    const ed::ActionResult result =
        ed::DeleteConstant(group_, Selected(blocks_), Selected(fields_), Selected(constants_));
    Report(result);
    if (result.message.empty()) RefreshConstants(result.selection);
  }

  COrvoBuilderDoc& doc_;
  GroupHDlg group_;
  bool filling_ = false;
  QLineEdit* title_ = nullptr;
  GridWidget* blocks_ = nullptr;
  GridWidget* fields_ = nullptr;
  GridWidget* constants_ = nullptr;
  QLabel* field_heading_ = nullptr;
  QLabel* constant_heading_ = nullptr;
};

}  // namespace

bool RunGroupHEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupHEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
