#include "ui/editors/time_function_editor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "groups/node_editing.h"
#include "groups/time_function_editing.h"
#include "model/number_syntax.h"
#include "model/number_text.h"
#include "ui/widgets/number_field.h"

namespace orvo::ui {

namespace tf = orvo::time_function;

TimeFunctionEditor::TimeFunctionEditor(int mode, const std::vector<std::string>& entries,
                                       QWidget* parent)
    : QDialog(parent), mode_(mode >= 0 && mode < tf::kModeCount ? mode : 0) {
  const tf::ModeTexts& texts = tf::Texts(mode_);
  // The shared editor's title names the kind of function it edits.
  QString title = QString::fromLatin1(texts.window_title);
  if (mode_ != tf::kTimeSteps && title == QLatin1String("Model Time Step Editor")) {
    QString kind = QString::fromLatin1(texts.caption);
    kind[0] = kind[0].toUpper();
    title = kind + QStringLiteral(" - Time Function Editor");
  }
  setWindowTitle(title);
  setObjectName("TimeFunctionEditor");

  auto* caption = new QLabel(QString::fromLatin1(texts.caption), this);
  caption->setObjectName("caption");

  grid_ = new QTableWidget(0, 2, this);
  grid_->setObjectName("grid");
  grid_->setHorizontalHeaderLabels(
      {QString::fromLatin1(texts.value_label), QString::fromLatin1(texts.time_label)});
  // Columns as wide as their headers (some are long); the value column takes what is left.
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->horizontalHeader()->setMinimumSectionSize(120);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const tf::Row& row : tf::RowsFromEntries(entries)) AppendRow(row.value, row.time);
  connect(grid_, &QTableWidget::itemChanged, this, &TimeFunctionEditor::CellChanged);
  auto* copy = new QAction(tr("Copy"), grid_);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, this, &TimeFunctionEditor::CopyRows);
  auto* paste = new QAction(tr("Paste"), grid_);
  paste->setShortcut(QKeySequence::Paste);
  paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(paste, &QAction::triggered, this, &TimeFunctionEditor::Paste);
  grid_->addAction(copy);
  grid_->addAction(paste);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);

  new_button_ = new QPushButton(tr("New Interval"), this);
  new_button_->setObjectName("newInterval");
  delete_button_ = new QPushButton(tr("Delete Interval"), this);
  delete_button_->setObjectName("deleteInterval");
  // Every boundary function of a system has the same number of breaks.
  new_button_->setEnabled(!texts.fixed_rows);
  delete_button_->setEnabled(!texts.fixed_rows);
  connect(new_button_, &QPushButton::clicked, this, &TimeFunctionEditor::NewInterval);
  connect(delete_button_, &QPushButton::clicked, this, &TimeFunctionEditor::DeleteInterval);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* row_buttons = new QHBoxLayout;
  row_buttons->addWidget(new_button_);
  row_buttons->addWidget(delete_button_);
  row_buttons->addStretch();
  plot_ = new TimeFunctionPlot(QString::fromLatin1(texts.time_label),
                               QString::fromLatin1(texts.value_label), this);
  plot_->setObjectName("plot");
  auto* table_and_plot = new QHBoxLayout;
  table_and_plot->addWidget(grid_, 3);
  table_and_plot->addWidget(plot_, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addLayout(table_and_plot, 1);
  layout->addLayout(row_buttons);
  layout->addWidget(buttons);
  connect(grid_->model(), &QAbstractItemModel::dataChanged, this, &TimeFunctionEditor::Replot);
  connect(grid_->model(), &QAbstractItemModel::rowsInserted, this, &TimeFunctionEditor::Replot);
  connect(grid_->model(), &QAbstractItemModel::rowsRemoved, this, &TimeFunctionEditor::Replot);
  Replot();
  const int headers =
      grid_->horizontalHeader()->sectionSizeHint(0) + grid_->horizontalHeader()->sectionSizeHint(1);
  grid_->setMinimumWidth(headers + grid_->verticalHeader()->sizeHint().width() +
                         grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth());
  resize(std::max(900, sizeHint().width()), 400);
}

std::optional<std::vector<std::string>> TimeFunctionEditor::Edit(
    QWidget* parent, int mode, const std::vector<std::string>& entries) {
  TimeFunctionEditor editor(mode, entries, parent);
  if (editor.exec() != QDialog::Accepted) return std::nullopt;
  return editor.Entries();
}

std::optional<std::string> TimeFunctionEditor::EditText(QWidget* parent, int mode,
                                                        const std::string& text) {
  std::optional<std::vector<std::string>> entries =
      Edit(parent, mode, node_editing::ParseNumbers(text));
  if (!entries) return std::nullopt;
  return node_editing::JoinBlank(*entries);
}

std::vector<std::string> TimeFunctionEditor::Entries() const {
  return tf::EntriesFromRows(Rows());
}

std::vector<tf::Row> TimeFunctionEditor::Rows() const {
  std::vector<tf::Row> rows;
  for (int r = 0; r < grid_->rowCount(); ++r) {
    const QTableWidgetItem* value = grid_->item(r, 0);
    const QTableWidgetItem* time = grid_->item(r, 1);
    rows.push_back({value != nullptr ? value->text().toStdString() : std::string(),
                    time != nullptr ? time->text().toStdString() : std::string()});
  }
  return rows;
}

