// CORVOReportView: the form of a report document. The input files, the variables, the report
// options and the report segments feed the core's report (run_report.h), whose cells the
// report grid shows; the same cells go to a file and to the clipboard.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

#include "results/run_report.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvo {
class CORVOReportDoc;
class Platform;
}  // namespace orvo

namespace orvo::ui {

class GridWidget;

// A modal list to choose several entries from ("Choose Segment(s)", the runs or report entries
// to delete).
class ChooseItemsDialog : public QDialog {
  Q_OBJECT

 public:
  ChooseItemsDialog(const QString& title, const QStringList& items, QWidget* parent = nullptr);
  QListWidget* list() const { return list_; }
  // The chosen rows, ascending.
  std::vector<int> Chosen() const;

 private:
  QListWidget* list_;
};

class CORVOReportView : public QWidget {
  Q_OBJECT

 public:
  // The shown part of a report: a larger one is written whole to a file.
  static constexpr long long kShownCells = 200'000;

  CORVOReportView(CORVOReportDoc& document, Platform& platform, QWidget* parent = nullptr);
  ~CORVOReportView() override;

  CORVOReportDoc& document() const { return document_; }
  ReportOptions Options() const;
  // The rows of "Report on Parameter:" that are selected, in list order.
  std::vector<int> SelectedVariables() const;
  void SelectVariables(const std::vector<int>& variables);
  const ReportGrid& report() const { return report_; }

  // Refills every control from the document and rebuilds the report.
  void Refresh();
  // The report again, with the current options and selection ("Update").
  void RebuildReport();
  // A click on the sort column's title: the next sort mode.
  void CycleSortMode();

  // The buttons' work, as clicking them does it.
  void OnAdd();
  void AddFiles(const QStringList& paths);
  void OnDeleteRuns();
  void OnSelectDifferences();
  void OnAddSegment();
  void OnAddGroup();
  void OnDeleteEntries();
  void OnWriteFile();
  void OnWriteClipboard();
  void OnPlot();

  // File choosers (tests replace them): "Add" and "Write Report to File"; empty: cancelled.
  std::function<QStringList()> choose_output_files;
  std::function<QString()> choose_report_file;
  // "Plot" with the runs to plot (indices) and the selected variables: the stacked charts and
  // their "Graph Control" (tests replace it).
  std::function<void(const std::vector<int>& runs, const std::vector<int>& variables)> plot;

  GridWidget* input_grid() const { return input_grid_; }
  GridWidget* segment_grid() const { return segment_grid_; }
  GridWidget* report_grid() const { return report_grid_; }
  QListWidget* variable_list() const { return variables_; }
  QCheckBox* full_path_box() const { return full_path_; }
  QLabel* timesteps_label() const { return timesteps_; }
  QLineEdit* threshold_field() const { return threshold_; }
  QCheckBox* percent_box() const { return percent_; }
  QCheckBox* exceedences_box() const { return exceedences_; }
  QCheckBox* max_box() const { return max_; }
  QCheckBox* min_box() const { return min_; }
  QCheckBox* mean_box() const { return mean_; }
  QCheckBox* all_data_box() const { return all_data_; }
  QLabel* report_note() const { return note_; }

 signals:
  // The document changed (runs, entries, identifiers): the frame updates its title.
  void DocumentChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void FillInputFiles();
  void FillVariables();
  void FillSegments();
  void ShowReport();
  void OnDocumentChanged();
  void OnOptionChanged();
  QPushButton* AddButton(const QString& text, const char* name, void (CORVOReportView::*handler)());
  std::vector<int> ChooseSegments(const QString& title);

  CORVOReportDoc& document_;
  Platform& platform_;
  ReportGrid report_;
  int sort_mode_ = 1;
  bool renaming_ = false;  // an identifier typed into the segments grid is being stored

  GridWidget* input_grid_;
  GridWidget* segment_grid_;
  GridWidget* report_grid_;
  QListWidget* variables_;
  QCheckBox* full_path_;
  QLabel* timesteps_;
  QLineEdit* threshold_;
  QCheckBox* percent_;
  QCheckBox* exceedences_;
  QCheckBox* max_;
  QCheckBox* min_;
  QCheckBox* mean_;
  QCheckBox* all_data_;
  QLabel* note_;
};

}  // namespace orvo::ui
