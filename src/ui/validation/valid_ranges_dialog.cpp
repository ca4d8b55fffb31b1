#include "ui/validation/valid_ranges_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>

#include "model/number_text.h"
#include "ui/shell/qt_platform.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_fit.h"
#include "validate/value_ranges.h"

namespace orvo::ui {
namespace {

constexpr const char* kFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr int kRowC = 1;
constexpr int kRowDissf = 2;
constexpr int kColumnMin = 1;
constexpr int kColumnMax = 2;

bool Readable(const std::string& path) {
  return !path.empty() && std::ifstream(path, std::ios::binary).is_open();
}

}  // namespace

ValidRangesDialog::ValidRangesDialog(ValueRangeTable& table, Platform& platform, QWidget* parent)
    : QDialog(parent), table_(&table), platform_(&platform) {
  setWindowTitle(QStringLiteral("Valid Ranges"));

  // Everything scrolls inside the dialog, so that a small window still reaches every control.
  auto* content = new QWidget;
  file_line_ = new QLabel(content);
  file_line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid_ = new GridWidget(3, 3, content);
  grid_->SetFixedRowCount(1);
  grid_->SetFixedColumnCount(1);
  grid_->SetCellText(0, 0, QStringLiteral("Card J Parameters"));
  grid_->SetCellText(0, kColumnMin, QStringLiteral("Min value"));
  grid_->SetCellText(0, kColumnMax, QStringLiteral("Max value"));
  grid_->SetCellText(kRowC, 0, QStringLiteral("Initial Concentration, mg/L (C(ISYS,K))"));
  grid_->SetCellText(kRowDissf, 0, QStringLiteral("Dissolved Fraction (DISSF(ISYS,K))"));
  // Columns as wide as their bold header texts, and the grid as wide as its columns, so that
  // no header is cut whatever the font.
  QFont bold = grid_->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int grid_width = 2 * grid_->frameWidth();
  for (int column = 0; column < grid_->columnCount(); ++column) {
    int width = column == 0 ? 300 : 100;
    for (int row = 0; row < grid_->rowCount(); ++row) {
      width = std::max(width, metrics.horizontalAdvance(grid_->CellText(row, column)) + 16);
    }
    grid_->setColumnWidth(column, width);
    grid_width += width;
  }
  // Text that is not a number is refused, naming the bound, rather than kept as its leading
  // number (or 0); an empty bound stays allowed, since a table may leave one open.
  for (const int row : {kRowC, kRowDissf}) {
    for (const int column : {kColumnMin, kColumnMax}) {
      grid_->SetNumberCell(
          row, column, NumberKind::kReal, true,
          grid_->CellText(0, column) + QStringLiteral(" of ") + grid_->CellText(row, 0));
    }
  }
  grid_->SetMessageHandler(
      [this](const QString& message) { platform_->ShowMessage(message.toStdString()); });
  grid_->SetCellValidator([](int, int, const QString& text) {
    return GridWidget::CellCheck{true, QString::fromStdString(RealText(AtoF(text.toStdString()))),
                                 QString()};
  });
  grid_->setMinimumSize(grid_width, 3 * grid_->rowHeight(0) + 2 * grid_->frameWidth());
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(grid_, &GridWidget::CellEdited, this,
          [this](int row, int column, const QString&, const QString& text) {
            TakeCell(row, column, text);
          });

  open_ = new QPushButton(QStringLiteral("Open..."), content);
  save_as_ = new QPushButton(QStringLiteral("Save As..."), content);
  save_ = new QPushButton(QStringLiteral("Save"), content);
  close_ = new QPushButton(QStringLiteral("Close"), content);
  for (QPushButton* button : {open_, save_as_, save_, close_}) button->setAutoDefault(false);
  connect(open_, &QPushButton::clicked, this, &ValidRangesDialog::Open);
  connect(save_as_, &QPushButton::clicked, this, &ValidRangesDialog::SaveAs);
  connect(save_, &QPushButton::clicked, this, &ValidRangesDialog::Save);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(open_);
  buttons->addWidget(save_as_);
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(close_);
  auto* column = new QVBoxLayout(content);
  column->addWidget(file_line_);
  column->addWidget(grid_);
  column->addLayout(buttons);
  column->addStretch();

  auto* scroll = new QScrollArea(this);
  scroll->setWidget(content);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);

