// Results drawn on the network: the "Results" dock of the main window and, inside it, one
// ResultsPanel per project window. A panel picks a run of the project (its run file path and
// the numbered runs beside it), a variable and a time step, fills the segments of its view with
// colours by value, shows the legend and plays the time steps. It only draws: the document
// is never changed. Hidden, the dock gives every view its pictures back.
#pragma once

#include <QDockWidget>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/output_viewer_text.h"
#include "results/results_colouring.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace orvo {
class Platform;
}

namespace orvo::ui {

class COrvoBuilderView;
class RunsLoadJob;
class ColourLegend;
class LongitudinalProfileWindow;

class ResultsPanel : public QWidget {
  Q_OBJECT

 public:
  // platform takes the messages of reading and the file chooser of "Select..."; it must
  // outlive the panel.
  ResultsPanel(COrvoBuilderView& view, Platform& platform, QWidget* parent = nullptr);
  // A reading still going is stopped and waited for; the view gets its pictures back.
  ~ResultsPanel() override;

  // The runs of the project: its run file path, else its deck's path without extension.
  std::string ProjectRunPath() const;
  // Reads the runs of base_path in the background; RunsLoaded when they are in the lists.
  void LoadRuns(const std::string& base_path);
  bool Loading() const { return job_ != nullptr; }
  void StopLoading();
  const std::string& base_path() const { return viewer_.base_path; }

  // Active: the view shows the colours (the first time, the project's runs are read).
  // Inactive: the view shows its pictures and playing stops.
  void SetActive(bool active);
  bool active() const { return active_; }

  // What is shown; null while no run, variable or time step is there to show.
  const ResultsColouring* colouring() const { return colouring_ ? &*colouring_ : nullptr; }
  const OrvoOutputData* CurrentRun() const;
  std::optional<VariableRef> CurrentVariable() const;
  int time_step() const;
  int time_step_count() const;
  void SetTimeStep(int step);
  // The range the colours are spread over (the whole run's, or the time step's).
  ValueRange ShownRange() const;
  // "Segment 3", the variable and its value at the time shown.
  QString SegmentToolTip(int segment_id) const;

  void Play();
  void Pause();
  bool playing() const;
  void OpenProfile();

  COrvoBuilderView* view() const { return view_; }
  QLabel* path_label() const { return path_; }
  QComboBox* run_list() const { return runs_; }
  QComboBox* variable_list() const { return variables_; }
  QSlider* time_slider() const { return slider_; }
  QToolButton* play_button() const { return play_; }
  QSpinBox* interval_field() const { return interval_; }
  QLabel* time_label() const { return time_; }
  QCheckBox* step_range_box() const { return step_range_; }
  ColourLegend* legend() const { return legend_; }
  QPushButton* profile_button() const { return profile_button_; }
  QPushButton* reload_button() const { return reload_; }
  QPushButton* select_button() const { return select_; }
  QLabel* status_label() const { return status_; }
  LongitudinalProfileWindow* profile_window() const;

 signals:
  void RunsLoaded();
  // The colours, the time step or the variable changed.
  void ColouringChanged();

 private:
  void FinishLoad();
  void FillVariables();
  void OnVariableChanged();
  void Recolour();
  void UpdateControls();

  QPointer<COrvoBuilderView> view_;
  Platform& platform_;
  OutputViewerText viewer_;
  std::unique_ptr<RunsLoadJob> job_;
  bool active_ = false;
  bool loaded_once_ = false;
  bool filling_ = false;
  std::optional<ResultsColouring> colouring_;
  ValueRange whole_range_;

  QLabel* path_;
  QPushButton* reload_;
  QPushButton* select_;
  QComboBox* runs_;
  QComboBox* variables_;
  QSlider* slider_;
  QToolButton* play_;
  QSpinBox* interval_;
  QLabel* time_;
  QCheckBox* step_range_;
  ColourLegend* legend_;
  QPushButton* profile_button_;
  QProgressBar* progress_;
  QPushButton* stop_;
  QLabel* status_;
  QTimer* play_timer_;
  QPointer<LongitudinalProfileWindow> profile_;
};

// The dock: shows the panel of the active project window. Off (hidden) by default; its
// toggleViewAction() is the "Results" command.
class ResultsDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit ResultsDock(Platform& platform, QWidget* parent = nullptr);

  // The project window now active (null: none).
  void SetView(COrvoBuilderView* view);
  // The panel of view; null when it has none yet.
  ResultsPanel* PanelOf(const COrvoBuilderView* view) const;
  ResultsPanel* current_panel() const;

 private:
  void OnShown(bool shown);

  Platform& platform_;
  QStackedWidget* pages_;
  QLabel* no_project_;
  QPointer<COrvoBuilderView> view_;
  std::vector<QPointer<ResultsPanel>> panels_;
};

}  // namespace orvo::ui
