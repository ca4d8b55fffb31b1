#include "ui/widgets/grid_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <algorithm>

#include "model/number_text.h"

namespace orvo::ui {
namespace {

// Limits of a loaded cell file: far beyond any editor or report, small enough that a wrong
// file cannot exhaust memory.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr int kMaxRows = 100000;
constexpr int kMaxColumns = 1000;
constexpr qint64 kMaxCells = 1000000;

// A tab or line break inside a cell would split it on the way back in.
QString CellForText(QString text) {
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

// Lines of tab-separated text; "\r\n" counts as "\n" and a final line break ends the last
// line rather than starting an empty one.
QList<QStringList> SplitBlock(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  QList<QStringList> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n')))
    lines.append(line.split(QLatin1Char('\t')));
  return lines;
}

// Widens every column of a grid to its header cells (the fixed rows, drawn bold) when the grid
// is first shown, so that no header is cut; columns sized by their editor keep more width, and
// headers the editor wrapped onto taller rows keep theirs.
class HeaderFitter : public QObject {
 public:
  explicit HeaderFitter(GridWidget* grid) : QObject(grid), grid_(grid) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == grid_ && event->type() == QEvent::Show) {
      QFont bold = grid_->font();
      bold.setBold(true);
      const QFontMetrics metrics(bold);
      for (int column = 0; column < grid_->columnCount(); ++column) {
        int needed = 0;
        for (int row = 0; row < grid_->FixedRowCount(); ++row) {
          // A header its grid wrapped onto a row tall enough for it keeps its width.
          const QString text = grid_->CellText(row, column);
          const QRect wrapped = metrics.boundingRect(
              QRect(0, 0, grid_->columnWidth(column) - 12, 10000), Qt::TextWordWrap, text);
          if (wrapped.width() <= grid_->columnWidth(column) - 12 &&
              wrapped.height() <= grid_->rowHeight(row) - 4) {
            continue;
          }
          needed = std::max(needed, metrics.horizontalAdvance(text) + 12);
        }
        if (grid_->columnWidth(column) < needed) grid_->setColumnWidth(column, needed);
      }
    }
    return false;
  }

 private:
  GridWidget* grid_;
};

}  // namespace

// Opens editors only on editable cells, stores through the validator and draws fixed cells
// as headers.
class GridWidget::Delegate : public QStyledItemDelegate {
 public:
  explicit Delegate(GridWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    if (grid_->IsFixedCell(index.row(), index.column())) return nullptr;
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // The in-place editor of a number cell shows at once when its text is not a number.
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (const NumberRule* rule = grid_->NumberRuleFor(index.row(), index.column());
        rule != nullptr && line != nullptr) {
      MakeNumberField(line, grid_->CellName(*rule, index.column()), rule->kind,
                      rule->empty_allowed);
    }
    return editor;
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr) return;
    // Unchanged text is no edit: no check, no question, no signal.
    if (line->text() == grid_->CellText(index.row(), index.column())) return;
    grid_->EditCell(index.row(), index.column(), line->text());
  }

 protected:
  // Enter on a number cell holding text that is no number would be swallowed by the
  // editor's validator without a word; the grid says why instead, and the cell stays open.
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* line = qobject_cast<QLineEdit*>(watched);
    if (line != nullptr && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const auto* validator = qobject_cast<const NumberValidator*>(line->validator());
      if ((key == Qt::Key_Return || key == Qt::Key_Enter) && validator != nullptr &&
          !validator->Accepts(line->text())) {
        grid_->ShowMessage(
            NotANumberMessage(line->property("numberFieldName").toString(), validator->kind()));
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }

  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (grid_->IsFixedCell(index.row(), index.column())) {
      option->backgroundBrush = option->palette.button();
      option->palette.setColor(QPalette::Text, option->palette.color(QPalette::ButtonText));
      option->font.setBold(true);
    }
  }

 private:
  GridWidget* grid_;
};

GridWidget::GridWidget(QWidget* parent) : GridWidget(0, 0, parent) {}

GridWidget::GridWidget(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  setItemDelegate(new Delegate(this));
  installEventFilter(new HeaderFitter(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { RefreshCells(); });
  connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { RefreshCells(); });
  RefreshCells();
}

void GridWidget::SetFixedRowCount(int count) {
  fixed_rows_ = std::max(count, 0);
  if (rowCount() < fixed_rows_) setRowCount(fixed_rows_);
  RefreshCells();
}

void GridWidget::SetFixedColumnCount(int count) {
  fixed_columns_ = std::max(count, 0);
  if (columnCount() < fixed_columns_) setColumnCount(fixed_columns_);
  RefreshCells();
}

bool GridWidget::IsFixedCell(int row, int column) const {
  return row < fixed_rows_ || column < fixed_columns_;
}

