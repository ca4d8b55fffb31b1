#include "ui/validation/card_completion_matrix.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "ui/network/network_view.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/stored_text.h"
#include "validate/card_completeness.h"

namespace orvo::ui {
namespace {

constexpr int kMargin = 8;
constexpr int kWidth = 1000;
constexpr int kHeight = 640;

// A report table: one header row, rows picked whole, nothing typed or pasted into it.
GridWidget* MakeTable(QWidget* parent, const QStringList& headers, const QList<int>& widths) {
  auto* table = new GridWidget(1, static_cast<int>(headers.size()), parent);
  table->SetFixedRowCount(1);
  for (int column = 0; column < headers.size(); ++column) {
    table->SetCellText(0, column, headers[column]);
    table->setColumnWidth(column, widths[column]);
  }
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->SetRowSelection(true);
  table->SetCellValidator([](int, int, const QString&) {
    return GridWidget::CellCheck{false, QString(), QString()};
  });
  table->SetMessageHandler([](const QString&) {});
  return table;
}

void FillTable(GridWidget& table, const std::vector<QStringList>& rows) {
  table.clearSelection();
  table.setRowCount(1 + static_cast<int>(rows.size()));
  for (size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < rows[row].size(); ++column)
      table.SetCellText(static_cast<int>(row) + 1, column, rows[row][column]);
  }
}

QRect Moved(const QRect& base, int width_change, int down, int height_change) {
  return QRect(base.left(), base.top() + down, std::max(base.width() + width_change, 0),
               std::max(base.height() + height_change, 0));
}

}  // namespace

CardCompletionMatrix::CardCompletionMatrix(COrvoBuilderDoc& document, QWidget* parent)
    : QDialog(parent), document_(&document) {
  setWindowTitle(QStringLiteral("Card Completion Matrix"));
  setModal(false);
  setSizeGripEnabled(true);

  findings_label_ = new QLabel(QStringLiteral("Global parameter information:"), this);
  findings_label_->setGeometry(kMargin, kMargin, 300, 20);
  findings_ = new QPlainTextEdit(this);
  findings_->setReadOnly(true);
  findings_->setLineWrapMode(QPlainTextEdit::NoWrap);
  segments_ =
      MakeTable(this,
                {QStringLiteral("Segment ID"), QStringLiteral("Group C"), QStringLiteral("Group E"),
                 QStringLiteral("Group F"), QStringLiteral("Group G")},
                {150, 150, 300, 300, 300});
  exchanges_ = MakeTable(
      this, {QStringLiteral("Exchange ID"), QStringLiteral("Group B"), QStringLiteral("Group D")},
      {150, 100, 100});
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);

  // Three equal bands (findings, segments, exchanges) above the button.
  const int inner = kWidth - 2 * kMargin;
  const int band = (kHeight - 30 - 3 * kMargin - 28 - 2 * kMargin) / 3;
  base_findings_ = QRect(kMargin, 30, inner, band);
  base_segments_ = QRect(kMargin, base_findings_.bottom() + 1 + kMargin, inner, band);
  base_exchanges_ = QRect(kMargin, base_segments_.bottom() + 1 + kMargin, inner, band);
  base_ok_ = QRect(kMargin, base_exchanges_.bottom() + 1 + kMargin, 80, 28);
  base_size_ = QSize(kWidth, kHeight);
  LayOut(0, 0);
  resize(base_size_);
  setMinimumSize(400, 300);

  // "OK" only hides the window: it stays the document's, ready to be shown again.
  connect(ok_, &QPushButton::clicked, this, &QDialog::hide);
  connect(segments_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { ActivateRow(segment_numbers_, row); });
  connect(exchanges_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { ActivateRow(exchange_numbers_, row); });
}

CardCompletionMatrix* CardCompletionMatrix::Find(const COrvoBuilderDoc& document) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* matrix = qobject_cast<CardCompletionMatrix*>(window);
    if (matrix != nullptr && matrix->document_ == &document) return matrix;
  }
  return nullptr;
}

CardCompletionMatrix* CardCompletionMatrix::ShowFor(COrvoBuilderDoc& document, QWidget* parent) {
  CardCompletionMatrix* matrix = Find(document);
  if (matrix == nullptr) matrix = new CardCompletionMatrix(document, parent);
  matrix->ShowReport();
  return matrix;
}

void CardCompletionMatrix::RefreshFor(const COrvoBuilderDoc& document) {
  if (CardCompletionMatrix* matrix = Find(document)) matrix->Refresh();
}

void CardCompletionMatrix::ShowReport() {
  Rebuild();
  showNormal();
  raise();
  activateWindow();
}

void CardCompletionMatrix::Refresh() {
  if (isVisible()) Rebuild();
}