  Fill();
  ShowFile();
  // Open large enough for everything inside; the scroll area is for small screens only.
  const QSize wanted = content->sizeHint().expandedTo(content->minimumSizeHint()) + QSize(24, 24);
  const QScreen* screen = this->screen();
  const QSize room = screen != nullptr ? screen->availableGeometry().size() * 9 / 10 : wanted;
  setMinimumSize(wanted.boundedTo(room));
  resize(wanted.boundedTo(room));
  FitWidthToTitle(this);
  // Scroll bars only where the screen is too small: a scroll area shown at its content's size
  // otherwise briefly decides it needs both and covers the buttons' edge.
  if (wanted.width() <= room.width()) scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (wanted.height() <= room.height()) scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ValidRangesDialog::EditValueRanges(COrvoBuilderDoc& document, QWidget* parent) {
  Platform& platform = document.platform();
  ValueRangeTable& table = document.value_ranges;
  // A file that cannot be read has been reported; the dialog still opens so that another
  // file can be chosen or the ranges typed and saved.
  ReadTableData(table, RangeFileToRead(document.range_file_path, document.application_directory),
                platform);
  {
    ValidRangesDialog dialog(table, platform, parent);
    dialog.exec();
  }
  if (table.path == document.range_file_path) return;
  {
    ScopedStep step(document, "Edit Value Ranges");
    document.range_file_path = table.path;
  }
  document.UpdateAllViews(kHintRedrawAll);
}

void ValidRangesDialog::Fill() {
  grid_->SetCellText(kRowC, kColumnMin, FromStored(table_->c_min));
  grid_->SetCellText(kRowC, kColumnMax, FromStored(table_->c_max));
  grid_->SetCellText(kRowDissf, kColumnMin, FromStored(table_->dissf_min));
  grid_->SetCellText(kRowDissf, kColumnMax, FromStored(table_->dissf_max));
}

void ValidRangesDialog::ShowFile() {
  file_line_->setText(QStringLiteral("File: ") + (Readable(table_->path)
                                                      ? FromLocalPath(table_->path)
                                                      : QStringLiteral("<NONE>")));
}

void ValidRangesDialog::TakeCell(int row, int column, const QString& text) {
  std::string* field = nullptr;
  if (row == kRowC) field = column == kColumnMin ? &table_->c_min : &table_->c_max;
  if (row == kRowDissf) field = column == kColumnMin ? &table_->dissf_min : &table_->dissf_max;
  // The validator made it "%g" text, which is plain ASCII.
  if (field != nullptr && column >= kColumnMin) *field = text.toStdString();
}

void ValidRangesDialog::Open() {
  const std::optional<std::string> path = platform_->ChooseOpenFile(kFilter);
  if (!path) return;
  ReadTableData(*table_, *path, *platform_);
  Fill();
  ShowFile();
}

// The table as it stands (typed values included) goes to the chosen file; reading that file
// first would replace the user's edits with whatever it held.
void ValidRangesDialog::SaveAs() {
  const std::optional<std::string> path = platform_->ChooseSaveFile(kFilter, table_->path);
  if (!path || path->empty()) return;
  const std::string previous = table_->path;
  table_->path = *path;
  // An unwritable choice does not become the table's file.
  if (!SaveTableData(*table_, *platform_)) table_->path = previous;
  ShowFile();
}

void ValidRangesDialog::Save() {
  if (table_->path.empty()) {
    SaveAs();
    if (table_->path.empty()) return;
    accept();
    return;
  }
  if (SaveTableData(*table_, *platform_)) accept();
}

}  // namespace orvo::ui
