#include "ui/editors/segment_table.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "groups/group_e.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "ui/editors/property_number_kind.h"
#include "ui/network/network_view.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/stored_text.h"
#include "validate/value_ranges.h"

namespace orvo::ui {
namespace {

namespace np = orvo::node_properties;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

SegmentTable::SegmentTable(COrvoBuilderView& view, QWidget* parent)
    : QWidget(parent), view_(view), document_(view.document()) {
  setObjectName(QStringLiteral("segmentTable"));
  systems_ = new QComboBox(this);
  systems_->setObjectName(QStringLiteral("system"));
  systems_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  grid_ = new GridWidget(1, 1, this);
  grid_->setObjectName(QStringLiteral("segments"));
  grid_->SetFixedRowCount(1);
  grid_->SetFixedColumnCount(1);
  grid_->installEventFilter(this);
  grid_->SetMessageHandler(
      [this](const QString& message) { document_.platform().ShowMessage(message.toStdString()); });
  grid_->SetCellValidator([this](int, int column, const QString& text) {
    GridWidget::CellCheck check{true, text, {}};
    const size_t at = static_cast<size_t>(column - 1);
    if (at >= columns_.size() || columns_[at].kind != np::Kind::kChoice) return check;
    const np::TableColumn& kind = columns_[at];
    const int position = np::ChoicePosition(kind.choices, text.toStdString());
    if (position < 0) {
      QStringList names;
      for (const std::string& choice : kind.choices) names << Q(choice);
      return GridWidget::CellCheck{false,
                                   {},
                                   QStringLiteral("\u201C%1\u201D must be one of: %2.")
                                       .arg(Q(kind.title), names.join(QStringLiteral(", ")))};
    }
    check.text = Q(kind.choices[static_cast<size_t>(position)]);
    return check;
  });
  connect(grid_, &GridWidget::CellEdited, this,
          [this](int row, int column, const QString&, const QString& text) {
            CellEdited(row, column, text);
          });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] {
    if (!filling_) RowChosen();
  });
  connect(systems_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Refresh();
  });

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("System:"), this));
  top->addWidget(systems_);
  top->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(top);
  layout->addWidget(grid_, 1);
  document_.AddObserver(this);
  Refresh();
}

SegmentTable::~SegmentTable() {
  document_.RemoveObserver(this);
  // An editor still open commits when the window closes, after this body.
  grid_->removeEventFilter(this);
  grid_->SetCellValidator({});
  grid_->SetMessageHandler({});
  disconnect(grid_, nullptr, this, nullptr);
}

QSize SegmentTable::sizeHint() const {
  return QSize(760, 260);
}

int SegmentTable::RowOf(int segment_id) const {
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].segment_id == segment_id) return static_cast<int>(i) + 1;
  }
  return -1;
}

int SegmentTable::ColumnOf(const std::string& key) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].key == key) return static_cast<int>(i) + 1;
  }
  return -1;
}

void SegmentTable::OnDocumentUpdate(UpdateHint, int) {
  ScheduleRefresh();
}

void SegmentTable::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ScheduleRefresh();
}

void SegmentTable::ScheduleRefresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  // Later: the change may come from the grid itself, in the middle of an edit or a paste.
  QTimer::singleShot(0, this, [this] {
    // A hidden table costs nothing; it catches up when shown.
    if (refresh_pending_ && isVisible()) Refresh();
  });
}

void SegmentTable::FillSystems() {
  const int count = group_e::SystemCount(document_);
  const SimulationType simtyp = document_.group_a.SIMTYP;
  QStringList names;
  for (int k = 0; k < count; ++k) names << FromStored(vocabulary::SystemName(simtyp, k + 1));
  QStringList shown;
  for (int i = 0; i < systems_->count(); ++i) shown << systems_->itemText(i);
  if (names == shown) return;
  const int current = std::max(systems_->currentIndex(), 0);
  systems_->clear();
  systems_->addItems(names);
  systems_->setCurrentIndex(std::min(current, static_cast<int>(names.size()) - 1));
}

