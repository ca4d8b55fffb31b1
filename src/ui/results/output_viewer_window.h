// OutputViewerWindow: the modeless "View Output" window on the runs of one base path (a run
// file path: the deck's path without extension, with its numbered sensitivity runs beside
// it). The lists feed their selections to the core's OutputViewerText, whose text the window
// shows; "Graph" hands the selection to the charts. Several windows may be open at once.
//
// Use: OpenOutputViewer(parent, base_path) after a run, from "View Output" and for a
// sensitivity family. The runs are read in the background: the window stays responsive, shows
// the reading's progress and can stop it.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "results/output_viewer_text.h"
#include "ui/results/output_graphs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orvo {
class Platform;
}

namespace orvo::ui {

class RunsLoadJob;

class OutputViewerWindow;

// Opens a new viewer window on base_path and starts reading its runs (an empty path opens an
// empty window, for "Select"). platform takes the window's messages and file choosers; null:
// the window's own dialogs. It must outlive the window.
OutputViewerWindow* OpenOutputViewer(QWidget* parent, const std::string& base_path,
                                     Platform* platform = nullptr);

class OutputViewerWindow : public QDialog {
  Q_OBJECT

 public:
  // The text field shows at most about this many values of a table; "Write" writes it whole.
  static constexpr long long kShownValues = 500'000;

  explicit OutputViewerWindow(QWidget* parent = nullptr, Platform* platform = nullptr);
  // A reading still going is stopped and waited for.
  ~OutputViewerWindow() override;

  // Empties the window and reads the runs of base_path in the background; the lists fill
  // when the reading ends (RunsLoaded).
  void LoadRuns(const std::string& base_path);
  bool Loading() const { return job_ != nullptr; }
  // Stops a reading in progress; the runs read completely before it stay.
  void StopLoading();

  const OutputViewerText& viewer() const { return viewer_; }
  const std::string& base_path() const { return viewer_.base_path; }
  // The lists' selections, in list order.
  OutputSelection Selection() const;
  GraphType graph_type() const;
  // The whole text for the selection, as "Write" writes it (the field may show less).
  std::string FullText() const;

  QLineEdit* path_field() const { return path_; }
  QComboBox* file_type_list() const { return file_types_; }
  QListWidget* run_list() const { return runs_; }
  QListWidget* segment_list() const { return segments_; }
  QListWidget* variable_list() const { return variables_; }
  QPlainTextEdit* text_field() const { return text_; }
  QRadioButton* segment_vs_time_button() const { return segment_vs_time_; }
  QRadioButton* param_vs_seg_button() const { return param_vs_seg_; }
  QPushButton* select_button() const { return select_; }
  QPushButton* differences_button() const { return differences_; }
  QPushButton* write_button() const { return write_; }
  QPushButton* graph_button() const { return graph_; }
  QPushButton* close_button() const { return close_; }
  QProgressBar* load_progress() const { return load_progress_; }
  QPushButton* stop_button() const { return stop_; }
  QLabel* status_label() const { return status_; }

  // The buttons' work, as clicking them does it.
  void OnSelect();
  void OnShowDifferences();
  void OnWrite();
  void OnGraph();

 signals:
  // The runs of a LoadRuns are in the lists (also after a stopped reading).
  void RunsLoaded();

 private:
  void BuildLayout();
  void ShowBasePath();
  void CheckLoad();
  void FinishLoad();
  void FillRuns();
  void OnFileTypeChanged();
  void RebuildText();
  void UpdateButtons();

  Platform* platform_;
  std::unique_ptr<Platform> own_platform_;
  OutputViewerText viewer_;
  std::unique_ptr<RunsLoadJob> job_;
  QTimer* load_timer_;
  int file_type_ = kModelResults;
  std::string table_text_;  // the text of the current selection (the shown part of a table)
  bool filling_ = false;

  QLineEdit* path_;
  QComboBox* file_types_;
  QListWidget* runs_;
  QListWidget* segments_;
  QListWidget* variables_;
  QPlainTextEdit* text_;
  QRadioButton* segment_vs_time_;
  QRadioButton* param_vs_seg_;
  QPushButton* select_;
  QPushButton* differences_;
  QPushButton* write_;
  QPushButton* graph_;
  QPushButton* close_;
  QProgressBar* load_progress_;
  QPushButton* stop_;
  QLabel* status_;
};

}  // namespace orvo::ui