std::vector<int> TimeFunctionEditor::SelectedRows() const {
  std::set<int> rows;
  for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
    rows.insert(index.row());
  return {rows.begin(), rows.end()};
}

void TimeFunctionEditor::CopyRows() {
  const std::string text = tf::CopyRows(Rows(), SelectedRows());
  if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TimeFunctionEditor::Paste() {
  std::vector<tf::Row> rows = Rows();
  const int row = std::max(grid_->currentRow(), 0);
  const int column = std::max(grid_->currentColumn(), 0);
  tf::PasteText(rows, row, column, QApplication::clipboard()->text().toStdString(),
                tf::Texts(mode_).fixed_rows);
  grid_->setRowCount(0);
  for (const tf::Row& r : rows) AppendRow(r.value, r.time);
}

void TimeFunctionEditor::NewInterval() {
  if (tf::Texts(mode_).fixed_rows) return;
  const tf::Row row = tf::NewRow();
  AppendRow(row.value, row.time);
  grid_->selectRow(grid_->rowCount() - 1);
}

void TimeFunctionEditor::DeleteInterval() {
  if (tf::Texts(mode_).fixed_rows) return;
  const std::vector<int> rows = SelectedRows();
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) grid_->removeRow(*it);
}

void TimeFunctionEditor::CellChanged(QTableWidgetItem* item) {
  if (filling_) return;
  // Text that is not a number is refused, not read as the number it may begin with.
  const QString previous = item->data(Qt::UserRole).toString();
  if (!IsNumberText(item->text().toStdString()) && !item->text().trimmed().isEmpty()) {
    filling_ = true;
    item->setText(previous);
    filling_ = false;
    QMessageBox::warning(
        this, windowTitle(),
        NotANumberMessage(grid_->horizontalHeaderItem(item->column())->text(), NumberKind::kReal));
    return;
  }
  // Cells hold number text only, so what OK returns is what a deck will carry.
  const QString kept = QString::fromStdString(tf::CellText(item->text().toStdString()));
  filling_ = true;
  item->setData(Qt::UserRole, kept);
  if (kept != item->text()) item->setText(kept);
  filling_ = false;
}

void TimeFunctionEditor::Replot() {
  std::vector<QPointF> points;
  for (const tf::Row& row : Rows()) {
    if (IsNumberText(row.time) && IsNumberText(row.value)) {
      points.emplace_back(AtoF(row.time), AtoF(row.value));
    }
  }
  plot_->SetPoints(std::move(points));
}

// ---------------------------------------------------------------------------------------------

TimeFunctionPlot::TimeFunctionPlot(const QString& x_title, const QString& y_title, QWidget* parent)
    : QWidget(parent), x_title_(x_title), y_title_(y_title) {
  setMinimumSize(220, 160);
  setToolTip(y_title_ + QStringLiteral(" against ") + x_title_);
}

void TimeFunctionPlot::SetPoints(std::vector<QPointF> points) {
  points_ = std::move(points);
  update();
}

void TimeFunctionPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const QFontMetrics metrics = fontMetrics();
  const QRect area = rect().adjusted(8, 8 + metrics.height(), -8, -8 - metrics.height());
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(area);
  painter.setPen(palette().color(QPalette::Text));
  if (points_.empty()) {
    painter.drawText(area, Qt::AlignCenter, tr("No values"));
    return;
  }
  double x0 = points_.front().x(), x1 = x0, y0 = points_.front().y(), y1 = y0;
  for (const QPointF& p : points_) {
    x0 = std::min(x0, p.x());
    x1 = std::max(x1, p.x());
    y0 = std::min(y0, p.y());
    y1 = std::max(y1, p.y());
  }
  // A constant function or a single point still gets a visible span.
  if (x1 - x0 <= 0) x1 = x0 + 1;
  if (y1 - y0 <= 0) {
    y0 -= 1;
    y1 += 1;
  }
  const auto map = [&](const QPointF& p) {
    return QPointF(area.left() + (p.x() - x0) / (x1 - x0) * area.width(),
                   area.bottom() - (p.y() - y0) / (y1 - y0) * area.height());
  };
  const auto number = [](double value) { return QString::number(value, 'g', 4); };
  painter.drawText(QRect(rect().left() + 8, rect().top() + 4, width() - 16, metrics.height()),
                   Qt::AlignLeft, number(y1));
  painter.drawText(QRect(area.left(), area.bottom() + 2, area.width(), metrics.height()),
                   Qt::AlignLeft, number(x0));
  painter.drawText(QRect(area.left(), area.bottom() + 2, area.width(), metrics.height()),
                   Qt::AlignRight, number(x1));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  // Values hold between their times in the order the table gives them.
  QPolygonF line;
  for (const QPointF& p : points_) line << map(p);
  painter.drawPolyline(line);
  painter.setBrush(palette().color(QPalette::Highlight));
  for (const QPointF& p : line) painter.drawEllipse(p, 2.5, 2.5);
}

void TimeFunctionEditor::AppendRow(const std::string& value, const std::string& time) {
  filling_ = true;
  const int r = grid_->rowCount();
  grid_->insertRow(r);
  for (const auto& [column, text] : {std::pair{0, &value}, std::pair{1, &time}}) {
    auto* item = new QTableWidgetItem(QString::fromStdString(*text));
    item->setData(Qt::UserRole, item->text());
    grid_->setItem(r, column, item);
  }
  filling_ = false;
}

}  // namespace orvo::ui
