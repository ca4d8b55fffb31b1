// GridWidget: the spreadsheet-like cell grid of the group editors and report windows.
//
// The first FixedRowCount() rows and FixedColumnCount() columns are header cells: they are
// part of the grid (row 0 is the first header row), drawn as headers, and can be neither
// edited nor selected. Every other cell can be edited in place (Escape cancels) and selected
// by cell, block or row; a click on a fixed column's cell selects that row.
//
// Typed and pasted texts pass the same check, the cell validator, which may reformat the text
// (numbers as "%g") or refuse it with a message; stored texts are announced by CellEdited,
// which is where an editor takes the value into its copy of the data. Blocks of cells travel
// through the clipboard as tab-separated lines, so values move to and from a spreadsheet.
#pragma once

#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <functional>
#include <map>

#include "ui/widgets/number_field.h"

class QPrinter;

namespace orvo::ui {

class GridWidget : public QTableWidget {
  Q_OBJECT

 public:
  // What a text typed into (or pasted onto) a cell gives: the text to store, or a refusal
  // with the message to show.
  struct CellCheck {
    bool accepted = true;
    QString text;
    QString message;
  };
  using CellValidator = std::function<CellCheck(int row, int column, const QString& text)>;

  explicit GridWidget(QWidget* parent = nullptr);
  GridWidget(int rows, int columns, QWidget* parent = nullptr);

  void SetFixedRowCount(int count);
  void SetFixedColumnCount(int count);
  int FixedRowCount() const { return fixed_rows_; }
  int FixedColumnCount() const { return fixed_columns_; }
  bool IsFixedCell(int row, int column) const;

  // Cell texts without any check (filling the grid from the data).
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);

  // One validator for the whole grid; it tells columns and cells apart by their position.
  // Without one every text is stored as typed.
  void SetCellValidator(CellValidator validator) { validator_ = std::move(validator); }
  // A validator storing numbers as "%g" text in the given columns, other texts as typed.
  static CellValidator NumberColumns(QList<int> columns);
  // Cells of column take only number text of the kind: anything else is refused before the
  // validator sees it, with a message naming the column by its header (the last fixed row).
  // rows, when not empty, limits the rule to those rows (grids whose rows hold different
  // things).
  void SetNumberColumn(int column, NumberKind kind, bool empty_allowed = false,
                       QList<int> rows = {});
  // One cell's rule, before its column's: for grids whose cells hold different things. name
  // is what the message calls the cell (its column header when empty).
  void SetNumberCell(int row, int column, NumberKind kind, bool empty_allowed = false,
                     const QString& name = {});
  // Where refusals are shown; by default a message box over the grid.
  void SetMessageHandler(std::function<void(const QString&)> handler) {
    message_handler_ = std::move(handler);
  }

  // Runs the validator on text for the cell and stores the result; false when refused (the
  // message was shown) or the cell is fixed or outside the grid.
  bool EditCell(int row, int column, const QString& text);

  // Whole rows are selected instead of cells (function lists).
  void SetRowSelection(bool rows);
  // Selected rows outside the fixed rows, ascending; SelectedRow is the first or -1.
  QList<int> SelectedRows() const;
  int SelectedRow() const;

  // The selected block (the smallest rectangle holding every selected cell; the current cell
  // when nothing is selected) as tab-separated lines, each ending in "\n".
  QString SelectedText() const;
  // Pastes tab-separated lines with their top-left at the selection's (or the current)
  // cell: each value is checked as if typed; cells past the grid's edge are dropped. Returns
  // the number of cells stored.
  int PasteText(const QString& text);
  void CopyToClipboard() const;
  int PasteFromClipboard();

  // Every cell, fixed ones included, as tab-separated lines. Loading replaces the grid's
  // size and texts (not checked) and keeps the fixed counts; a file too large or unreadable
  // fails with a message in error and leaves the grid as it was.
  QString AllText() const;
  bool SaveCells(const QString& path, QString* error = nullptr) const;
  bool LoadCells(const QString& path, QString* error = nullptr);

  // The grid as an HTML table (fixed cells as header cells), and printed from it.
  QString ToHtml() const;
  void Print(QPrinter& printer) const;

 signals:
  // A check-passed text was stored in the cell by typing or pasting.
  void CellEdited(int row, int column, const QString& old_text, const QString& new_text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  class Delegate;
  void RefreshCells();
  QTableWidgetItem* Item(int row, int column);
  void ShowMessage(const QString& message);

  struct NumberRule {
    NumberKind kind;
    bool empty_allowed;
    QList<int> rows;
    QString name;
  };
  const NumberRule* NumberRuleFor(int row, int column) const;
  QString ColumnName(int column) const;
  QString CellName(const NumberRule& rule, int column) const;

  std::map<int, NumberRule> number_columns_;
  std::map<std::pair<int, int>, NumberRule> number_cells_;
  int fixed_rows_ = 0;
  int fixed_columns_ = 0;
  CellValidator validator_;
  std::function<void(const QString&)> message_handler_;
};

// A grid whose first row holds the column headers and whose first column stays fixed, with
// Qt's own headers hidden, and `rows` rows below the headers.
GridWidget* HeaderedGrid(QWidget* parent, const char* name, const QStringList& headers, int rows);

}  // namespace orvo::ui