// Every cell gets an item, so that no cell falls back to the model's default (editable,
// selectable) flags; fixed cells can only be looked at.
void GridWidget::RefreshCells() {
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      QTableWidgetItem* cell = Item(row, column);
      const Qt::ItemFlags flags =
          IsFixedCell(row, column) ? Qt::ItemIsEnabled
                                   : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
      if (cell->flags() != flags) cell->setFlags(flags);
    }
  }
}

QTableWidgetItem* GridWidget::Item(int row, int column) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem();
    if (IsFixedCell(row, column)) cell->setFlags(Qt::ItemIsEnabled);
    setItem(row, column, cell);
  }
  return cell;
}

QString GridWidget::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void GridWidget::SetCellText(int row, int column, const QString& text) {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return;
  Item(row, column)->setText(text);
}

GridWidget::CellValidator GridWidget::NumberColumns(QList<int> columns) {
  return [columns](int, int column, const QString& text) {
    CellCheck check;
    check.text = columns.contains(column)
                     ? QString::fromStdString(RealText(AtoF(text.toStdString())))
                     : text;
    return check;
  };
}

void GridWidget::ShowMessage(const QString& message) {
  if (message.isEmpty()) return;
  if (message_handler_) {
    message_handler_(message);
  } else {
    QMessageBox::information(this, window()->windowTitle(), message);
  }
}

void GridWidget::SetNumberColumn(int column, NumberKind kind, bool empty_allowed, QList<int> rows) {
  number_columns_[column] = {kind, empty_allowed, std::move(rows), {}};
}

void GridWidget::SetNumberCell(int row, int column, NumberKind kind, bool empty_allowed,
                               const QString& name) {
  number_cells_[{row, column}] = {kind, empty_allowed, {}, name};
}

const GridWidget::NumberRule* GridWidget::NumberRuleFor(int row, int column) const {
  if (const auto cell = number_cells_.find({row, column}); cell != number_cells_.end()) {
    return &cell->second;
  }
  const auto found = number_columns_.find(column);
  if (found == number_columns_.end()) return nullptr;
  const NumberRule& rule = found->second;
  return rule.rows.isEmpty() || rule.rows.contains(row) ? &rule : nullptr;
}

QString GridWidget::ColumnName(int column) const {
  QString name;
  if (fixed_rows_ > 0) name = CellText(fixed_rows_ - 1, column);
  if (name.isEmpty() && horizontalHeaderItem(column) != nullptr) {
    name = horizontalHeaderItem(column)->text();
  }
  name = name.simplified();
  return name.isEmpty() ? QStringLiteral("Column %1").arg(column + 1) : name;
}

QString GridWidget::CellName(const NumberRule& rule, int column) const {
  return rule.name.isEmpty() ? ColumnName(column) : rule.name;
}

bool GridWidget::EditCell(int row, int column, const QString& text) {
  if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return false;
  if (IsFixedCell(row, column)) return false;
  if (const NumberRule* rule = NumberRuleFor(row, column)) {
    if (!NumberValidator(rule->kind, rule->empty_allowed).Accepts(text)) {
      ShowMessage(NotANumberMessage(CellName(*rule, column), rule->kind));
      return false;
    }
  }
  CellCheck check;
  check.text = text;
  if (validator_) check = validator_(row, column, text);
  if (!check.accepted) {
    ShowMessage(check.message);
    return false;
  }
  const QString old_text = CellText(row, column);
  Item(row, column)->setText(check.text);
  emit CellEdited(row, column, old_text, check.text);
  return true;
}

