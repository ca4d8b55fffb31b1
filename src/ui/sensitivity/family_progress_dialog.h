// The windows around a sensitivity family: "Sensitivity Analysis Parameters" (TITLE1, the base
// case, how many runs go side by side) and the family's progress window, which drives the
// core's SensitivityFamily from a timer: "Run k of N", the current run's own progress as the
// single-run window shows it, the elapsed time and an estimate of what remains, and "Cancel",
// which ends the running programs and stops the family (its files stay as an early stop
// leaves them).
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "runs/sensitivity_family.h"
#include "ui/results/model_runs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace orvo::ui {

class SensitivityParametersDialog : public QDialog {
  Q_OBJECT

 public:
  // The "Parallel runs" field starts from the setting; OK stores it.
  SensitivityParametersDialog(Platform& platform, QWidget* parent = nullptr);
  void accept() override;

  std::string Title() const;  // "" when the text cannot be stored
  bool BaseCase() const;
  int ParallelRuns() const;

  QLineEdit* title_field() const { return title_; }
  QCheckBox* base_case_box() const { return base_case_; }
  QSpinBox* parallel_field() const { return parallel_; }

 private:
  Platform& platform_;
  QLineEdit* title_;
  QCheckBox* base_case_;
  QSpinBox* parallel_;
};

class FamilyProgressDialog : public QDialog {
  Q_OBJECT

 public:
  FamilyProgressDialog(COrvoBuilderDoc& document, FamilyOptions options, QWidget* parent = nullptr);
  ~FamilyProgressDialog() override;

  // Writes the base case and starts the first runs; false (after the message) when nothing
  // runs. Finished follows the end of the family otherwise.
  bool Start();
  void Cancel();

  const SensitivityFamily& family() const { return *family_; }
  QLabel* run_label() const { return run_; }
  QProgressBar* family_bar() const { return family_bar_; }
  QProgressBar* run_bar() const { return run_bar_; }
  QLabel* time_label() const { return time_; }
  QLabel* elapsed_label() const { return elapsed_; }
  QLabel* remaining_label() const { return remaining_; }
  QPlainTextEdit* lines_box() const { return lines_; }
  QPushButton* cancel_button() const { return cancel_; }

 signals:
  // The family has ended; succeeded: every run ran well.
  void Finished(bool succeeded, bool cancelled);

 protected:
  void reject() override;

 private:
  void Poll();
  void ShowState();

  std::unique_ptr<SensitivityFamily> family_;
  QTimer* timer_;
  bool polling_ = false;
  bool finished_ = false;
  const ModelRun* shown_run_ = nullptr;

  QLabel* run_;
  QProgressBar* family_bar_;
  QProgressBar* run_bar_;
  QLabel* time_;
  QLabel* elapsed_;
  QLabel* remaining_;
  QPlainTextEdit* lines_;
  QPushButton* cancel_;
};

// Starts the family with its progress window; the project counts as running until it ends.
// A family that ran well opens the output viewer on D + T; a cancelled one is said in the main
// window's status bar. null when nothing could start (after the message).
FamilyProgressDialog* StartFamilyWithProgress(const ModelRunContext& context,
                                              FamilyOptions options);

}  // namespace orvo::ui
