// SegmentTable: every segment of a project in one grid, sorted by ID: its group C values, its
// group G parameters and, for the chosen system, its group E, F and J values. Cells are edited
// in place and blocks copied and pasted as in every grid; each edit, and each paste as a
// whole, is one undo step through the rules of the node dialogs (node_properties.h).
// Selecting a row selects the segment on the map.
#pragma once

#include <QWidget>
#include <vector>

#include "groups/node_properties.h"
#include "model/project_document.h"

class QComboBox;

namespace orvo::ui {

class COrvoBuilderView;
class GridWidget;

class SegmentTable : public QWidget, public DocumentObserver {
  Q_OBJECT

 public:
  explicit SegmentTable(COrvoBuilderView& view, QWidget* parent = nullptr);
  ~SegmentTable() override;

  GridWidget* grid() const { return grid_; }
  QComboBox* system_list() const { return systems_; }
  // The grid row of a segment ID (-1 when it has none) and the column of a key.
  int RowOf(int segment_id) const;
  int ColumnOf(const std::string& key) const;
  // Brings the table up to date now rather than when the event loop next runs.
  void Refresh();
  QSize sizeHint() const override;

  void OnDocumentUpdate(UpdateHint hint, int node_number) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ScheduleRefresh();
  void FitColumns();
  void FillSystems();
  void CellEdited(int row, int column, const QString& text);
  void RowChosen();

  COrvoBuilderView& view_;
  COrvoBuilderDoc& document_;
  QComboBox* systems_;
  GridWidget* grid_;
  std::vector<node_properties::TableColumn> columns_;
  std::vector<node_properties::TableRow> rows_;
  bool refresh_pending_ = false;
  bool filling_ = false;
};

}  // namespace orvo::ui
