// RunProgressDialog: the window of a model run going in the background. It starts the
// prepared run, follows the program's output through a socket notifier, and shows the
// simulated time against the run's end as a progress bar, the program's last output lines and
// the elapsed time. "Cancel" (or closing the window) stops the program and all it started.
// The window is modeless: the project stays open to look at while the model runs. Make it
// with new: it deletes itself once the run has ended and Finished has been emitted.
#pragma once

#include <QDialog>
#include <memory>

#include "runs/model_execution.h"
#include "runs/model_run.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSocketNotifier;
class QTimer;

namespace orvo::ui {

class RunProgressDialog : public QDialog {
  Q_OBJECT

 public:
  // Output lines the window keeps on show.
  static constexpr int kShownLines = 200;

  explicit RunProgressDialog(PreparedModelRun prepared, QWidget* parent = nullptr);
  // A run still going is stopped and waited for (a few seconds at most).
  ~RunProgressDialog() override;

  // Starts the program. false when it could not start: result() says why; Finished is not
  // emitted then.
  bool Start();
  // As "Cancel": asks the program to end; Finished follows once it has.
  void Cancel();

  const PreparedModelRun& prepared() const { return prepared_; }
  const ModelRun& run() const { return *run_; }
  const RunResult& result() const { return run_->result(); }

  QProgressBar* progress_bar() const { return bar_; }
  QLabel* time_label() const { return time_; }
  QLabel* elapsed_label() const { return elapsed_; }
  QPlainTextEdit* lines_box() const { return lines_; }
  QPushButton* cancel_button() const { return cancel_; }

 signals:
  // The run has ended (however it ended); the window closes right after.
  void Finished(const orvo::RunResult& result);

 protected:
  // Escape and the close box cancel the run rather than hide it.
  void reject() override;

 private:
  void Poll();
  void WatchOutput();
  void ShowState();

  PreparedModelRun prepared_;
  std::unique_ptr<ModelRun> run_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* timer_;
  bool finished_ = false;

  QLabel* heading_;
  QProgressBar* bar_;
  QLabel* time_;
  QLabel* elapsed_;
  QPlainTextEdit* lines_;
  QPushButton* cancel_;
};

}  // namespace orvo::ui
