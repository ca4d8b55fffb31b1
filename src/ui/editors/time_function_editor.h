// "Model Time Step Editor": the shared two-column value/time window of piecewise-linear
// time functions, used by the node editors and the global group editors. The mode picks its
// texts (groups/time_function_editing.h); the entries alternate value and time.
#pragma once

#include <QDialog>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "groups/time_function_editing.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace orvo::ui {

// A small line plot of a time function beside its table: value against time.
class TimeFunctionPlot : public QWidget {
  Q_OBJECT

 public:
  TimeFunctionPlot(const QString& x_title, const QString& y_title, QWidget* parent = nullptr);
  void SetPoints(std::vector<QPointF> points);
  const std::vector<QPointF>& points() const { return points_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString x_title_, y_title_;
  std::vector<QPointF> points_;
};

class TimeFunctionEditor : public QDialog {
  Q_OBJECT

 public:
  TimeFunctionEditor(int mode, const std::vector<std::string>& entries, QWidget* parent = nullptr);

  // Opens the editor modally; the edited entries on OK, nothing on Cancel.
  static std::optional<std::vector<std::string>> Edit(QWidget* parent, int mode,
                                                      const std::vector<std::string>& entries);
  // The same for a function kept as blank-separated number text; the result joined by
  // single blanks.
  static std::optional<std::string> EditText(QWidget* parent, int mode, const std::string& text);

  int mode() const { return mode_; }
  // The cells row by row (value, time, value, time, ...), as they stand now.
  std::vector<std::string> Entries() const;

  QTableWidget* grid() const { return grid_; }
  QPushButton* newButton() const { return new_button_; }
  QPushButton* deleteButton() const { return delete_button_; }
  TimeFunctionPlot* plot() const { return plot_; }

 public slots:
  void NewInterval();
  void DeleteInterval();
  // Clipboard: the selected rows as "value<TAB>time" lines; text pasted at the current cell.
  void CopyRows();
  void Paste();

 private:
  void CellChanged(QTableWidgetItem* item);
  void AppendRow(const std::string& value, const std::string& time);
  void Replot();
  std::vector<orvo::time_function::Row> Rows() const;
  std::vector<int> SelectedRows() const;

  int mode_;
  QTableWidget* grid_ = nullptr;
  QPushButton* new_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  TimeFunctionPlot* plot_ = nullptr;
  bool filling_ = false;
};

}  // namespace orvo::ui