void GridWidget::SetRowSelection(bool rows) {
  setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

QList<int> GridWidget::SelectedRows() const {
  QList<int> rows;
  for (const QTableWidgetSelectionRange& range : selectedRanges()) {
    for (int row = std::max(range.topRow(), fixed_rows_); row <= range.bottomRow(); ++row) {
      if (!rows.contains(row)) rows.append(row);
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

int GridWidget::SelectedRow() const {
  const QList<int> rows = SelectedRows();
  return rows.isEmpty() ? -1 : rows.front();
}

QString GridWidget::SelectedText() const {
  int top = rowCount(), left = columnCount(), bottom = -1, right = -1;
  for (const QTableWidgetSelectionRange& range : selectedRanges()) {
    top = std::min(top, range.topRow());
    left = std::min(left, range.leftColumn());
    bottom = std::max(bottom, range.bottomRow());
    right = std::max(right, range.rightColumn());
  }
  if (bottom < 0 && currentRow() >= 0 && currentColumn() >= 0) {
    top = bottom = currentRow();
    left = right = currentColumn();
  }
  // Header cells are not data; a selected row carries only its data cells.
  top = std::max(top, fixed_rows_);
  left = std::max(left, fixed_columns_);
  QString text;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      if (column > left) text += QLatin1Char('\t');
      text += CellForText(CellText(row, column));
    }
    text += QLatin1Char('\n');
  }
  return text;
}

int GridWidget::PasteText(const QString& text) {
  int top = -1, left = -1;
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (!ranges.isEmpty()) {
    top = ranges.front().topRow();
    left = ranges.front().leftColumn();
    for (const QTableWidgetSelectionRange& range : ranges) {
      top = std::min(top, range.topRow());
      left = std::min(left, range.leftColumn());
    }
  } else {
    top = currentRow();
    left = currentColumn();
  }
  if (top < 0 || left < 0) return 0;
  top = std::max(top, fixed_rows_);
  left = std::max(left, fixed_columns_);

  // Each refusal message is shown once per paste, not once per cell.
  auto handler = message_handler_;
  QStringList refusals;
  message_handler_ = [&refusals](const QString& message) {
    if (!refusals.contains(message)) refusals.append(message);
  };
  int stored = 0;
  const QList<QStringList> lines = SplitBlock(text);
  for (int i = 0; i < lines.size() && top + i < rowCount(); ++i) {
    const QStringList& values = lines[i];
    for (int j = 0; j < values.size() && left + j < columnCount(); ++j) {
      if (EditCell(top + i, left + j, values[j])) ++stored;
    }
  }
  message_handler_ = handler;
  for (const QString& message : refusals) ShowMessage(message);
  return stored;
}

void GridWidget::CopyToClipboard() const {
  QApplication::clipboard()->setText(SelectedText());
}

int GridWidget::PasteFromClipboard() {
  return PasteText(QApplication::clipboard()->text());
}

QString GridWidget::AllText() const {
  QString text;
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      if (column > 0) text += QLatin1Char('\t');
      text += CellForText(CellText(row, column));
    }
    text += QLatin1Char('\n');
  }
  return text;
}

bool GridWidget::SaveCells(const QString& path, QString* error) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(AllText().toUtf8()) < 0 || !file.commit()) {
    if (error != nullptr)
      *error = QStringLiteral("Unable to write %1: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

bool GridWidget::LoadCells(const QString& path, QString* error) {
  auto fail = [error](const QString& message) {
    if (error != nullptr) *error = message;
    return false;
  };
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return fail(QStringLiteral("Unable to open %1: %2").arg(path, file.errorString()));
  }
  if (file.size() > kMaxFileBytes) return fail(QStringLiteral("%1 is too large.").arg(path));
  const QByteArray bytes = file.read(kMaxFileBytes + 1);
  if (bytes.size() > kMaxFileBytes) return fail(QStringLiteral("%1 is too large.").arg(path));
  const QList<QStringList> lines = SplitBlock(QString::fromUtf8(bytes));
  int columns = 0;
  for (const QStringList& line : lines) columns = std::max(columns, static_cast<int>(line.size()));
  if (lines.size() > kMaxRows || columns > kMaxColumns ||
      static_cast<qint64>(lines.size()) * columns > kMaxCells) {
    return fail(QStringLiteral("%1 holds more cells than a grid can show.").arg(path));
  }
  clearContents();
  setRowCount(std::max(static_cast<int>(lines.size()), fixed_rows_));
  setColumnCount(std::max(columns, fixed_columns_));
  for (int row = 0; row < lines.size(); ++row) {
    for (int column = 0; column < lines[row].size(); ++column)
      SetCellText(row, column, lines[row][column]);
  }
  RefreshCells();
  return true;
}

QString GridWidget::ToHtml() const {
  QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
  for (int row = 0; row < rowCount(); ++row) {
    html += QStringLiteral("<tr>");
    for (int column = 0; column < columnCount(); ++column) {
      const bool fixed = IsFixedCell(row, column);
      html += fixed ? QStringLiteral("<th>") : QStringLiteral("<td>");
      html += CellText(row, column).toHtmlEscaped();
      html += fixed ? QStringLiteral("</th>") : QStringLiteral("</td>");
    }
    html += QStringLiteral("</tr>\n");
  }
  html += QStringLiteral("</table>\n");
  return html;
}

void GridWidget::Print(QPrinter& printer) const {
  QTextDocument document;
  document.setHtml(ToHtml());
  document.print(&printer);
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopyToClipboard();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteFromClipboard();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index.row() >= fixed_rows_ && index.column() < fixed_columns_) {
    selectRow(index.row());
    return;
  }
  QTableWidget::mousePressEvent(event);
}

GridWidget* HeaderedGrid(QWidget* parent, const char* name, const QStringList& headers, int rows) {
  auto* grid = new GridWidget(rows + 1, static_cast<int>(headers.size()), parent);
  grid->setObjectName(name);
  grid->SetFixedRowCount(1);
  grid->SetFixedColumnCount(1);
  grid->horizontalHeader()->setVisible(false);
  grid->verticalHeader()->setVisible(false);
  for (int c = 0; c < headers.size(); ++c) grid->SetCellText(0, c, headers[c]);
  return grid;
}

}  // namespace orvo::ui