void SegmentTable::Refresh() {
  refresh_pending_ = false;
  filling_ = true;
  FillSystems();
  const int current_row = grid_->currentRow();
  const int current_column = grid_->currentColumn();
  std::vector<np::TableColumn> columns = np::TableColumns(document_, systems_->currentIndex());
  rows_ = np::TableRows(document_, columns);
  const bool new_columns = columns.size() != columns_.size() ||
                           !std::equal(columns.begin(), columns.end(), columns_.begin(),
                                       [](const np::TableColumn& a, const np::TableColumn& b) {
                                         return a.key == b.key && a.title == b.title;
                                       });
  columns_ = std::move(columns);
  grid_->setColumnCount(static_cast<int>(columns_.size()) + 1);
  grid_->setRowCount(static_cast<int>(rows_.size()) + 1);
  grid_->SetCellText(0, 0, QStringLiteral("Segment ID"));
  for (size_t c = 0; c < columns_.size(); ++c) {
    const int column = static_cast<int>(c) + 1;
    grid_->SetCellText(0, column, FromStored(columns_[c].title));
    grid_->item(0, column)->setToolTip(FromStored(columns_[c].title));
    if (columns_[c].kind != np::Kind::kChoice && columns_[c].kind != np::Kind::kText) {
      grid_->SetNumberColumn(column, NumberKindOf(columns_[c].kind),
                             columns_[c].kind == np::Kind::kRealList);
    }
  }
  for (size_t r = 0; r < rows_.size(); ++r) {
    const int row = static_cast<int>(r) + 1;
    grid_->SetCellText(row, 0, QString::number(rows_[r].segment_id));
    for (size_t c = 0; c < rows_[r].cells.size(); ++c) {
      grid_->SetCellText(row, static_cast<int>(c) + 1, FromStored(rows_[r].cells[c]));
    }
  }
  if (new_columns) FitColumns();
  if (current_row > 0 && current_row < grid_->rowCount() && current_column >= 0 &&
      current_column < grid_->columnCount()) {
    grid_->setCurrentCell(current_row, current_column, QItemSelectionModel::NoUpdate);
  }
  filling_ = false;
}

// The long names of the values wrap onto two or three lines, so that a column is about as
// wide as its values rather than its name and more columns are in sight at once.
void SegmentTable::FitColumns() {
  QFont bold = grid_->font();
  bold.setBold(true);
  const QFontMetrics title_metrics(bold);
  const QFontMetrics value_metrics(grid_->font());
  const int padding = 16;
  const int short_title = 110;  // shorter names stay on one line
  const auto lines = [&](const QString& title, int width) {
    return title_metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, title).height() /
           title_metrics.lineSpacing();
  };
  // Enough rows to see how wide the values are, however many segments there are.
  const int sampled = std::min(grid_->rowCount(), 201);
  int most_lines = 1;
  for (int column = 0; column < grid_->columnCount(); ++column) {
    const QString title = grid_->CellText(0, column);
    int values = 0;
    for (int row = 1; row < sampled; ++row) {
      values = std::max(values, value_metrics.horizontalAdvance(grid_->CellText(row, column)));
    }
    const int full = title_metrics.horizontalAdvance(title);
    int width = std::max(values, std::min(full, short_title));
    for (const QString& word : title.split(u' ')) {
      width = std::max(width, title_metrics.horizontalAdvance(word));
    }
    // Two lines where that keeps the column narrow enough, three for the longest names.
    while (width < full && lines(title, width) > (width < 2 * short_title ? 2 : 3)) width += 8;
    width = std::min(width, 300);
    most_lines = std::max(most_lines, lines(title, width));
    grid_->setColumnWidth(column, std::max(width + padding, 70));
  }
  grid_->setRowHeight(0, most_lines * title_metrics.lineSpacing() + 10);
}

void SegmentTable::CellEdited(int row, int column, const QString& text) {
  const size_t r = static_cast<size_t>(row - 1);
  const size_t c = static_cast<size_t>(column - 1);
  if (row < 1 || column < 1 || r >= rows_.size() || c >= columns_.size()) return;
  const np::TableColumn& kind = columns_[c];
  std::string typed;
  if (kind.kind == np::Kind::kChoice) {
    typed = IntText(np::ChoicePosition(kind.choices, text.toStdString()));
  } else if (!ToStored(text, typed)) {
    return;
  }
  // Group J values are checked against the value ranges as the group J editor does.
  Platform& platform = document_.platform();
  const np::KeepValue keep = [this, &platform](bool dissolved, double value) {
    return dissolved ? CheckDissf(document_.value_ranges, value, platform)
                     : CheckC(document_.value_ranges, value, platform);
  };
  const np::Outcome outcome = np::SetProperty(document_, {rows_[r].number}, kind.key, typed, keep);
  if (!outcome.message.empty()) platform.ShowMessage(outcome.message);
  if (outcome.changed) document_.UpdateAllViews(kHintRedrawAll);
  ScheduleRefresh();  // the cell shows the value as kept, or as it was
}

void SegmentTable::RowChosen() {
  const int row = grid_->currentRow();
  if (row < 1 || static_cast<size_t>(row - 1) >= rows_.size()) return;
  const np::TableRow& chosen = rows_[static_cast<size_t>(row - 1)];
  COrvoBuilderCntrItem* node = document_.FindNode(chosen.number);
  if (node == nullptr || view_.selected_node() == node) return;
  // Scrolled into sight when its ID finds it; a node whose ID another shares is only selected.
  if (document_.GetSegmentNode(chosen.segment_id) != node ||
      !view_.FindSegment(chosen.segment_id)) {
    view_.Select(node);
  }
}

bool SegmentTable::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    {
      // A pasted block is one step, however many cells it fills.
      ScopedStep step(document_, "Paste");
      grid_->PasteFromClipboard();
    }
    ScheduleRefresh();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvo::ui
