// "Edit Group J Global Parameters (Initial Conditions)": per-system settings above and the
// selected system's per-segment values below, checked against the value ranges as typed.
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/group_editing.h"
#include "model/project_document.h"
#include "ui/editors/group_editors.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"
#include "validate/value_ranges.h"

namespace orvo::ui {
namespace {

namespace ed = orvo::editing;

class GroupJEditor : public QDialog {
 public:
  GroupJEditor(COrvoBuilderDoc& doc, QWidget* parent)
      : QDialog(parent), doc_(doc), group_(doc.group_j) {
    setWindowTitle(tr("Edit Group J Global Parameters (Initial Conditions)"));
    nosys_ = std::clamp(doc.group_a.NOSYS, 0, GroupJDlg::kSystems);

    systems_ = HeaderedGrid(
        this, "systemGrid",
        {tr("ID"), tr("Chemical/System name (CHEML)"), tr("Solids field (3, 4, or 5) (IFIELD)"),
         tr("Density of system (0.0 for chemical; 0.5-2.5 for solids), kg/L (DSED)"),
         tr("Max concentration, mg/L (CMAX)"), tr("Title")},
        nosys_);
    for (int k = 0; k < nosys_; ++k) {
      systems_->SetCellText(k + 1, 0, QString::number(k + 1));
      ShowSystemRow(k);
    }
    systems_->SetNumberColumn(2, NumberKind::kInteger, true);
    systems_->SetNumberColumn(3, NumberKind::kReal, true);
    systems_->SetNumberColumn(4, NumberKind::kReal, true);
    systems_->SetCellValidator([this](int row, int column, const QString& text) {
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      return GridWidget::CellCheck{
          true, FromStored(ed::SetGroupJSystemCell(group_, row - 1, column, stored)), {}};
    });
    connect(systems_, &GridWidget::CellEdited, this, [this](int row, int column) {
      if (column == 1 && row - 1 == system_) ShowSystemName();
    });
    connect(systems_, &QTableWidget::currentCellChanged, this,
            [this](int row) { SelectSystem(row - 1); });

    system_line_ = new QLineEdit(this);
    system_line_->setObjectName("systemName");
    system_line_->setReadOnly(true);

    segments_ = HeaderedGrid(
        this, "segmentGrid",
        {tr("ID"), tr("Segment Name (ANAME(K))"), tr("Initial Concentration, mg/L (C(ISYS,K))"),
         tr("Dissolved Fraction (DISSF(ISYS,K))")},
        0);
    segments_->SetNumberColumn(2, NumberKind::kReal);
    segments_->SetNumberColumn(3, NumberKind::kReal);
    segments_->SetCellValidator([this](int row, int column, const QString& text) {
      std::string stored;
      if (!ToStored(text, stored)) return GridWidget::CellCheck{false, {}, tr(kNotStorable)};
      const std::optional<std::string> kept = ed::SetGroupJSegmentCell(
          group_, system_, row - 1, column, stored, [this](int value_column, double value) {
            return value_column == 2 ? CheckC(doc_.value_ranges, value, doc_.platform())
                                     : CheckDissf(doc_.value_ranges, value, doc_.platform());
          });
      // A value the user chose not to keep was already answered for: no further message.
      if (!kept) return GridWidget::CellCheck{false, {}, {}};
      return GridWidget::CellCheck{true, FromStored(*kept), {}};
    });

    auto* defaults = new QPushButton(tr("Use/Restore default system names (CHEML)"), this);
    defaults->setObjectName("defaultNames");
    connect(defaults, &QPushButton::clicked, this, [this] {
      ed::RestoreDefaultSystemNames(group_, nosys_, doc_.group_a.SIMTYP);
      for (int k = 0; k < nosys_; ++k)
        systems_->SetCellText(k + 1, 1, FromStored(group_.Entry(k, GroupJDlg::kCheml)));
      ShowSystemName();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GroupJEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(systems_, 1);
    layout->addWidget(system_line_);
    layout->addWidget(segments_, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(820, 580);
    SelectSystem(0);
  }

  void accept() override {
    ed::AcceptGroupJ(doc_, group_);
    QDialog::accept();
  }

 private:
  void ShowSystemRow(int k) {
    for (int c = 1; c <= 5; ++c)
      systems_->SetCellText(k + 1, c, FromStored(group_.Entry(k, static_cast<size_t>(c - 1))));
  }

  void ShowSystemName() {
    system_line_->setText(FromStored(group_.Entry(system_, GroupJDlg::kCheml)));
  }

  void SelectSystem(int system) {
    if (system < 0 || system >= nosys_) return;
    system_ = system;
    ShowSystemName();
    const int rows = group_.RowCount(system);
    segments_->setRowCount(rows + 1);
    for (int r = 0; r < rows; ++r) {
      const StringArray entry = group_.Row(system, r);
      segments_->SetCellText(r + 1, 0, QString::number(r + 1));
      for (int c = 1; c <= 3; ++c)
        segments_->SetCellText(r + 1, c, FromStored(entry.At(static_cast<size_t>(c - 1))));
    }
  }

  COrvoBuilderDoc& doc_;
  GroupJDlg group_;
  int nosys_ = 0;
  int system_ = 0;
  GridWidget* systems_ = nullptr;
  QLineEdit* system_line_ = nullptr;
  GridWidget* segments_ = nullptr;
};

}  // namespace

bool RunGroupJEditor(COrvoBuilderDoc& doc, QWidget* parent) {
  GroupJEditor editor(doc, parent);
  return editor.exec() == QDialog::Accepted;
}

}  // namespace orvo::ui
