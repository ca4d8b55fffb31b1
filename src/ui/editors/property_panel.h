// PropertyPanel: the values of the nodes selected in a network view, edited in place. Each
// section (the node's own parameters, its group C values, its group B, D, E, F and G data) is
// a grid; an edit is set on every selected node that has the value, as one undo step, through
// the rules of the node dialogs (node_properties.h). The panel follows the view's selection
// and the document's changes; it keeps node numbers, never node pointers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "groups/node_properties.h"
#include "model/project_document.h"

class QLabel;
class QVBoxLayout;

namespace orvo::ui {

class COrvoBuilderView;
class GridWidget;

class PropertyPanel : public QWidget, public DocumentObserver {
  Q_OBJECT

 public:
  explicit PropertyPanel(COrvoBuilderView& view, QWidget* parent = nullptr);
  ~PropertyPanel() override;

  // The grid of a section by its title ("Group C (Volumes)"), null when not shown, and the
  // cell a key is shown in (-1, -1 when none).
  GridWidget* SectionGrid(const QString& title) const;
  std::pair<int, int> CellOf(const std::string& key) const;
  QLabel* heading() const { return heading_; }
  // The node numbers shown.
  const std::vector<int>& numbers() const { return numbers_; }
  // Brings the panel up to date now rather than when the event loop next runs.
  void Refresh();
  QSize sizeHint() const override { return QSize(360, 480); }

  void OnDocumentUpdate(UpdateHint hint, int node_number) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Section {
    QString title;
    QPointer<GridWidget> grid;
    std::map<std::pair<int, int>, node_properties::Property> cells;
    int name_width = 0;  // what the row names take in full
  };

  void ScheduleRefresh();
  void SelectionChanged();
  void Rebuild(const std::vector<node_properties::Property>& properties);
  void ShowValues(const std::vector<node_properties::Property>& properties);
  static void FitNames(const Section& section);
  void CellEdited(size_t section, int row, int column, const QString& text);
  void ShowMessage(const QString& text);

  COrvoBuilderView& view_;
  COrvoBuilderDoc& document_;
  std::vector<int> numbers_;
  QLabel* heading_;
  QWidget* body_;
  QVBoxLayout* sections_layout_;
  std::vector<Section> sections_;
  std::vector<std::string> shape_;  // section, row, column and key of every shown value
  bool refresh_pending_ = false;
};

}  // namespace orvo::ui
