// The longitudinal profile: one variable along a path of segments at the time step of a
// Results panel, in a GraphView with one frame per time step that follows the time slider (and
// moves it when the chart advances a frame). The path is typed ("3, 5-7"), built from the
// segments selected in the network one by one, or followed downstream through the exchanges.
#pragma once

#include <QDialog>
#include <vector>

#include "results/longitudinal_profile.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvo::ui {

class GraphView;
class ResultsPanel;

class LongitudinalProfileWindow : public QDialog {
  Q_OBJECT

 public:
  LongitudinalProfileWindow(ResultsPanel& panel, QWidget* parent = nullptr);

  // Takes the path typed in the field; false (with the reason shown) when it cannot be read.
  bool ApplyPathText();
  void SetPath(const std::vector<int>& path);
  const std::vector<int>& path() const { return path_; }
  // Appends the segment selected in the network to the path.
  void AddSelected();
  // The chain of exchanges downstream of the segment selected in the network (else of the
  // first segment of the path).
  void FollowDownstream();
  // Shows the profile at the panel's time step; a new chart when the run, the variable or the
  // path changed.
  void Redraw();

  const std::vector<ProfilePoint>& points() const { return points_; }
  QLineEdit* path_field() const { return path_field_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* downstream_button() const { return downstream_; }
  // Null while there is nothing to draw.
  GraphView* graph() const { return graph_; }
  QLabel* message_label() const { return message_; }

 private:
  int SelectedSegment() const;
  void Rebuild();

  ResultsPanel& panel_;
  std::vector<int> path_;
  std::vector<ProfilePoint> points_;
  QLineEdit* path_field_;
  QPushButton* add_;
  QPushButton* downstream_;
  QPushButton* clear_;
  QLabel* message_;
  QLabel* empty_;
  GraphView* graph_ = nullptr;
  // What the chart was built for.
  const void* built_run_ = nullptr;
  int built_variable_ = 0;
  OutputTable built_table_ = OutputTable::kModel;
  std::vector<int> built_path_;
};

}  // namespace orvo::ui