void CardCompletionMatrix::Rebuild() {
  const CompletenessReport report = BuildCompletenessReport(*document_);

  QString text;
  for (const std::string& line : report.findings) {
    text += FromStored(line);
    text += QLatin1Char('\n');
  }
  findings_->setPlainText(text);

  std::vector<QStringList> rows;
  for (const auto& row : report.segments) {
    rows.push_back({FromStored(row.id), FromStored(row.group_c), FromStored(row.group_e),
                    FromStored(row.group_f), FromStored(row.group_g)});
  }
  FillTable(*segments_, rows);
  rows.clear();
  for (const auto& row : report.exchanges)
    rows.push_back({FromStored(row.id), FromStored(row.group_b), FromStored(row.group_d)});
  FillTable(*exchanges_, rows);

  // The rows follow the node list, segments and exchanges each in their own table.
  segment_numbers_.clear();
  exchange_numbers_.clear();
  for (const auto& node : document_->nodes()) {
    if (node->is_segment()) segment_numbers_.push_back(node->number());
    if (node->is_exchange()) exchange_numbers_.push_back(node->number());
  }
}

void CardCompletionMatrix::ActivateRow(const std::vector<int>& numbers, int row) {
  const int index = row - 1;  // below the header row
  if (index < 0 || index >= static_cast<int>(numbers.size())) return;
  // The network may have changed since the report was built; a deleted node finds nothing.
  const COrvoBuilderCntrItem* found = nullptr;
  for (const auto& node : document_->nodes()) {
    if (node->number() == numbers[static_cast<size_t>(index)]) {
      found = node.get();
      break;
    }
  }
  if (found == nullptr) return;
  if (node_handler_) node_handler_(found);
  emit NodeActivated(found);
}

void CardCompletionMatrix::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut(event->size().width() - base_size_.width(), event->size().height() - base_size_.height());
}

// The findings, the two tables and the button share a change of height in thirds, measured
// from the size the window was made with, so that rounding never accumulates.
void CardCompletionMatrix::LayOut(int dx, int dy) {
  const int d3 = static_cast<int>(std::lround(dy / 3.0));
  findings_->setGeometry(Moved(base_findings_, dx, 0, d3));
  segments_->setGeometry(Moved(base_segments_, dx, d3, d3));
  exchanges_->setGeometry(Moved(base_exchanges_, dx, 2 * d3, dy - 2 * d3));
  ok_->setGeometry(Moved(base_ok_, 0, dy, 0));
}

void ShowNodeInView(COrvoBuilderView& view, const COrvoBuilderCntrItem* node) {
  if (node == nullptr) return;
  COrvoBuilderCntrItem* live = nullptr;
  for (const auto& owned : view.document().nodes()) {
    if (owned.get() == node) live = owned.get();
  }
  if (live == nullptr) return;
  if (live->is_segment() && view.FindSegment(live->segment()->segment_id)) return;
  view.Select(live);
  // Centre the node in the viewport.
  const QPoint client = view.ToClient(QPoint(live->CenterX(), live->CenterY()));
  const QSize page = view.viewport()->size();
  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + client.x() -
                                       page.width() / 2);
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + client.y() -
                                     page.height() / 2);
}

}  // namespace orvo::ui

namespace orvo::ui {

bool ReportCompleteness(const COrvoBuilderDoc& document, bool before_run, QWidget* parent,
                        const std::function<void()>& show_matrix) {
  const CompletenessCounts counts = CountFindings(BuildCompletenessReport(document));
  if (counts.errors == 0 && counts.warnings == 0) return true;
  const auto count = [](int n, const char* what) {
    return QStringLiteral("%1 %2%3")
        .arg(n)
        .arg(QLatin1String(what))
        .arg(QLatin1String(n == 1 ? "" : "s"));
  };
  QString text = QStringLiteral("The card completeness report finds %1 and %2.")
                     .arg(count(counts.errors, "error"), count(counts.warnings, "warning"));
  if (counts.errors > 0)
    text += QStringLiteral(" The deck holds unset options where it has errors.");
  QMessageBox box(counts.errors > 0 ? QMessageBox::Warning : QMessageBox::Information,
                  before_run ? QStringLiteral("Run the Model") : QStringLiteral("Deck Written"),
                  text, QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("completenessBox"));
  if (before_run) box.setInformativeText(QStringLiteral("Run the model anyway?"));
  QPushButton* matrix =
      box.addButton(QStringLiteral("Show Card Completion Matrix"), QMessageBox::ActionRole);
  matrix->setObjectName(QStringLiteral("showMatrix"));
  QPushButton* go = box.addButton(before_run ? QStringLiteral("Run Anyway") : QStringLiteral("OK"),
                                  QMessageBox::AcceptRole);
  go->setObjectName(QStringLiteral("goOn"));
  if (before_run) box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(go);
  box.exec();
  if (box.clickedButton() == matrix) {
    if (show_matrix) show_matrix();
    return !before_run;
  }
  return box.clickedButton() == go || !before_run;
}

}  // namespace orvo::ui
